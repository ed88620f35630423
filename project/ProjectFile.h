// A project file held in memory, read and written with the rules of the Windows profile
// functions as Wine 8 applies them, so that a file written here has the bytes that the same
// writes through WritePrivateProfileStringA give, but in one pass instead of one file rewrite
// per key:
// - "[name]" opens a section; the name runs to the last "]" of the line, blanks trimmed; a line
//   starting with "[" without a "]" is an entry.
// - "key=value" lines, key and value trimmed of blanks; a line without "=" is kept but has no
//   value. Blank lines are dropped. Names and values end at a NUL byte, as C strings do, and a
//   CR inside a value reads as a blank, as the writer writes it.
// - Section names and keys compare without regard to the case of ASCII letters; the first
//   section of a name and the first entry of a key win.
// - A UTF-8 mark at the start is skipped; UTF-16 text is read when all its characters are
//   ASCII (see EForm).
// - Written: "[name]" and "key=value" lines ending in CR LF, no blank lines. One difference
//   from the profile functions: a value enclosed in quotes is written in one more pair, so
//   that reading gives it back whole instead of without its quotes. A new key goes
//   after the last entry of its section, a new section at the end of the file.
#pragma once

#include "platform/base/os.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CProjectFile
{
public:
    // What the loaded bytes were.
    enum class EForm
    {
        kPlain,   // single-byte text: a write gives it back in its own form
        kRecoded, // a UTF-8 mark skipped, or UTF-16 text of ASCII characters read
        kBinary,  // NUL bytes: no text that a project file holds
        kUnicode  // UTF-16 with characters beyond ASCII: not read, the content is empty
    };

    CProjectFile();
    ~CProjectFile();
    CProjectFile(const CProjectFile&) = delete;
    CProjectFile& operator=(const CProjectFile&) = delete;

    // Replaces the content with the file's. False, with the content emptied, when the file
    // cannot be read or is no regular file (a FIFO would block, a device never end).
    bool Load(const std::string& path);
    void Parse(std::string_view text);
    void Clear();

    // The file's bytes as the profile functions write them.
    std::string ToText() const;
    // Writes the text as the whole file, only when all of it is written: an earlier file is
    // written over in place after a copy of it beside it, so that it keeps its protection and
    // its links, and gets its contents back on any failure; a new file is written beside and
    // renamed. A link is written through to the file it names. False when the file is not
    // written: a read-only file, a folder or a device, a folder that cannot take the copy, a
    // failed write; failure (where given) tells what that left behind.
    bool Save(const std::string& path, fw::os::SaveFailure* failure = nullptr) const;

    // The value of the key, trimmed and stripped of one pair of enclosing quotes, cut to
    // maxLength characters. False when the section, the key or its "=" is missing.
    bool Find(std::string_view section, std::string_view key, std::string* value,
              std::size_t maxLength) const;
    // Sets the value (trimmed; line breaks become blanks, as one line holds one entry). A value
    // enclosed in quotes is written in one more pair, which Find takes off again.
    void Write(std::string_view section, std::string_view key, std::string_view value);
    void EraseSection(std::string_view section);

    bool HasSection(std::string_view section) const;
    // Lines of the section, 0 when it is missing.
    std::size_t GetEntryCount(std::string_view section) const;
    // The numbers N of the sections named prefix + N (decimal digits), in file order.
    std::vector<long long> GetNumberedSections(std::string_view prefix) const;
    // Erases every section named prefix + N with N above count, each under the name it has
    // ("Group 07" as well as "Group 7").
    void EraseNumberedSectionsAbove(std::string_view prefix, long long count);

    // True after a Write or EraseSection changed the content since Load, Parse or Clear.
    bool IsModified() const { return m_isModified; }
    // The form of the bytes of the last Load; kPlain after Parse or Clear.
    EForm GetForm() const { return m_form; }

private:
    struct Entry
    {
        std::string key;
        std::string value;
        bool hasValue = false;
    };
    struct Section
    {
        std::string name;
        bool isErased = false;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> index; // folded key -> first entry
    };

    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    Section& AddSection(std::string_view name);
    static void AddEntry(Section& section, Entry entry);
    // Marks the section erased and lets a later live section of its name come first.
    void Erase(Section& section);

    // Sections in file order; the first has no name and holds the lines before any header.
    std::vector<std::unique_ptr<Section>> m_sections;
    // Sections of one folded name in file order; those before "first" are all erased, so that
    // erasing many sections of a name costs one pass over them.
    struct Named
    {
        std::vector<Section*> sections;
        std::size_t first = 0;
    };
    std::unordered_map<std::string, Named> m_index; // folded name -> its sections
    bool m_isModified = false;
    EForm m_form = EForm::kPlain;
};
