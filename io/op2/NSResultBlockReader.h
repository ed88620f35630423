// Base of the OUTPUT2 result table readers. A table is a sequence of subcases, each an IDENT
// record (the table header) and one data record; derived readers give the words their meaning.
#pragma once

#include "io/op2/NSBlockReader.h"

#include <cstdint>
#include <map>

class CResultData;

// The results a data pass wants from one subcase: packed result id -> result object.
using ResultGroup = std::map<int, CResultData*>;

class NSResultBlockReader : public NSBlockReader
{
public:
    static constexpr int kIdentWords = 146;

    NSResultBlockReader();

    // Catalogue pass: registers the results of every subcase with its file position.
    int readBlock(COp2File* file, CModelSet* model, bool skipAll) override;
    // Stores the values of the whole entries in the shared buffer; returns the byte count of
    // an incomplete last entry, or a negative value on failure. group is null on the
    // catalogue pass.
    virtual int readRecord(int nBytes, CModelSet* model, const ResultGroup* group);
    // Registers the results named by the current table header. 1 asks for the data record to
    // be read at once; anything else skips it.
    virtual int createResults(CModelSet* model, int64_t filePosition);
    // Data pass, the file positioned at a subcase: fills the results of group from that
    // subcase and stops at its end.
    virtual int readData(COp2File* file, CModelSet* model, const ResultGroup* group);

    static int ReadTableHeader(COp2File* file, int* identBuffer, bool* endOfTable);
    // out = packedId, or -1 when a group is given and does not hold the id.
    static void ResolveGroupResultId(int* out, int packedId, const ResultGroup* group);
    // The IDENT record of the subcase being read (kIdentWords words, process-wide).
    static int* TableHeader();

private:
    int ReadDataRecord(COp2File& file, CModelSet* model, const ResultGroup* group, bool wanted);
};
