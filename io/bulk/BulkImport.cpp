// The bulk-data step of the model-file command.
#include "io/bulk/BulkImport.h"

#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "core/services/ProductIni.h"
#include "io/bulk/BulkDataReader.h"
#include "io/bulk/BulkMessages.h"
#include "io/bulk/BulkPaths.h"
#include "io/results/ImportMessages.h"

namespace
{
std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

} // namespace

bool IsBulkDataFile(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t separator = LastSeparator(path);
    if (dot == std::string::npos || (separator != std::string::npos && separator > dot))
        return false;
    const std::string extension = LowerCase(path.substr(dot));
    return extension == ".d" || extension == ".dat" || extension == ".bdf";
}

bool ImportBulkFile(CModelSet& model, const std::string& path, COutputSink& sink)
{
    const int nodesBefore = model.GetNodeCount();
    const int elementsBefore = model.GetElementCount();
    const UINT systemsBefore = model.GetMaxCoordSystemId();
    const UINT elementMark = model.GetMaxElementId();
    model.SaveMaxIds(); // a refused read is undone to here
    bool isRead = false;
    bool isPastBound = false;
    {
        CBulkDataReader reader(model, sink);
        isRead = reader.ReadBulkData(path);
        isPastBound = reader.IsReadStopped();
    }
    // A deck that could not be opened leaves the folder of the last one that could.
    if (isRead || isPastBound)
        SetIniString("FileIOPaths", "DAT", FolderOf(path).c_str());
    if (isPastBound)
    {
        model.RemoveAll(1);
        sink.AddOutputLine(ImportMessage("IdsPastBound", {path, kMaxEntityId}));
        return false;
    }
    if (!isRead)
        return false;
    ReportMissingNodes(model, elementMark, sink);
    // Any file opens as a deck; one of another kind would otherwise add nothing without a word.
    if (model.GetNodeCount() == nodesBefore && model.GetElementCount() == elementsBefore &&
        model.GetMaxCoordSystemId() == systemsBefore)
        sink.AddOutputLine(BulkMessage("NoBulkData", path));
    model.TransformPendingNodes();
    model.BuildElementFaces();
    model.SaveMaxIds();
    return true;
}
