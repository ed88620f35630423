// Whole-file pass over an OUTPUT2 file: label, then block after block through the block table.
// It accepts the layout that has one more record after the label and after each block name.
#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "io/op2/NSBlockReader.h"
#include "io/op2/OP2Reader.h"
#include "io/op2/Op2File.h"
#include "io/results/ImportMessages.h"
#include "io/results/InputFile.h"

#include <cctype>
#include <cstring>
#include <memory>

namespace
{
constexpr int kNameBytes = 8;
constexpr int kTrailerBytes = 28;

// Reads a record of expectedBytes (any length when negative) without keeping it.
bool SkipFramedRecord(COp2File& file, int expectedBytes)
{
    int length = 0;
    int trailer = 0;
    if (!NSBlockReader::ReadWord(file, &length) || length < 0)
        return false;
    if (expectedBytes >= 0 && length != expectedBytes)
        return false;
    return file.Skip(length) && NSBlockReader::ReadWord(file, &trailer) && trailer == length;
}

bool ExpectControlWord(COp2File& file, int expected)
{
    int value = 0;
    return NSBlockReader::ReadControlWord(file, &value) == 0 && value == expected;
}

// After a name: control word -1, or (newer layout) a positive control word, its record and -1.
bool SkipVersionRecord(COp2File& file)
{
    int value = 0;
    if (NSBlockReader::ReadControlWord(file, &value) != 0)
        return false;
    if (value == -1)
        return true;
    if (value <= 0 || value > (1 << 20))
        return false;
    return SkipFramedRecord(file, 4 * value) && ExpectControlWord(file, -1);
}

bool LooksLikeText(const unsigned char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
    {
        if (!std::isprint(bytes[i]) && !std::isspace(bytes[i]))
            return false;
    }
    return true;
}

void Report(COutputSink* sink, const std::string& line)
{
    if (sink != nullptr)
        sink->AddOutputLine(line);
}

// Blanks on both sides: some writers pad names in front.
std::string TrimName(const char* name)
{
    std::string text(name, kNameBytes);
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return std::string();
    const size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}
} // namespace

int OP2Reader::ReadLabel(COp2File& file, COutputSink* sink)
{
    unsigned char start[12] = {};
    const size_t got = file.Read(start, sizeof(start));
    int32_t words[3];
    std::memcpy(words, start, sizeof(words));
    if (got == sizeof(start) && words[0] == 4 && words[2] == 4 && words[1] == 2)
        return file.Seek(0) ? 0 : kRefused; // no label: the first block starts at 0
    if (got == sizeof(start) && words[0] == 4 && words[2] == 4 && words[1] == 3)
    {
        const bool isLabel = SkipFramedRecord(file, 12) && ExpectControlWord(file, 7) &&
                             SkipFramedRecord(file, 28) && ExpectControlWord(file, 2) &&
                             SkipFramedRecord(file, 8) && SkipVersionRecord(file) &&
                             ExpectControlWord(file, 0);
        if (isLabel)
            return 0;
        Report(sink, m_path + ": the OUTPUT2 label is damaged; the file is not read.");
        return kRefused;
    }
    // "[8][3 as 8 bytes][8]": the same label written with 8-byte words.
    if (got == sizeof(start) && words[0] == 8 && (words[1] == 3 || words[1] == 2) && words[2] == 0)
        Report(sink, m_path + ": the OUTPUT2 file uses 8-byte words; only files with 4-byte "
                              "words can be read.");
    else if (got > 0 && LooksLikeText(start, got))
        Report(sink, m_path + ": the file is a formatted (text) OUTPUT2 file; only binary "
                              "OUTPUT2 files can be read.");
    else
        Report(sink, m_path + ": the file is not a binary OUTPUT2 file.");
    return kRefused;
}

int OP2Reader::ReadBlockHeader(COp2File& file, std::string* name, bool* endOfFile)
{
    name->clear();
    *endOfFile = false;
    int nameWords = 0;
    const int code = NSBlockReader::ReadControlWord(file, &nameWords);
    if (code == op2::kTruncated || (code == 0 && nameWords == 0))
    {
        *endOfFile = true; // a final control word 0, or nothing left
        return 0;
    }
    char text[kNameBytes];
    int length = 0;
    int trailer = 0;
    if (code != 0 || nameWords != 2 || !NSBlockReader::ReadWord(file, &length) ||
        length != kNameBytes || !file.ReadExact(text, kNameBytes) ||
        !NSBlockReader::ReadWord(file, &trailer) || trailer != kNameBytes)
        return 0;
    int headerWords = 0;
    const bool isHeader = SkipVersionRecord(file) && ExpectControlWord(file, 7) &&
                          SkipFramedRecord(file, kTrailerBytes) && ExpectControlWord(file, -2) &&
                          ExpectControlWord(file, 1) && ExpectControlWord(file, 0) &&
                          NSBlockReader::ReadControlWord(file, &headerWords) == 0 &&
                          headerWords >= 0 &&
                          (headerWords == 0 || SkipFramedRecord(file, 4 * headerWords)) &&
                          ExpectControlWord(file, -3);
    if (isHeader)
        *name = TrimName(text);
    return 0;
}

void OP2Reader::ReadBlocks(COp2File& file, CModelSet* model, bool readGeometry, COutputSink* sink,
                           int* code)
{
    NSBlockReader* defaultReader = FindBlockReader("DEFAULT");
    for (;;)
    {
        std::string name;
        bool endOfFile = false;
        const int64_t blockStart = file.GetPosition();
        ReadBlockHeader(file, &name, &endOfFile);
        if (endOfFile)
            return;
        NSBlockReader* reader = FindBlockReader(name);
        if (reader == nullptr)
            reader = defaultReader;
        const bool skipAll = reader->GetKind() == NSBlockReader::kGeometryKind && !readGeometry;
        m_blockName = name;
        *code = reader->readBlock(&file, model, skipAll);
        m_blockName.clear();
        if (m_context.idOffsets.isPastBound)
            return; // the caller refuses the file with its own message
        if (*code == op2::kTruncated)
        {
            // The block's last record is longer than the file: nothing of it was kept.
            Report(sink, ImportMessage("Op2RecordPastEnd", {m_path, name}));
            return;
        }
        if (*code < 0)
        {
            Report(sink, m_path + ": data block \"" + name + "\" at byte " +
                             std::to_string(blockStart) + " could not be read (code " +
                             std::to_string(*code) + "); the rest of the file is not read.");
            return;
        }
    }
}

int OP2Reader::readCatalogue(const std::string& path, CModelSet* model, bool readGeometry,
                             COutputSink* sink)
{
    if (!CheckInputFile(path, sink))
        return kCannotOpen;
    std::unique_ptr<COp2File>& held = m_cataloguedFiles[path];
    if (!held)
        held = std::make_unique<COp2File>();
    if (!(held->IsOpen() && held->Seek(0)) && !held->Open(path))
    {
        m_cataloguedFiles.erase(path);
        return kCannotOpen;
    }
    COp2File& file = *held;
    m_path = path;
    m_sink = sink;
    // Geometry from this file is numbered after what the model holds.
    NSBlockReader::IdOffsets& offsets = m_context.idOffsets;
    offsets = NSBlockReader::IdOffsets();
    if (model != nullptr)
    {
        offsets.element = static_cast<int>(model->GetMaxElementId());
        offsets.node = static_cast<int>(model->GetMaxNodeId());
        offsets.coordSystem = static_cast<int>(model->GetMaxCoordSystemId());
    }
    int code = ReadLabel(file, sink);
    if (code != 0)
    {
        m_sink = nullptr;
        m_cataloguedFiles.erase(path);
        return code;
    }
    if (model != nullptr)
        model->SaveMaxIds(); // a file refused whole is undone to here
    ReadBlocks(file, model, readGeometry, sink, &code);
    m_sink = nullptr;
    if (offsets.isPastBound)
    {
        // Ids numbered after the model's would pass the largest: nothing of the file is kept.
        model->RemoveAll(1);
        Report(sink, ImportMessage("IdsPastBound", {path, kMaxEntityId}));
        m_cataloguedFiles.erase(path);
        return kRefused;
    }
    return code;
}
