// Reading one model file into a project by its kind.
#include "app/ModelFileRead.h"

#include "app/FilePaths.h"
#include "io/bulk/BulkImport.h"
#include "io/op2/OP2Reader.h"
#include "io/unv/UnvImport.h"
#include "project/ProjectData.h"

#include <string>
#include <vector>

ModelFileKind ModelFileKindOf(const CString& name)
{
    if (HasEndingNoCase(name, ".unv"))
        return ModelFileKind::kUniversal;
    if (HasEndingNoCase(name, ".d") || HasEndingNoCase(name, ".dat") ||
        HasEndingNoCase(name, ".bdf"))
        return ModelFileKind::kBulkData;
    if (HasEndingNoCase(name, ".op2"))
        return ModelFileKind::kOutput2;
    return ModelFileKind::kNone;
}

CModelFileRead ReadModelFile(CProjectData& project, ModelFileKind kind, const CString& path,
                             COutputSink& sink, const Op2ResultChooser& chooser)
{
    CAESettings& settings = project.m_settings;
    CModelSet& model = project.m_model;
    CModelFileRead read;
    read.previousSource = settings.m_modelSource;
    switch (kind)
    {
    case ModelFileKind::kUniversal:
        settings.m_modelSource = CAESettings::kUniversalFile;
        read.isRead = ImportUnvFile(model, path.Str(), nullptr, sink);
        break;
    case ModelFileKind::kBulkData:
        read.isRead = ImportBulkFile(model, path.Str(), sink);
        settings.m_modelSource = CAESettings::kBulkData;
        break;
    case ModelFileKind::kOutput2:
    {
        std::vector<std::string> added;
        const int code = ImportOp2File(path.Str(), &model, added, chooser, &sink);
        read.isRead = code != OP2Reader::kCannotOpen && code != OP2Reader::kRefused;
        break;
    }
    case ModelFileKind::kNone: break;
    }
    return read;
}
