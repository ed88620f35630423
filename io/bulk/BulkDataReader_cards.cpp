// Bulk-data card handlers: GRID, the coordinate-system cards and the element cards.
#include "io/bulk/BulkDataReader.h"
#include "io/bulk/BulkEventQueue.h"
#include "io/bulk/BulkField.h"
#include "io/bulk/BulkMessages.h"

#include <algorithm>
#include <string_view>

// GRID ID CP X1 X2 X3; CD, PS and SEID are not needed for display. A blank coordinate is 0.0.
int CBulkDataReader::ReadGrid()
{
    SBulkGrid grid;
    if (!ReadId(0, grid.id))
        return -1;
    ReadId(1, grid.cp); // blank or 0: the basic system
    grid.x = ParseBulkField(m_card.Field(2));
    grid.y = ParseBulkField(m_card.Field(3));
    grid.z = ParseBulkField(m_card.Field(4));
    m_queue->AddGrid(grid);
    return 1;
}

namespace
{
SBulkCoordSystem::EForm FormOfCard(const std::string& name)
{
    // "CORD1R", "CORD2C", ...: the last letter names the form.
    switch (name.back())
    {
    case 'C': return SBulkCoordSystem::Cylindrical;
    case 'S': return SBulkCoordSystem::Spherical;
    default: return SBulkCoordSystem::Rectangular;
    }
}
} // namespace

// CORD1x CIDA G1A G2A G3A CIDB G1B G2B G3B: one or two systems, each by three grids.
int CBulkDataReader::ReadCord1()
{
    int added = 0;
    for (int first = 0; first <= 4; first += 4)
    {
        if (first > 0 && !m_card.IsFilled(first))
            break;
        SBulkCoordSystem system;
        system.form = FormOfCard(m_card.Name());
        system.isByGrids = true;
        if (!ReadId(first, system.id))
            return -1;
        for (int i = 0; i < 3; ++i)
        {
            if (!ReadId(first + 1 + i, system.gridIds[i]))
                return -1;
        }
        m_queue->AddCoordSystem(system);
        ++added;
    }
    return added;
}

// CORD2x CID RID A1 A2 A3 B1 B2 B3 / C1 C2 C3. A blank RID is the basic system.
int CBulkDataReader::ReadCord2()
{
    SBulkCoordSystem system;
    system.form = FormOfCard(m_card.Name());
    if (!ReadId(0, system.id))
        return -1;
    ReadId(1, system.referenceId);
    for (int i = 0; i < 3; ++i)
    {
        system.a[i] = ParseBulkField(m_card.Field(2 + i));
        system.b[i] = ParseBulkField(m_card.Field(5 + i));
        system.c[i] = ParseBulkField(m_card.Field(8 + i));
    }
    m_queue->AddCoordSystem(system);
    return 1;
}

namespace
{
using SLayout = CBulkDataReader::SElementLayout;

constexpr SLayout kQuad = {94, 132, 1, 4, 1, false, -1, {2, 3, 4, 5}, -1, -1};
constexpr SLayout kTria = {91, 132, 1, 3, 1, false, -1, {2, 3, 4}, -1, -1};
// CTRIAX6 EID MID G1 G2 G3 G4 G5 G6: corners at G1, G3 and G5; no property.
constexpr SLayout kTriax6 = {91, 132, 1, 3, -1, false, 1, {2, 4, 6}, -1, -1};
constexpr SLayout kBar = {21, 101, 0, 2, 1, false, -1, {2, 3}, -1, -1};
// CONROD EID G1 G2 MID: no property.
constexpr SLayout kConrod = {21, 101, 0, 2, -1, false, 3, {1, 2}, -1, -1};
constexpr SLayout kHexa = {115, 129, 6, 8, 1, false, -1, {2, 3, 4, 5, 6, 7, 8, 9}, 10, 21};
constexpr SLayout kPenta = {112, 129, 5, 6, 1, false, -1, {2, 3, 4, 5, 6, 7}, 8, 16};
constexpr SLayout kTetra = {111, 129, 4, 4, 1, false, -1, {2, 3, 4, 5}, 6, 11};
// The second card of each pair holds a mass or stiffness where the first holds a property.
constexpr SLayout kMass12 = {251, 131, 0, 2, 1, false, -1, {2, 4}, -1, -1};
constexpr SLayout kMassValue12 = {251, 131, 0, 2, 1, true, -1, {2, 4}, -1, -1};
constexpr SLayout kMass34 = {251, 131, 0, 2, 1, false, -1, {2, 3}, -1, -1};
constexpr SLayout kMassValue34 = {251, 131, 0, 2, 1, true, -1, {2, 3}, -1, -1};
constexpr SLayout kElas12 = {250, 130, 0, 2, 1, false, -1, {2, 4}, -1, -1};
constexpr SLayout kElasValue12 = {250, 130, 0, 2, 1, true, -1, {2, 4}, -1, -1};
constexpr SLayout kElas34 = {250, 130, 0, 2, 1, false, -1, {2, 3}, -1, -1};
constexpr SLayout kElasValue34 = {250, 130, 0, 2, 1, true, -1, {2, 3}, -1, -1};
constexpr SLayout kConm = {251, 131, 0, 1, -1, false, -1, {1}, -1, -1};
// A gap is drawn as a spring and a shear panel as a shell, so that neither is left undrawable.
constexpr SLayout kGap = {253, 130, 0, 2, 1, false, -1, {2, 3}, -1, -1};
constexpr SLayout kShear = {254, 132, 0, 4, 1, false, -1, {2, 3, 4, 5}, -1, -1};

} // namespace

const CBulkDataReader::SElementLayout* CBulkDataReader::LayoutOfCard(std::string_view name)
{
    struct SCardLayout
    {
        std::string_view name;
        const SLayout& layout;
    };
    static const SCardLayout kCards[] = {
        {"CQUAD4", kQuad},        {"CQUAD8", kQuad},        {"CQUAD", kQuad},
        {"CQUADR", kQuad},        {"CTRIA3", kTria},        {"CTRIA6", kTria},
        {"CTRIAR", kTria},        {"CTRIAX6", kTriax6},     {"CBAR", kBar},
        {"CBEAM", kBar},          {"CBEND", kBar},          {"CROD", kBar},
        {"CONROD", kConrod},      {"CTUBE", kBar},          {"CHEXA", kHexa},
        {"CPENTA", kPenta},       {"CTETRA", kTetra},       {"CMASS1", kMass12},
        {"CMASS2", kMassValue12}, {"CMASS3", kMass34},      {"CMASS4", kMassValue34},
        {"CELAS1", kElas12},      {"CELAS2", kElasValue12}, {"CELAS3", kElas34},
        {"CELAS4", kElasValue34}, {"CONM1", kConm},         {"CONM2", kConm},
        {"CGAP", kGap},           {"CSHEAR", kShear},
    };
    for (const SCardLayout& card : kCards)
    {
        if (card.name == name)
            return &card.layout;
    }
    return nullptr;
}

int CBulkDataReader::LastRequiredField(std::string_view name)
{
    if (name == "GRID")
        return 4; // X3
    if (name.compare(0, 5, "CORD1") == 0)
        return 3; // G3A; a second system is optional
    if (name.compare(0, 5, "CORD2") == 0)
        return 10; // C3
    const SElementLayout* layout = LayoutOfCard(name);
    if (layout == nullptr)
        return 0;
    int last = std::max(layout->propertyField, layout->materialField);
    for (int i = 0; i < layout->nodeCount; ++i)
        last = std::max(last, layout->nodeFields[i]);
    return last;
}

int CBulkDataReader::ReadQuad4()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadTria3()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadBar()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadHexa()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadPenta()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadTetra()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadMass12()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadMass34()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadElas12()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadElas34()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadConm()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadGap()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadShear()
{
    return ReadElement(*m_layout);
}

int CBulkDataReader::ReadElement(const SElementLayout& layout)
{
    SBulkElement element;
    if (!ReadId(0, element.id))
        return -1;
    element.descriptorId = layout.descriptorId;
    element.kindTag = layout.kindTag;
    element.faceCount = layout.faceCount;
    element.nodeCount = layout.nodeCount;

    if (layout.isPropertyAValue)
        element.propertyId = ParseLeadingInt(m_card.Field(layout.propertyField));
    else if (layout.propertyField >= 0)
    {
        // A blank property id defaults to the element id.
        if (!ReadId(layout.propertyField, element.propertyId))
            element.propertyId = element.id;
    }
    if (layout.materialField >= 0)
        ReadId(layout.materialField, element.materialId);

    for (int i = 0; i < layout.nodeCount; ++i)
    {
        if (!ReadId(layout.nodeFields[i], element.nodeIds[i]))
            return -1;
    }

    // Mid-side nodes are dropped: the element is kept with its corner nodes.
    for (int field = layout.firstMidsideField; field >= 0 && field <= layout.lastMidsideField;
         ++field)
    {
        if (ParseLeadingInt(m_card.Field(field)) > 0)
        {
            Output([name = m_card.Name()] { return BulkMessage("NonSupportedHighElement", name); });
            break;
        }
    }
    m_queue->AddElement(element);
    return 1;
}
