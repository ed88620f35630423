// Single- and multi-point constraint force tables: a force and a moment vector per node,
// registered under the family name "OQG". The table type is the result number, so SPC and MPC
// forces are separate results.
#pragma once

#include "io/op2/NSResultBlockReader.h"

class OQGNSResultBlockReader : public NSResultBlockReader
{
public:
    int createResults(CModelSet* model, int64_t filePosition) override;
    int readRecord(int nBytes, CModelSet* model, const CResultMap* group) override;

private:
    struct Table
    {
        int resultNumber = 0;
        int entryBytes = 0; // 0: not read
        bool isStepped = false;
        int flags = 0;
        int tag = -1;
        double stepValue = 0.0;
        int subcase = 0; // with the step value, it keeps two subcases' load cases apart
    };
    Table ReadTable() const;
    // Force id and moment id.
    static void TableResultIds(const Table& table, CModelSet* model, int* ids);
};
