// Bulk-data deck reader: small- and large-field cards, continuations, include files.
// Cards become records for a receiver; ids are passed on as the deck writes them.
#pragma once

#include "io/bulk/BulkCard.h"
#include "io/bulk/BulkRecords.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

class CBulkLineReader;
class CBulkModelFiller;
class CModelSet;
class COutputSink;

class CBulkDataReader
{
public:
    // Card handlers dispatch by this; the element cards share one reader driven by a layout.
    enum class ECard
    {
        Grid,
        Cord1,
        Cord2,
        Element
    };

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

    // Reads the deck and the files it includes. False only when the file cannot be opened; a
    // card that cannot be read is reported and skipped.
    bool ReadBulkData(std::string path);

private:
    bool ReadDeck(const std::string& path);
    void ReadCards(CBulkLineReader& lines, const std::string& path);
    void GatherContinuations(CBulkLineReader& lines);
    void ReadInclude(const std::string& line, const std::string& includingPath, int lineNumber);
    void ReadCard(ECard card, const SElementLayout* layout);

    int ReadGrid();
    int ReadCord1();
    int ReadCord2();
    int ReadElement(const SElementLayout& layout);

    // An id field that must be a positive id; throws on anything else but a blank.
    bool ReadId(int field, int& id) const;
    void ReportUnreadable(const std::string& firstColumns);
    void ReportBlankField();

    std::unique_ptr<CBulkModelFiller> m_modelFiller; // when reading into a model
    CBulkRecordTarget& m_target;
    COutputSink& m_sink;
    CBulkCard m_card;                      // the card being read
    std::string m_mainDeck;                // the path ReadBulkData was given
    std::vector<std::string> m_openDecks;  // include chain, normalised, to refuse cycles
    std::set<std::string> m_reportedCards; // card names already reported as unreadable
};
