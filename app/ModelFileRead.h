// Reading one model file into a project, free of windows: the import commands run it on the
// view's thread, the start-up file on a thread of its own while the main window is made.
#pragma once

#include "io/op2/Op2Import.h"
#include "platform/base/string.h"

#include <cstdint>

class COutputSink;
class CProjectData;

enum class ModelFileKind
{
    kNone, // read as nothing
    kUniversal,
    kBulkData,
    kOutput2
};

// By the name's ending, in any letter case: ".unv"; ".d", ".dat", ".bdf"; ".op2".
ModelFileKind ModelFileKindOf(const CString& name);

struct CModelFileRead
{
    bool isRead = false;
    int16_t previousSource = 0; // the project's model source before the read
};

// Reads path into the project's model (the path must be among its input files already) and
// records the model source the file gives. Messages go to sink; the chooser marks the OUTPUT2
// results to load.
CModelFileRead ReadModelFile(CProjectData& project, ModelFileKind kind, const CString& path,
                             COutputSink& sink, const Op2ResultChooser& chooser);
