// Base of the element and grid point result readers, whose entries have a fixed size per
// subcase. It measures a subcase's whole data record (over all its continuation pieces) before
// the derived reader registers or stores anything, so that a record that does not hold whole
// entries is refused as a whole instead of being read up to a torn last entry.
#pragma once

#include "core/geometry/Point3D.h"
#include "io/op2/NSResultBlockReader.h"

#include <cstdint>

class SizedResultBlockReader : public NSResultBlockReader
{
public:
    // One result of an entry layout: type bits, kind and the words it takes, counted from the
    // start of its entry or station block. A scalar takes words[0]; a vector takes three
    // words, kZeroWord standing for a zero component.
    static constexpr int kScalarWord = -2;
    static constexpr int kZeroWord = -1;
    struct EntryColumn
    {
        int typeBits;
        int kind;
        int words[3]; // {word, kScalarWord, 0} for a scalar
        bool IsVector() const { return words[1] != kScalarWord; }
    };

    int readBlock(COp2File* file, CModelSet* model, bool skipAll) override;
    // Data pass from a subcase's position: that table and the following ones of the same
    // approach, subcase and step word.
    int readData(COp2File* file, CModelSet* model, const CResultMap* group) override;

protected:
    // True when the current table header is one the reader stores values from; no messages.
    virtual bool IsReadableTable() const { return true; }

    // The step of the current subcase: value, step-kind flags and tag of the stores.
    struct StepKey
    {
        bool isStepped = false; // the step word is a value; else every load-case index is 0
        double value = 0.0;
        int flags = 0;
        int tag = -1;    // the mode number for modes
        int subcase = 0; // with the value, it keeps two subcases' load cases apart
    };
    // flags: the step-kind flags the reader gives the subcase's approach code (0: not stepped).
    StepKey MakeStepKey(int flags) const;
    int ApproachCode() const { return TableHeader()[0] / 10; }
    // The load-case index of one result of the subcase (0 when not stepped).
    static int LoadCaseOf(CModelSet* model, const StepKey& step, int resultNumber, int typeBits);

    // Entry bytes from word 9 of the table header (words per entry); -1 when that is not a
    // size the input buffer can hold.
    int HeaderEntryBytes() const
    {
        const int words = TableHeader()[9];
        return words > 0 && words <= kBufferBytes / 4 ? 4 * words : -1;
    }
    // Bytes of the current subcase's data record, all pieces together.
    int64_t RecordBytes() const { return m_recordBytes; }
    // True when entries of entryBytes can be read from the current record: larger than 0, no
    // larger than the input buffer, at least minBytes (the words the layout reads) and
    // dividing the record. Otherwise logs why at location and gives false.
    bool CheckEntrySize(int entryBytes, int minBytes, const char* location) const;

    static float ColumnScalar(const int* block, const EntryColumn& column)
    {
        return op2::WordAsFloat(block, column.words[0]);
    }
    static CPoint3D ColumnVector(const int* block, const EntryColumn& column);

private:
    // Reads the data record's prefix and the lengths of all its pieces, then returns to where
    // it started. 1 when the table ends instead (prefix with no words), 0 when measured.
    int MeasureDataRecord(COp2File& file);
    int ReadDataRecord(COp2File& file, CModelSet* model, const CResultMap* group, bool wanted);

    int64_t m_recordBytes = 0;
};
