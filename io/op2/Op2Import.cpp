// OUTPUT2 import and project reopen.
#include "io/op2/Op2Import.h"

#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "core/services/ProductIni.h"
#include "io/op2/OP2Reader.h"
#include "io/results/ImportMessages.h"

#include <algorithm>
#include <cctype>

namespace
{
std::vector<CResultData*> ResultsOfFile(const CModelSet& model, const std::string& path)
{
    std::vector<CResultData*> found;
    const CResultMap& results = model.GetResults();
    for (UINT id : results.SortedKeys())
    {
        CResultData* result = nullptr;
        results.Lookup(id, result);
        if (result != nullptr && std::string(result->m_sourcePath.GetString()) == path)
            found.push_back(result);
    }
    return found;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsAnyRequested(const std::vector<CResultData*>& results)
{
    return std::any_of(results.begin(), results.end(),
                       [](const CResultData* result)
                       { return result->m_loaded == CResultData::kRequested; });
}

void FinishModel(CModelSet* model)
{
    model->TransformPendingNodes();
    model->BuildElementFaces();
    model->UpdateLoadedResults();
}
} // namespace

void ChooseAllOp2Results(const std::vector<CResultData*>& results)
{
    for (CResultData* result : results)
    {
        if (result->m_loaded == CResultData::kNotLoaded)
            result->m_loaded = CResultData::kRequested;
    }
}

bool IsOp2Path(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string ending = path.substr(path.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending == ".op2";
}

void ReadChosenOp2Results(OP2Reader& reader, const std::string& path, CModelSet* model,
                          COutputSink* sink)
{
    if (!IsAnyRequested(ResultsOfFile(*model, path)))
        return; // nothing chosen, or a file that gave no results: nothing to read or to tell
    const int code = reader.readResults(path, model);
    if (sink == nullptr)
        return;
    if (code == OP2Reader::kFileChanged)
        sink->AddOutputLine(ImportMessage("Op2FileChanged", {path}));
    else if (code != 0)
        sink->AddOutputLine(ImportMessage("NotFound", {path}));
}

int ImportOp2File(const std::string& path, CModelSet* model, std::vector<std::string>& inputFiles,
                  const Op2ResultChooser& chooser, COutputSink* sink)
{
    OP2Reader reader;
    const bool readGeometry = model->GetElementCount() == 0;
    const UINT elementMark = model->GetMaxElementId();
    const int code = reader.readCatalogue(path, model, readGeometry, sink);
    if (code == OP2Reader::kCannotOpen || code == OP2Reader::kRefused)
        return code;
    if (readGeometry && sink != nullptr)
        ReportMissingNodes(*model, elementMark, *sink);
    inputFiles.push_back(path);
    SetIniString("FileIOPaths", "OP2", FolderOf(path).c_str());
    if (chooser)
        chooser(ResultsOfFile(*model, path));
    ReadChosenOp2Results(reader, path, model, sink);
    FinishModel(model);
    return code;
}

void ReopenOp2Results(CModelSet* model, const std::vector<std::string>& inputFiles,
                      const std::vector<UINT>& loadedIds, COutputSink* sink)
{
    OP2Reader reader;
    std::vector<std::string> op2Files;
    for (const std::string& path : inputFiles)
    {
        if (!IsOp2Path(path))
            continue;
        const bool readGeometry = model->GetElementCount() == 0;
        const UINT elementMark = model->GetMaxElementId();
        reader.readCatalogue(path, model, readGeometry, sink);
        if (readGeometry && sink != nullptr)
            ReportMissingNodes(*model, elementMark, *sink);
        op2Files.push_back(path);
    }
    for (UINT id : loadedIds)
    {
        if (CResultData* result = model->GetResult(id))
            result->m_loaded = CResultData::kRequested;
    }
    for (const std::string& path : op2Files)
        ReadChosenOp2Results(reader, path, model, sink);
    FinishModel(model);
}

std::vector<UINT> CollectLoadedResultIds(const CModelSet& model)
{
    std::vector<UINT> ids;
    const CResultMap& results = model.GetResults();
    for (UINT id : results.SortedKeys())
    {
        CResultData* result = nullptr;
        if (results.Lookup(id, result) && result != nullptr && result->IsLoaded())
            ids.push_back(id);
    }
    return ids;
}
