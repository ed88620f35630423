// Eigenvalue table: (mode, order, eigenvalue, radians, cycles, mass, stiffness) per mode.
#include "io/op2/LAMANSResultBlockReader.h"

#include "core/model/ModelSet.h"

namespace
{
constexpr int kEntryWords = 7;
constexpr int kCyclesWord = 4;
} // namespace

int LAMANSResultBlockReader::createResults(CModelSet*, int64_t)
{
    return 1;
}

int LAMANSResultBlockReader::readRecord(int nBytes, CModelSet* model, const CResultMap*)
{
    constexpr int kEntryBytes = kEntryWords * 4;
    const int entries = nBytes / kEntryBytes;
    const int* words = InputWords();
    for (int e = 0; e < entries; ++e)
    {
        const int* entry = words + e * kEntryWords;
        model->SetModeFrequency(entry[0], op2::WordAsFloat(entry, kCyclesWord));
    }
    return nBytes % kEntryBytes;
}
