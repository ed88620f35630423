// Base of the OUTPUT2 result table readers. A table is a sequence of subcases, each an IDENT
// record (the table header) and one data record; derived readers give the words their meaning.
#pragma once

#include "core/model/ResultData.h"
#include "io/op2/NSBlockReader.h"

#include <cstdint>
#include <initializer_list>

class NSResultBlockReader : public NSBlockReader
{
public:
    static constexpr int kIdentWords = op2::kIdentWords;

    NSResultBlockReader();

    // Catalogue pass: registers the results of every subcase with its file position.
    int readBlock(COp2File* file, CModelSet* model, bool skipAll) override;
    // Stores the values of the whole entries in the shared buffer; returns the byte count of
    // an incomplete last entry, or a negative value on failure. group is null on the
    // catalogue pass.
    virtual int readRecord(int nBytes, CModelSet* model, const CResultMap* group);
    // Registers the results named by the current table header. 1 asks for the data record to
    // be read at once; anything else skips it.
    virtual int createResults(CModelSet* model, int64_t filePosition);
    // Data pass, the file positioned at a subcase: fills the results of group from that
    // subcase and stops at its end.
    virtual int readData(COp2File* file, CModelSet* model, const CResultMap* group);

    static int ReadTableHeader(COp2File* file, int* identBuffer, bool* endOfTable);
    // out = packedId, or -1 when a group is given and does not hold the id.
    static void ResolveGroupResultId(int* out, int packedId, const CResultMap* group);
    // The IDENT record of the subcase being read (kIdentWords words of the read).
    int* TableHeader() const;
    // Words of the data record in the read's input buffer.
    const int* InputWords() const { return SharedBuffer(); }
    // Packed result id: bits 0-2 variant, 3-12 load-case index, 13-22 result number, 23-29
    // type bits.
    static int PackResultId(int resultNumber, int typeBits, int loadCase, int variant);
    // Word 4 of the table header by its bit pattern as a float, widened.
    double StepWordAsFloat() const;

protected:
    // True when the current table's type (table code modulo 1000) is one of tableTypes, the
    // kinds of table the block holds. A table of another kind (a stress table under a force
    // block's name) is reported, once per block, and gives false: it is not read as something
    // it is not.
    bool IsTableOfKind(std::initializer_list<int> tableTypes);
    // Called at the start of every catalogue pass over a block.
    void StartBlock() { m_isForeignTableReported = false; }
    // The file being read, the source of the results created; empty for a block reader used
    // on its own.
    CString SourcePath() const;

private:
    int ReadDataRecord(COp2File& file, CModelSet* model, const CResultMap* group, bool wanted);

    bool m_isForeignTableReported = false;
};
