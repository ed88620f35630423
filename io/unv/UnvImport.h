// The ".unv" steps of the file commands, free of windows: reading a universal file into the
// project's model, and exporting the model's mesh, original or as a view shows it deformed.
#pragma once

#include <string>
#include <vector>

class CEntitySet;
class CModelSet;
class COutputSink;

// A path that names no regular file is told to the sink by name and read no further (false).
// Records the path among the project's input files (when given) and its folder as the default
// universal-file folder, reads the file and reports the reader's errors to the sink. On success
// the element faces are built, and elements naming nodes that no file defines are reported;
// on failure everything the read added is removed again.
bool ImportUnvFile(CModelSet& model, const std::string& path, std::vector<std::string>* inputFiles,
                   COutputSink& sink);

// Writes the model's mesh to path (".unv" appended when missing) with node positions from the
// point source: the model itself for the original mesh, a view's entity set for the deformed
// one. Reports the writer's errors to the sink.
bool ExportUnvFile(CModelSet& model, CEntitySet& pointSource, const std::string& path,
                   COutputSink& sink);

// The first five error lines, then "..." when some were left out.
void ReportUnvErrors(const std::vector<std::string>& errors, COutputSink& sink);

// The folder part of a path (before its last backslash or slash); empty when it has none.
std::string UnvFolderOf(const std::string& path);
