// Nodal motion tables: static and transient displacements, eigenvectors of real modes and the
// acoustic variant. Registered under the family name "OUG".
#pragma once

#include "io/op2/NSResultBlockReader.h"

class OUGNSResultBlockReader : public NSResultBlockReader
{
public:
    int createResults(CModelSet* model, int64_t filePosition) override;
    int readRecord(int nBytes, CModelSet* model, const CResultMap* group) override;

private:
    // What the current table header says.
    struct Table
    {
        int tableType = 0;
        int approachCode = 0;
        bool isSortTwo = false;
        bool isStepped = false;
        bool isAcoustic = false;
        int entryBytes = 0; // 0: not read
        int flags = 0;
        int tag = -1;
        double stepValue = 0.0;
        int subcase = 0; // with the step value, it keeps two subcases' load cases apart
    };
    Table ReadTable() const;
    // Packed ids of the table's results in registration order; returns their count.
    static int TableResultIds(const Table& table, CModelSet* model, int* ids);
};
