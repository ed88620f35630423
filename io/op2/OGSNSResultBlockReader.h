// Grid point stress tables: per grid (and, for surfaces, per element) stresses of four record
// types chosen by the table code, under the family name "OGS".
#pragma once

#include "io/op2/SizedResultBlockReader.h"

class OGSNSResultBlockReader : public SizedResultBlockReader
{
public:
    int createResults(CModelSet* model, int64_t filePosition) override;
    int readRecord(int nBytes, CModelSet* model, const CResultMap* group) override;

    // Entry bytes of a record type by its full table code, 0 when it is not supported.
    static int EntryBytesOf(int tableCode);

private:
    struct RecordType;
    static const RecordType* FindRecordType(int tableCode);
    static void ResultIds(const RecordType& type, CModelSet* model, const StepKey& step, int* ids);
};
