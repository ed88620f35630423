// The bulk-data step of the model-file command.
#include "io/bulk/BulkImport.h"

#include "core/model/ModelSet.h"
#include "core/services/ProductIni.h"
#include "io/bulk/BulkDataReader.h"

namespace
{
std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
} // namespace

bool IsBulkDataFile(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos)
        return false;
    const std::string extension = LowerCase(path.substr(dot));
    return extension == ".d" || extension == ".dat" || extension == ".bdf";
}

bool ImportBulkFile(CModelSet& model, const std::string& path, COutputSink& sink)
{
    SetIniString("FileIOPaths", "DAT", FolderOf(path).c_str());
    bool isRead = false;
    {
        CBulkDataReader reader(model, sink);
        isRead = reader.ReadBulkData(path);
    }
    if (!isRead)
        return false;
    model.TransformPendingNodes();
    model.BuildElementFaces();
    model.SaveMaxIds();
    return true;
}
