// The operating-system seam's steps that both platforms share.
#include "platform/base/os.h"

#include <algorithm>

namespace fw::os
{
std::string TemporaryNameBeside(const std::string& path, unsigned long number)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t nameLength = path.size() - nameStart;
    const std::string digits = std::to_string(number % 100000);
    std::string name = "~" + digits + ".tmp";
    // No longer than the target's own name: where the target fits, so does its temporary.
    if (name.size() > nameLength)
        name = "~" + digits.substr(0, std::max<std::size_t>(nameLength, 2) - 1);
    return path.substr(0, nameStart) + name;
}

bool SaveWholeFile(const std::string& path, const std::string& bytes, SaveFailure* failure)
{
    // Through a link the file it names is written, so the link stays a link.
    const std::string target = FollowLinks(path);
    if (target.empty())
        return false;
    const FileKind kind = GetFileKind(target);
    if (kind == FileKind::kFolder || kind == FileKind::kOther ||
        (kind == FileKind::kRegular && IsReadOnlyFile(target)))
        return false;
    if (kind == FileKind::kRegular)
        return ReplaceFileContents(target, bytes, failure);
    return WriteBesideAndRename(target, bytes);
}

bool WriteBesideAndRename(const std::string& path, const std::string& bytes)
{
    const std::string temporary = WriteNewFileBeside(path, bytes);
    if (temporary.empty())
        return false;
    if (MoveFileReplacing(temporary, path))
        return true;
    RemoveFile(temporary); // ours: created new by this save
    return false;
}
} // namespace fw::os
