// Entity Information dialog.
#include "dialogs/tools/EntityInfoDlg.h"

#include "core/geometry/FENode.h"
#include "core/model/ElementMeasure.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"

#include <exception>

namespace
{
constexpr int kIdsPerLine = 5;

struct TypeName
{
    int descriptorId;
    const char* key;
    bool isTreeKey; // section "Tree" of standard.str
};

constexpr TypeName kTypeNames[] = {
    {11, "BeamNode", true},         {21, "BeamNode", true},         {22, "BeamNode", true},
    {31, "BeamNode", true},         {121, "BeamNode", true},        {136, "BeamNode", true},
    {137, "BeamNode", true},        {191, "BeamNode", true},        {192, "BeamNode", true},
    {193, "BeamNode", true},        {24, "ParabolicBeam", false},   {41, "TriType", false},
    {51, "TriType", false},         {61, "TriType", false},         {74, "TriType", false},
    {81, "TriType", false},         {91, "TriType", false},         {42, "ParabolicTri", false},
    {52, "ParabolicTri", false},    {62, "ParabolicTri", false},    {72, "ParabolicTri", false},
    {82, "ParabolicTri", false},    {92, "ParabolicTri", false},    {44, "QuadType", false},
    {54, "QuadType", false},        {64, "QuadType", false},        {71, "QuadType", false},
    {84, "QuadType", false},        {94, "QuadType", false},        {171, "QuadType", false},
    {45, "ParabolicQuad", false},   {55, "ParabolicQuad", false},   {65, "ParabolicQuad", false},
    {75, "ParabolicQuad", false},   {85, "ParabolicQuad", false},   {95, "ParabolicQuad", false},
    {172, "ParabolicQuad", false},  {93, "WedgeType", false},       {103, "WedgeType", false},
    {112, "WedgeType", false},      {114, "WedgeType", false},      {96, "HexaType", false},
    {106, "HexaType", false},       {115, "HexaType", false},       {117, "HexaType", false},
    {102, "ParabolicWedge", false}, {113, "ParabolicWedge", false}, {105, "ParabolicHex", false},
    {116, "ParabolicHex", false},   {111, "TetraType", false},      {118, "ParabolicTetra", false},
    {250, "ElassNode", true},       {251, "MassNode", true},        {252, "PentaType", false},
    {253, "GapType", false},        {254, "ShearType", false}};

CString InfoText(const char* key)
{
    return ToolText("Dialog.str", "EntityInfo", key);
}

CString TreeText(const char* key)
{
    return ToolText("standard.str", "Tree", key);
}

// Only the tags of element classes: another object is never read as an element.
bool IsShownAsElement(int tag)
{
    return tag == kTagBeam || tag == kTagSolid || tag == kTagSpring || tag == kTagMass ||
           tag == kTagShell;
}
} // namespace

FW_TABLE(CEntityInfoDlg, CToolDlg, fw::command<IDC_TOOL_NEXT, &CEntityInfoDlg::OnNext>(),
         fw::command<IDC_TOOL_PREVIOUS, &CEntityInfoDlg::OnPrevious>(),
         fw::on<WM_CLOSE, &CEntityInfoDlg::OnClose>())

CEntityInfoDlg::CEntityInfoDlg(int frameKey)
    : CToolDlg(IDD_ENTITY_INFO, frameKey)
{
}

void CEntityInfoDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_TOOL_PREVIOUS, m_previous);
    DDX_Control(dx, IDC_TOOL_NEXT, m_next);
    DDX_Control(dx, IDC_INFO_LIST, m_list);
}

BOOL CEntityInfoDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetWindowText(ToolText("Dialog.str", "EntityInfo", "Entity_Info"));
    SetDlgItemText(IDOK, ToolText("Dialog.str", "Common", "OK").GetString());
    SetDlgItemText(IDC_TOOL_PREVIOUS, ToolText("Dialog.str", "Common", "Previous").GetString());
    SetDlgItemText(IDC_TOOL_NEXT, ToolText("Dialog.str", "Common", "Next").GetString());
    return TRUE;
}

void CEntityInfoDlg::ShowFirstEntity()
{
    m_nCount = static_cast<int>(m_Entities.GetSize());
    m_nCurrent = 0;
    if (m_nCount <= 1)
    {
        m_next.EnableWindow(FALSE);
        m_previous.EnableWindow(FALSE);
    }
    if (m_nCount == 0)
    {
        m_list.ResetContent();
        return;
    }
    ShowCurrentEntity();
}

void CEntityInfoDlg::OnNext()
{
    if (m_nCurrent + 1 >= m_nCount)
        return;
    ++m_nCurrent;
    m_previous.EnableWindow(TRUE);
    if (m_nCurrent == m_nCount - 1)
        m_next.EnableWindow(FALSE);
    ShowCurrentEntity();
}

void CEntityInfoDlg::OnPrevious()
{
    if (m_nCurrent <= 0 || m_nCount == 0)
        return;
    --m_nCurrent;
    m_next.EnableWindow(TRUE);
    if (m_nCurrent == 0)
        m_previous.EnableWindow(FALSE);
    ShowCurrentEntity();
}

void CEntityInfoDlg::OnOK()
{
    SendCode(CCmdRecord::kDialogOk);
}

void CEntityInfoDlg::OnClose()
{
    SendCode(CCmdRecord::kDialogOk);
}

void CEntityInfoDlg::OnCancel()
{
    SendCode(CCmdRecord::kEndCommand);
}

CString CEntityInfoDlg::ElementTypeName(int descriptorId)
{
    for (const TypeName& name : kTypeNames)
    {
        if (name.descriptorId == descriptorId)
            return name.isTreeKey ? TreeText(name.key) : InfoText(name.key);
    }
    return "  ---\t";
}

CString CEntityInfoDlg::EntityKindName(int typeTag)
{
    switch (typeTag)
    {
    case kTagBeam: return TreeText("BeamNode");
    case kTagNode: return TreeText("GridNode");
    case kTagSolid: return TreeText("SolidNode");
    case kTagSpring: return TreeText("ElassNode");
    case kTagMass: return TreeText("MassNode");
    case kTagShell: return TreeText("ShellNode");
    default: return TreeText("ObjectNode");
    }
}

void CEntityInfoDlg::ShowCurrentEntity()
{
    if (m_nCurrent < 0 || m_nCurrent >= m_Entities.GetSize())
        return;
    CModelEntity* entity = m_Entities[m_nCurrent];
    if (entity == nullptr)
        return;
    const bool isElement = IsShownAsElement(entity->type);
    if (!isElement && entity->type != kTagNode)
        return;
    m_list.ResetContent();
    try
    {
        if (isElement)
            AddElementLines(*static_cast<const CFEElement*>(entity));
        else
            AddNodeLines(*static_cast<const CFENode*>(entity));
    }
    catch (const std::exception&)
    {
        return; // the lines so far stay; nothing is highlighted
    }
    Highlight(entity);
}

void CEntityInfoDlg::AddElementLines(const CFEElement& element)
{
    AddLine(FormatTextInt(InfoText("EntityID") + " : %d", element.m_id), true);
    AddLine(InfoText("EntityType") + " : " + EntityKindName(element.type), true);
    AddLine(InfoText("ElementType") + " : " + ElementTypeName(element.m_feDescriptorId), true);
    double measure = 0.0;
    if (const CModelSet* model = FindModel())
    {
        const CElementMeasure measures(model);
        if (element.type == kTagBeam)
            measure = measures.Length(element, 1.0);
        else if (element.type == kTagShell)
            measure = measures.Area(element, 1.0);
        else if (element.type == kTagSolid)
            measure = measures.Volume(element);
    }
    AddLine(FormatTextDouble(InfoText("Volume"), measure), true);
    AddLine(FormatTextInt(ToolText("Dialog.str", "PropertyColor", "PropertyID") + " : %d",
                          element.m_propertyId),
            true);
    AddLine(FormatTextInt(InfoText("MaterialID") + " : %d", element.m_materialId), true);
    // The node kind's name with "IDs", as "Grid IDs".
    AddIdLines(TreeText("GridNode") + " IDs", element.m_ids);
}

void CEntityInfoDlg::AddNodeLines(const CFENode& node)
{
    AddLine(FormatTextInt(InfoText("EntityID") + " : %d", node.m_id), true);
    AddLine(InfoText("EntityType") + " : " + EntityKindName(node.type), true);
    AddIdLines(InfoText("ElementIds"), node.m_ids);
    AddLine(" ", false);
    CString coordinates;
    coordinates.Format("{ X, Y, Z } = { %6.2lf, %6.2lf, %6.2lf }", node.m_coord.x, node.m_coord.y,
                       node.m_coord.z);
    AddLine(coordinates, false);
}

void CEntityInfoDlg::AddIdLines(const CString& header, const CArray<int>& ids)
{
    CString line = header + " : ";
    const INT_PTR count = ids.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
    {
        const bool isLast = i == count - 1;
        line.AppendFormat(isLast ? "%d " : "%d ,", ids[i]);
        if ((i + 1) % kIdsPerLine == 0 && !isLast)
        {
            AddLine(line, false);
            line.Empty();
        }
    }
    AddLine(line, false);
}

void CEntityInfoDlg::AddLine(const CString& line, bool blankAfter)
{
    m_list.AddString(line.GetString());
    if (blankAfter)
        m_list.AddString(" ");
}

void CEntityInfoDlg::Highlight(CModelEntity* entity) const
{
    CCAEView* view = FindView();
    if (view == nullptr)
        return;
    CPickedEntityMap& picked = view->EditSelection().EditPicked();
    picked.RemoveAll();
    picked.SetAt(entity, 1);
    view->InvalidateView();
}
