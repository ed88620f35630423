// Element stress and strain tables of quadrilateral plates (element type 33), linear
// hexahedra (67) and the solids of element type 93, under the family name "OES". Plates give
// one value per element; solids one per corner, the centre first.
#pragma once

#include "io/op2/SizedResultBlockReader.h"

class OESNSResultBlockReader : public SizedResultBlockReader
{
public:
    int createResults(CModelSet* model, int64_t filePosition) override;
    int readRecord(int nBytes, CModelSet* model, const CResultMap* group) override;

    struct Layout;

protected:
    bool IsReadableTable() const override;

private:
    static const Layout* FindLayout(int elementType);
    // The layout of the current table, null when it is refused (logged at location).
    const Layout* AcceptedLayout(const char* location);
    int ResultNumber() const;
    void ResultIds(const Layout& layout, CModelSet* model, const StepKey& step, int* ids) const;
    bool CheckLayoutEntry(const Layout& layout, const char* location) const;
};
