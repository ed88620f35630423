// Bulk-data deck reader: small- and large-field cards, continuations, include files.
// Cards become records for a receiver; ids are passed on as the deck writes them.
#pragma once

#include "io/bulk/BulkCard.h"
#include "io/bulk/BulkRecords.h"
#include "io/bulk/DeckFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class CBulkEventQueue;
class CBulkLineReader;
class CBulkModelFiller;
class CModelSet;
class COutputSink;

class CBulkDataReader
{
public:
    // A card handler: reads the current card; 1 (or the number of systems) when taken, -1 when
    // a required field is blank. Throws on a field that is no number or an id out of range.
    using Handler = int (CBulkDataReader::*)();

    // Which fields of an element card hold what; field 0 is the one after the card name.
    struct SElementLayout
    {
        int descriptorId;
        int kindTag;
        std::int16_t faceCount;
        int nodeCount;
        int propertyField;     // -1: the card has none, the property id is 0
        bool isPropertyAValue; // a mass or stiffness that stands in for the property id
        int materialField;     // -1: none on the card
        int nodeFields[SBulkElement::kMaxNodes];
        int firstMidsideField; // mid-side node fields that are reported; -1: none
        int lastMidsideField;
    };

    // Reads into the model: ids are shifted past those the model holds now, and the systems and
    // nodes that wait for the rest of the deck are settled at the end of the read. Neither the
    // model nor the sink is owned.
    CBulkDataReader(CModelSet& model, COutputSink& sink);
    // The records go to target as the deck writes them; neither is owned.
    CBulkDataReader(CBulkRecordTarget& target, COutputSink& sink);
    CBulkDataReader(const CBulkDataReader&) = delete;
    CBulkDataReader& operator=(const CBulkDataReader&) = delete;
    virtual ~CBulkDataReader();

    // Reads the deck and the files it includes. False when the file cannot be opened, or when
    // the receiver stopped the read (IsReadStopped); a card that cannot be read is reported and
    // skipped. The lines are read on a thread of the reader's own; the receiver and the sink
    // are called on the caller's thread alone, in the deck's order.
    bool ReadBulkData(std::string path);
    bool IsReadStopped() const { return m_target.IsReadStopped(); }

private:
    static Handler FindHandler(std::string_view name);
    static bool StartsKnownCard(std::string_view line);
    // The index of the last field of the card that its handler needs (fields counted from 0
    // after the name); it tells how many continuation lines the card must have.
    static int LastRequiredField(std::string_view name);
    // The fields of an element card by name; null for other cards.
    static const SElementLayout* LayoutOfCard(std::string_view name);
    // The filing side, on the caller's thread.
    void FileEvents();
    template <typename File>
    void FileRecord(File file);
    // Hands a line for the sink to the filing side, which writes it in the deck's order.
    void Output(std::function<std::string()> line);
    static std::function<std::string()> LineTooLongMessage(const std::string& path,
                                                           const CBulkLineReader& lines);

    // The reading side.
    bool ReadDeck(const std::string& path, int includeLine);
    void ReadCards(CBulkLineReader& lines, const std::string& path);
    void GatherContinuations(CBulkLineReader& lines, std::string_view firstMarker);
    void ReadInclude(const std::string& line, const std::string& includingPath, int lineNumber);
    void ReadCard(Handler handler, const CBulkLineReader& lines, const std::string& path);

    int ReadGrid();
    int ReadCord1();
    int ReadCord2();
    // Element cards; higher-order shells and beams become their linear parents.
    int ReadQuad4(); // CQUAD4, CQUAD8, CQUAD, CQUADR
    int ReadTria3(); // CTRIA3, CTRIA6, CTRIAR, CTRIAX6
    int ReadBar();   // CBAR, CBEAM, CBEND, CROD, CONROD, CTUBE
    int ReadHexa();
    int ReadPenta();
    int ReadTetra();
    int ReadMass12(); // CMASS1, CMASS2
    int ReadMass34(); // CMASS3, CMASS4
    int ReadElas12(); // CELAS1, CELAS2
    int ReadElas34(); // CELAS3, CELAS4
    int ReadConm();   // CONM1, CONM2
    int ReadGap();
    int ReadShear();
    int ReadElement(const SElementLayout& layout);

    // An id field: true for a positive id; false for a blank or 0; throws for anything else,
    // negative ids and ids past the largest the model takes included.
    bool ReadId(int field, int& id) const;
    // The filing side's reports, each once per card name.
    void ReportUnreadable(const std::string& name, const std::string& firstColumns, int lineNumber);
    void ReportBlankField(const std::string& name, int lineNumber);

    // The filing side: the receiver, the sink and what they were told.
    std::unique_ptr<CBulkModelFiller> m_modelFiller; // when reading into a model
    CBulkRecordTarget& m_target;
    COutputSink& m_sink;
    std::set<std::string> m_reportedCards; // card names already reported as unreadable
    bool m_isCardRefused = false;          // the receiver refused a record of the card

    // Between the two sides, during a read.
    std::unique_ptr<CBulkEventQueue> m_queue;

    // The reading side.
    CBulkCard m_card;                              // the card being read
    std::string m_mainDeck;                        // the path ReadBulkData was given
    bool m_isInCaseControl = false;                // after "CEND", before "BEGIN BULK"
    bool m_isAtEndData = false;                    // "ENDDATA" met: the solver reads no further
    std::vector<CDeckFile::SIdentity> m_openDecks; // include chain, to refuse cycles
    std::set<CDeckFile::SIdentity> m_readDecks;    // every file read by this import
    std::string m_lastHead;                        // columns 1-8 of the line last named
    CBulkCard::SName m_name;                       // their name
    std::string m_marker;                          // that a continuation line may repeat
    std::string m_lastName;                        // of the card before, and what it takes:
    Handler m_lastHandler = nullptr;               // its handler,
    int m_lastRequiredField = 0;                   // the last field the handler needs
    const SElementLayout* m_layout = nullptr;      // and for an element, its layout
};
