// The readers' check of a named input file.
#include "io/results/InputFile.h"

#include "core/services/OutputSink.h"
#include "io/results/ImportMessages.h"
#include "platform/base/os.h"

bool CheckInputFile(const std::string& path, COutputSink* sink)
{
    const fw::os::FileKind kind = fw::os::GetFileKind(path);
    if (kind == fw::os::FileKind::kRegular)
        return true;
    if (sink != nullptr)
    {
        const bool isMissing = kind == fw::os::FileKind::kMissing;
        sink->AddOutputLine(ImportMessage(isMissing ? "NotFound" : "NotAFile", {path}));
    }
    return false;
}

bool IsRegularInputFile(const std::string& path)
{
    return fw::os::GetFileKind(path) == fw::os::FileKind::kRegular;
}
