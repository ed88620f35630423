// Element strain energy tables: energy, percent of total and energy density per element,
// three elemental scalars under the family name "OEE". Only table type 18 holds them; the
// strain tables filed under this reader register nothing.
#pragma once

#include "io/op2/SizedResultBlockReader.h"

class OEENSResultBlockReader : public SizedResultBlockReader
{
public:
    int createResults(CModelSet* model, int64_t filePosition) override;
    int readRecord(int nBytes, CModelSet* model, const CResultMap* group) override;

private:
    // Entry bytes of the current table, 0 when it is refused (logged at location) or holds no
    // strain energy.
    int AcceptedEntryBytes(const char* location) const;
    static void ResultIds(CModelSet* model, const StepKey& step, int* ids);
};
