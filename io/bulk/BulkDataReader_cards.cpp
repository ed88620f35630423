// Bulk-data card handlers: GRID, the coordinate-system cards and the element cards.
#include "core/services/OutputSink.h"
#include "io/bulk/BulkDataReader.h"
#include "io/bulk/BulkField.h"
#include "io/bulk/BulkMessages.h"

// GRID ID CP X1 X2 X3; CD, PS and SEID are not needed for display. A blank coordinate is 0.0.
int CBulkDataReader::ReadGrid()
{
    SBulkGrid grid;
    if (!ReadId(0, grid.id))
        return -1;
    grid.cp = ParseBulkInt(m_card.Field(1));
    if (grid.cp < 0)
        throw CBulkFieldError("negative coordinate system");
    grid.x = ParseBulkField(m_card.Field(2));
    grid.y = ParseBulkField(m_card.Field(3));
    grid.z = ParseBulkField(m_card.Field(4));
    m_target.AddGrid(grid);
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
        m_target.AddCoordSystem(system);
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
    system.referenceId = ParseBulkInt(m_card.Field(1));
    if (system.referenceId < 0)
        throw CBulkFieldError("negative reference system");
    for (int i = 0; i < 3; ++i)
    {
        system.a[i] = ParseBulkField(m_card.Field(2 + i));
        system.b[i] = ParseBulkField(m_card.Field(5 + i));
        system.c[i] = ParseBulkField(m_card.Field(8 + i));
    }
    m_target.AddCoordSystem(system);
    return 1;
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
            m_sink.AddOutputLine(BulkMessage("NonSupportedHighElement", m_card.Name()));
            break;
        }
    }
    m_target.AddElement(element);
    return 1;
}
