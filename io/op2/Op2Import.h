// Bringing OUTPUT2 results into a project without windows: the ".op2" import command and the
// reopen step of a project. Both catalogue whole files; geometry is taken from a file only
// when the model holds no elements yet, so an .op2 read on top of its deck adds no mesh.
#pragma once

#include "platform/base/types.h"

#include <functional>
#include <string>
#include <vector>

class CModelSet;
class COutputSink;
class OP2Reader;

// Marks the results of a freshly catalogued file that should be loaded (m_loaded 2). The
// results passed are those of the file, in packed id order.
using Op2ResultChooser = std::function<void(const std::vector<class CResultData*>& results)>;

// The default chooser: every result of the file.
void ChooseAllOp2Results(const std::vector<CResultData*>& results);

// Imports one .op2 file: catalogue pass, path appended to inputFiles, its folder stored under
// "FileIOPaths"/"OP2", chosen results loaded from the same open of the file, then the model
// finished (pending nodes, faces, loaded results). Returns 0, or the reader's negative code of
// the catalogue pass; a file that cannot be opened or is refused changes nothing.
int ImportOp2File(const std::string& path, CModelSet* model, std::vector<std::string>& inputFiles,
                  const Op2ResultChooser& chooser, COutputSink* sink);

// The data pass of a file the reader has catalogued: loads its requested results. One line
// goes to sink (may be null) when they could not be read: the file was written to since its
// catalogue pass, or (not catalogued by this reader) it could not be opened.
void ReadChosenOp2Results(OP2Reader& reader, const std::string& path, CModelSet* model,
                          COutputSink* sink);

// Reopen of a project: every ".op2" input file (last four characters, any case), in input
// order, is catalogued; the results listed in loadedIds are marked as requested and read; then
// the model is finished. Other input files must have been read before.
void ReopenOp2Results(CModelSet* model, const std::vector<std::string>& inputFiles,
                      const std::vector<UINT>& loadedIds, COutputSink* sink);

// The packed ids of the loaded results (m_loaded 1) in ascending order, as a project lists
// them under "LoadedResults".
std::vector<UINT> CollectLoadedResultIds(const CModelSet& model);

bool IsOp2Path(const std::string& path);
