// Project tree nodes of the project and its geometry.
#include "app/ProjectTreeNodes.h"

#include "core/services/StringFile.h"

namespace
{
// Pictures of the tree's image list.
constexpr int kProjectIcon = 0;
constexpr int kGeometryIcon = 4;

// Entity-kind bits of the display filter.
constexpr DWORD kSolidBit = 0x01;
constexpr DWORD kShellBit = 0x02;
constexpr DWORD kBeamBit = 0x04;
constexpr DWORD kMassBit = 0x08;
constexpr DWORD kElassBit = 0x10;
constexpr DWORD kGridBit = 0x20;

// The label of a node in the current language serves as its text and its key.
void SetLabel(CTreeNode& node, const char* labelKey)
{
    CString label;
    LoadStringFromFile(CString("standard.str"), CString("Tree"), CString(labelKey), &label);
    node.SetText(label);
    node.SetKey(label);
}
} // namespace

CFolderNode::CFolderNode()
{
    m_kind = kKind;
    m_icon = kProjectIcon;
    SetKey(CString(kRootKey));
}

CGeometryNode::CGeometryNode()
{
    m_kind = kKind;
    m_icon = kGeometryIcon;
    SetLabel(*this, "GeometryNode");
}

CEntityFilterNode::CEntityFilterNode(BYTE kind, const char* labelKey, DWORD bit, int plainIcon,
                                     int checkedIcon)
    : m_bit(bit)
    , m_plainIcon(plainIcon)
    , m_checkedIcon(checkedIcon)
{
    m_kind = kind;
    m_icon = plainIcon;
    SetLabel(*this, labelKey);
}

void CEntityFilterNode::Execute()
{
    if (m_displayFilter == nullptr)
        return;
    *m_displayFilter ^= m_bit;
    RefreshIcon();
}

void CEntityFilterNode::RefreshIcon()
{
    if (m_displayFilter != nullptr)
        m_icon = (*m_displayFilter & m_bit) != 0 ? m_checkedIcon : m_plainIcon;
}

CSolidNode::CSolidNode()
    : CEntityFilterNode(7, "SolidNode", kSolidBit, 9, 15)
{
}

CShellNode::CShellNode()
    : CEntityFilterNode(6, "ShellNode", kShellBit, 10, 16)
{
}

CBeamNode::CBeamNode()
    : CEntityFilterNode(10, "BeamNode", kBeamBit, 7, 13)
{
}

CMassNode::CMassNode()
    : CEntityFilterNode(8, "MassNode", kMassBit, 6, 12)
{
}

CElassNode::CElassNode()
    : CEntityFilterNode(9, "ElassNode", kElassBit, 8, 14)
{
}

CGridNode::CGridNode()
    : CEntityFilterNode(11, "GRIDNode", kGridBit, 5, 11)
{
}
