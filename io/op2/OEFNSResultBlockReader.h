// Element force tables: every force component of a known element type becomes an elemental
// scalar under the family name "OEF". A component has one type number whatever element type
// carries it, so the axial forces of rods and bars are one result.
#pragma once

#include "io/op2/SizedResultBlockReader.h"

class OEFNSResultBlockReader : public SizedResultBlockReader
{
public:
    int createResults(CModelSet* model, int64_t filePosition) override;
    int readRecord(int nBytes, CModelSet* model, const CResultMap* group) override;

    struct Layout;

protected:
    bool IsReadableTable() const override;

private:
    // False when the table is refused: complex, thermal or sort 2 (logged).
    bool AcceptTable();
    static const Layout* FindLayout(int elementType);
    void ResultIds(const Layout& layout, CModelSet* model, const StepKey& step, int* ids) const;
    // shift: words between the element key and the values (0 but for plates with corners).
    void StoreEntry(const Layout& layout, const int* entry, int shift, CResultData* const* results,
                    CModelSet* model, const StepKey& step) const;
};
