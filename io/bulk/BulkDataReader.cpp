// Bulk-data deck reader: files, includes, card recognition and dispatch.
#include "io/bulk/BulkDataReader.h"

#include "core/services/OutputSink.h"
#include "io/bulk/BulkEventQueue.h"
#include "io/bulk/BulkField.h"
#include "io/bulk/BulkLineReader.h"
#include "io/bulk/BulkMessages.h"
#include "io/bulk/BulkModelFiller.h"
#include "io/bulk/BulkPaths.h"
#include "io/bulk/DeckFile.h"
#include "io/results/ImportMessages.h"
#include "platform/base/exception.h"
#include "platform/base/thread_start.h"

#include <algorithm>
#include <string_view>
#include <thread>

namespace
{
// Deeper nesting than any real deck uses.
constexpr std::size_t kMaxIncludeDepth = 64;

char ToUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// "INCLUDE 'x'" in any letter case: real decks write it in capitals.
bool IsIncludeLine(std::string_view line)
{
    static constexpr std::string_view kKeyword = "INCLUDE";
    if (line.size() <= kKeyword.size())
        return false;
    for (std::size_t i = 0; i < kKeyword.size(); ++i)
    {
        if (ToUpper(line[i]) != kKeyword[i])
            return false;
    }
    const char next = line[kKeyword.size()];
    return next == ' ' || next == '\'';
}

std::string_view TrimmedRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string TrimRight(std::string_view text)
{
    return std::string(TrimmedRight(text));
}

// A marker without blanks and without its leading "+" or "*": "+A1" and "A1" mark alike.
std::string_view Marker(std::string_view field)
{
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    if (!field.empty() && (field.front() == '+' || field.front() == '*'))
        field.remove_prefix(1);
    return TrimmedRight(field);
}

// Columns 73-80 of a line: the marker a continuation repeats in its first 8 columns.
std::string_view ContinuationMarker(std::string_view line)
{
    return line.size() > 72 ? Marker(line.substr(72, 8)) : std::string_view();
}

std::string_view NameField(std::string_view line)
{
    return Marker(line.substr(0, 8));
}

bool CanOpen(const std::string& path)
{
    CDeckFile deck;
    return deck.Open(path) != CDeckFile::kCannotOpen;
}
} // namespace

// A line that begins a card or a command this reader knows: never the continuation of a card.
bool CBulkDataReader::StartsKnownCard(std::string_view line)
{
    if (IsIncludeLine(line))
        return true;
    const CBulkCard::SName name = CBulkCard::ReadName(line);
    return FindHandler(name.name) != nullptr || name.name == "ENDDATA" || name.name == "CEND" ||
           name.name.compare(0, 5, "BEGIN") == 0;
}

// The cards read, by name in upper case without the large-field "*".
CBulkDataReader::Handler CBulkDataReader::FindHandler(std::string_view name)
{
    struct SCardEntry
    {
        std::string_view name;
        Handler handler;
    };
    using CReader = CBulkDataReader;
    static constexpr SCardEntry kCards[] = {
        {"GRID", &CReader::ReadGrid},     {"CQUAD4", &CReader::ReadQuad4},
        {"CTRIA3", &CReader::ReadTria3},  {"CBAR", &CReader::ReadBar},
        {"CBEAM", &CReader::ReadBar},     {"CHEXA", &CReader::ReadHexa},
        {"CPENTA", &CReader::ReadPenta},  {"CTETRA", &CReader::ReadTetra},
        {"CBEND", &CReader::ReadBar},     {"CROD", &CReader::ReadBar},
        {"CONROD", &CReader::ReadBar},    {"CTUBE", &CReader::ReadBar},
        {"CQUAD8", &CReader::ReadQuad4},  {"CQUAD", &CReader::ReadQuad4},
        {"CQUADR", &CReader::ReadQuad4},  {"CTRIA6", &CReader::ReadTria3},
        {"CTRIAR", &CReader::ReadTria3},  {"CTRIAX6", &CReader::ReadTria3},
        {"CMASS1", &CReader::ReadMass12}, {"CMASS2", &CReader::ReadMass12},
        {"CMASS3", &CReader::ReadMass34}, {"CMASS4", &CReader::ReadMass34},
        {"CELAS1", &CReader::ReadElas12}, {"CELAS2", &CReader::ReadElas12},
        {"CELAS3", &CReader::ReadElas34}, {"CELAS4", &CReader::ReadElas34},
        {"CONM1", &CReader::ReadConm},    {"CONM2", &CReader::ReadConm},
        {"CGAP", &CReader::ReadGap},      {"CSHEAR", &CReader::ReadShear},
        {"CORD1R", &CReader::ReadCord1},  {"CORD1C", &CReader::ReadCord1},
        {"CORD1S", &CReader::ReadCord1},  {"CORD2R", &CReader::ReadCord2},
        {"CORD2C", &CReader::ReadCord2},  {"CORD2S", &CReader::ReadCord2},
    };
    for (const SCardEntry& entry : kCards)
    {
        if (entry.name == name)
            return entry.handler;
    }
    return nullptr;
}

CBulkDataReader::CBulkDataReader(CModelSet& model, COutputSink& sink)
    : m_modelFiller(std::make_unique<CBulkModelFiller>(model, sink))
    , m_target(*m_modelFiller)
    , m_sink(sink)
{
}

CBulkDataReader::CBulkDataReader(CBulkRecordTarget& target, COutputSink& sink)
    : m_target(target)
    , m_sink(sink)
{
}

CBulkDataReader::~CBulkDataReader() = default;

namespace
{
// Stops the reading thread and waits for it, however the filing ends.
class CReadingThread
{
public:
    explicit CReadingThread(CBulkEventQueue& queue)
        : m_queue(queue)
    {
    }
    CReadingThread(const CReadingThread&) = delete;
    CReadingThread& operator=(const CReadingThread&) = delete;
    ~CReadingThread()
    {
        m_queue.Cancel();
        if (m_thread.joinable())
            m_thread.join();
    }

    // Runs read on a thread of its own; false when no thread could be had.
    template <typename Read>
    bool Start(Read read)
    {
        try
        {
            m_thread = fw::StartThread(read);
            return true;
        }
        catch (...)
        {
            return false; // no thread, or no memory for one
        }
    }

private:
    CBulkEventQueue& m_queue;
    std::thread m_thread;
};
} // namespace

// One thread reads the deck's lines and fields while this one files the records: the two
// halves of an import take about as long as each other.
bool CBulkDataReader::ReadBulkData(std::string path)
{
    m_mainDeck = path;
    m_isInCaseControl = false;
    m_isAtEndData = false;
    m_openDecks.clear();
    m_readDecks.clear();
    m_reportedCards.clear();
    m_isCardRefused = false;
    bool isRead = false;
    const auto read = [this, &path, &isRead]
    {
        std::exception_ptr error;
        try
        {
            isRead = ReadDeck(path, 0);
        }
        catch (...)
        {
            error = std::current_exception();
        }
        m_queue->Close(error);
    };
    // A receiver that stopped an earlier read takes no card; the deck is still opened.
    const bool isStoppedBefore = m_target.IsReadStopped();
    m_queue = std::make_unique<CBulkEventQueue>();
    if (isStoppedBefore)
        m_queue->StopReading();
    {
        CReadingThread reading(*m_queue);
        if (isStoppedBefore || !reading.Start(read))
        {
            // One after the other: the queue holds the whole deck.
            m_queue->HoldAll();
            read();
        }
        FileEvents();
    }
    const std::exception_ptr error = m_queue->Error();
    m_queue.reset();
    if (m_target.IsReadStopped())
        return false;
    if (error)
        std::rethrow_exception(error);
    if (m_modelFiller)
        m_modelFiller->Finish();
    return isRead;
}

// Hands the events to the receiver and the sink in the deck's order, until the reading side
// closes or the receiver stops the read. A card whose record the receiver refuses with an
// exception is reported, and the rest of that card is dropped.
void CBulkDataReader::FileEvents()
{
    while (std::unique_ptr<CBulkEventQueue::SChunk> chunk = m_queue->Take())
    {
        std::size_t grid = 0;
        std::size_t system = 0;
        std::size_t element = 0;
        std::size_t action = 0;
        std::size_t cardEnd = 0;
        for (const CBulkEventQueue::EKind kind : chunk->kinds)
        {
            switch (kind)
            {
            case CBulkEventQueue::kGrid:
                FileRecord([&] { m_target.AddGrid(chunk->grids[grid]); });
                ++grid;
                break;
            case CBulkEventQueue::kSystem:
                FileRecord([&] { m_target.AddCoordSystem(chunk->systems[system]); });
                ++system;
                break;
            case CBulkEventQueue::kElement:
                FileRecord([&] { m_target.AddElement(chunk->elements[element]); });
                ++element;
                break;
            case CBulkEventQueue::kAction:
                if (!m_isCardRefused)
                    chunk->actions[action]();
                ++action;
                break;
            case CBulkEventQueue::kCardEnd:
            {
                const CBulkEventQueue::SCardEnd& end = chunk->cardEnds[cardEnd++];
                if (m_isCardRefused)
                {
                    m_isCardRefused = false;
                    m_sink.AddOutputLine(BulkMessage("FormatErrorAtLineNumber", end.lineNumber));
                }
                if (m_target.IsReadStopped())
                {
                    // Nothing after this card is read; only what its deck says at its end.
                    if (end.onStop >= 0)
                        chunk->stopActions[static_cast<std::size_t>(end.onStop)]();
                    m_queue->Cancel();
                    return;
                }
                break;
            }
            }
        }
        m_queue->Recycle(std::move(chunk));
    }
}

template <typename File>
void CBulkDataReader::FileRecord(File file)
{
    if (m_isCardRefused)
        return;
    try
    {
        file();
    }
    catch (const std::exception&) // memory
    {
        m_isCardRefused = true;
    }
    catch (CException* e) // the model's collections
    {
        e->Delete();
        m_isCardRefused = true;
    }
}

void CBulkDataReader::Output(std::function<std::string()> line)
{
    m_queue->Defer([this, line = std::move(line)] { m_sink.AddOutputLine(line()); });
}

// includeLine: the line of the including file that names the deck, 0 for the main deck.
bool CBulkDataReader::ReadDeck(const std::string& path, int includeLine)
{
    CDeckFile deck;
    switch (deck.Open(path))
    {
    case CDeckFile::kCannotOpen:
        Output([path] { return BulkMessage("NotFound", path); });
        return false;
    case CDeckFile::kNotAFile:
        Output([path] { return ImportMessage("NotAFile", {path}); });
        return false;
    default: break;
    }
    // Files are known by what they are, not by their path's text.
    const CDeckFile::SIdentity& identity = deck.GetIdentity();
    const bool isOpen =
        std::find(m_openDecks.begin(), m_openDecks.end(), identity) != m_openDecks.end();
    if (isOpen || m_openDecks.size() >= kMaxIncludeDepth)
    {
        Output([path, includeLine] { return BulkMessage("IncludeCycle", path, includeLine); });
        return false;
    }
    // A file read once adds nothing the second time; reading it again could make the work of
    // one import grow without bound (each of many files including the next twice).
    if (!m_readDecks.insert(identity).second)
    {
        Output(
            [path, includeLine] {
                return ImportMessage("IncludeRepeated", {path, includeLine});
            });
        return false;
    }
    m_openDecks.push_back(identity);
    CBulkLineReader lines(deck.GetStream());
    ReadCards(lines, path);
    if (lines.IsLineTooLong())
        Output(LineTooLongMessage(path, lines));
    m_openDecks.pop_back();
    return true;
}

std::function<std::string()> CBulkDataReader::LineTooLongMessage(const std::string& path,
                                                                 const CBulkLineReader& lines)
{
    return [path, lineNumber = lines.LineNumber() + 1]
    {
        return ImportMessage(
            "LineTooLong",
            {path, lineNumber, static_cast<long long>(CBulkLineReader::kMaxLineLength)});
    };
}

void CBulkDataReader::ReadCards(CBulkLineReader& lines, const std::string& path)
{
    std::string_view line;
    while (!m_isAtEndData && !m_queue->IsReadStopped() && lines.ReadLine(line))
    {
        // Comments, blank lines and continuations of cards not read.
        if (line.empty() || line[0] == '$' || line[0] == ' ' || line[0] == '+' || line[0] == '*' ||
            line[0] == ',')
            continue;
        if (IsIncludeLine(line))
        {
            ReadInclude(std::string(line), path, lines.LineNumber());
            continue;
        }
        // The name is the first 8 columns' alone: a block of one card reads it once.
        const std::string_view head = line.substr(0, 8);
        if (head != m_lastHead)
        {
            m_lastHead.assign(head.data(), head.size());
            CBulkCard::ReadName(head, m_name);
        }
        const CBulkCard::SName& name = m_name;
        // Decks run in blocks of one card: the last name found is asked first.
        if (name.name != m_lastName)
        {
            m_lastName = name.name;
            m_lastHandler = FindHandler(name.name);
            m_lastRequiredField = m_lastHandler != nullptr ? LastRequiredField(name.name) : 0;
            m_layout = LayoutOfCard(name.name);
        }
        const Handler handler = m_lastHandler;
        if (handler == nullptr)
        {
            // Case control lies between "CEND" and "BEGIN BULK"; its commands are no cards.
            if (name.name == "CEND" || name.name.compare(0, 5, "BEGIN") == 0)
                m_isInCaseControl = name.name == "CEND";
            else if (name.name == "ENDDATA")
                m_isAtEndData = true; // also in an included file: the deck ends there
            else if (ToUpper(line[0]) == 'C' && !m_isInCaseControl)
            {
                Output([columns = TrimRight(line.substr(0, 8)), lineNumber = lines.LineNumber()]
                       { return BulkMessage("NonSupportedElement", columns, lineNumber); });
            }
            continue;
        }
        m_card.Start(name, line, lines.LineNumber());
        if (name.isFreeField)
        {
            m_queue->Defer([this, name = m_card.Name(), columns = TrimRight(line.substr(0, 8)),
                            lineNumber = m_card.LineNumber()]
                           { ReportUnreadable(name, columns, lineNumber); });
            continue;
        }
        GatherContinuations(lines, ContinuationMarker(line));
        ReadCard(handler, lines, path);
    }
}

// Takes the lines that continue the current card; comments between them are passed over. A
// line continues the card when it is marked so ("+", "*" or a blank name field), when its name
// field repeats the marker at the end of the line before ("C1" after a line ending in "C1"),
// or when the card still lacks a line its fields need and the line starts no card we know.
void CBulkDataReader::GatherContinuations(CBulkLineReader& lines, std::string_view firstMarker)
{
    const int fieldsPerLine = m_card.IsLargeField() ? 4 : 8;
    int linesNeeded = m_lastRequiredField / fieldsPerLine;
    // Kept apart from the lines, which the reader overwrites as it goes.
    m_marker.assign(firstMarker.data(), firstMarker.size());
    std::string_view line;
    while (lines.ReadLine(line))
    {
        if (!IsFieldFilled(line) || line[0] == '$')
            continue;
        const bool isContinuation = CBulkCard::IsContinuation(line) ||
                                    (!m_marker.empty() && NameField(line) == m_marker) ||
                                    (linesNeeded > 0 && !StartsKnownCard(line));
        if (!isContinuation)
        {
            lines.PutBack();
            return;
        }
        m_card.AddContinuation(line);
        --linesNeeded;
        const std::string_view marker = ContinuationMarker(line);
        m_marker.assign(marker.data(), marker.size());
    }
}

void CBulkDataReader::ReadInclude(const std::string& line, const std::string& includingPath,
                                  int lineNumber)
{
    const std::size_t open = line.find('\'');
    const std::size_t close = open == std::string::npos ? open : line.find('\'', open + 1);
    if (close == std::string::npos || close == open + 1)
    {
        Output([lineNumber] { return BulkMessage("FormatErrorAtLineNumber", lineNumber); });
        return;
    }
    const std::string name = line.substr(open + 1, close - open - 1);
    std::string path = IncludedPath(includingPath, name);
    if (!CanOpen(path))
    {
        // Decks written for a solver run may name nested includes relative to the folder of
        // the main deck, where the run starts, instead of the including file's.
        const std::string fromMainDeck = IncludedPath(m_mainDeck, name);
        if (CanOpen(fromMainDeck))
            path = fromMainDeck;
    }
    Output([path] { return "[" + path + "]"; });
    ReadDeck(path, lineNumber);
}

void CBulkDataReader::ReadCard(Handler handler, const CBulkLineReader& lines,
                               const std::string& path)
{
    int result = -1;
    try
    {
        result = (this->*handler)();
    }
    catch (const std::exception&) // a field that is no number, an id out of range, memory
    {
        result = 0;
    }
    const int lineNumber = m_card.LineNumber();
    if (result == 0)
        Output([lineNumber] { return BulkMessage("FormatErrorAtLineNumber", lineNumber); });
    else if (result < 0)
        m_queue->Defer([this, name = m_card.Name(), lineNumber]
                       { ReportBlankField(name, lineNumber); });
    // Should filing this card stop the read, the deck says no more than what ends it here.
    std::function<void()> onStop;
    if (lines.IsLineTooLong())
    {
        onStop = [this, message = LineTooLongMessage(path, lines)]
        { m_sink.AddOutputLine(message()); };
    }
    m_queue->EndCard(lineNumber, std::move(onStop));
}

bool CBulkDataReader::ReadId(int field, int& id) const
{
    constexpr int kMaxId = 100000000;
    id = ParseBulkInt(m_card.Field(field));
    if (id < 0 || id > kMaxId)
        throw CBulkFieldError("id out of range");
    return id > 0;
}

// Once per card name and read: a deck written in a form this reader does not take would
// otherwise fill the output with one line per card.
void CBulkDataReader::ReportUnreadable(const std::string& name, const std::string& firstColumns,
                                       int lineNumber)
{
    if (m_reportedCards.insert(name).second)
        m_sink.AddOutputLine(BulkMessage("NonSupportedElement", firstColumns, lineNumber));
}

void CBulkDataReader::ReportBlankField(const std::string& name, int lineNumber)
{
    if (m_reportedCards.insert(name).second)
        m_sink.AddOutputLine(BulkMessage("FormatErrorAtLineNumber", lineNumber));
}
