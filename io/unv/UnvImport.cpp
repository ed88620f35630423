// The ".unv" steps of the file commands.
#include "io/unv/UnvImport.h"

#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "core/services/ProductIni.h"
#include "io/results/ImportMessages.h"
#include "io/results/InputFile.h"
#include "io/unv/UnvReader.h"
#include "io/unv/UnvWriter.h"

#include <cctype>

namespace
{
constexpr size_t kErrorsShown = 5;

bool HasUnvExtension(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".unv";
}
} // namespace

std::string UnvFolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void ReportUnvErrors(const std::vector<std::string>& errors, COutputSink& sink)
{
    for (size_t i = 0; i < errors.size() && i < kErrorsShown; ++i)
        sink.AddOutputLine(errors[i]);
    if (errors.size() > kErrorsShown)
        sink.AddOutputLine("...");
}

bool ImportUnvFile(CModelSet& model, const std::string& path, std::vector<std::string>* inputFiles,
                   COutputSink& sink)
{
    if (!CheckInputFile(path, &sink))
        return false;
    if (inputFiles != nullptr)
        inputFiles->push_back(path);
    SetIniString("FileIOPaths", "UNV", UnvFolderOf(path).c_str());
    CUnvReader reader(&model);
    const bool isRead = reader.ReadUnv(path);
    ReportUnvErrors(reader.GetErrors(), sink);
    if (isRead)
    {
        // The read took the marks at its start: elements above them are this file's.
        ReportMissingNodes(model, static_cast<UINT>(model.GetMarkElementId()), sink);
        model.BuildElementFaces();
    }
    else
        model.RemoveAll(1);
    return isRead;
}

bool ExportUnvFile(CModelSet& model, CEntitySet& pointSource, const std::string& path,
                   COutputSink& sink)
{
    const std::string target = HasUnvExtension(path) ? path : path + ".unv";
    CUnvWriter writer(&model, &pointSource);
    const bool isWritten = writer.WriteUnv(target);
    ReportUnvErrors(writer.GetErrors(), sink);
    return isWritten;
}
