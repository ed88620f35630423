// 3-D view: the display filter (kinds drawn, the project's), the selection filter (kinds
// picked, the view's), the id labels and the element filter by property, material or group.
#include "core/geometry/FENode.h"
#include "core/geometry/MapCopy.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "platform/win/cmdtarget.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/ViewMainFrame.h"

namespace
{
using CIdFilter = CMap<UINT, UINT, int, int>;

struct KindCommand
{
    UINT id;
    int bit;
};
constexpr KindCommand kDisplayFilterCommands[] = {
    {ID_DISPLAY_FILTER_SOLID, kKindSolid}, {ID_DISPLAY_FILTER_SHELL, kKindShell},
    {ID_DISPLAY_FILTER_BEAM, kKindBeam},   {ID_DISPLAY_FILTER_MASS, kKindMass},
    {ID_DISPLAY_FILTER_ELASS, kKindElass}, {ID_DISPLAY_FILTER_NODE, kKindNode}};
constexpr KindCommand kSelectionFilterCommands[] = {
    {ID_SELECT_FILTER_SOLID, kKindSolid}, {ID_SELECT_FILTER_SHELL, kKindShell},
    {ID_SELECT_FILTER_BEAM, kKindBeam},   {ID_SELECT_FILTER_MASS, kKindMass},
    {ID_SELECT_FILTER_ELASS, kKindElass}, {ID_SELECT_FILTER_NODE, kKindNode}};

template <size_t N>
int KindOf(const KindCommand (&commands)[N], UINT id)
{
    for (const KindCommand& command : commands)
    {
        if (command.id == id)
            return command.bit;
    }
    return 0;
}

// The value stored for the id; an id the filter does not know is visible.
int FilterValue(const CIdFilter& filter, int id)
{
    int value = 1;
    return filter.Lookup(static_cast<UINT>(id), value) ? value : 1;
}

bool HoldsHiddenId(const CIdFilter& filter)
{
    for (const auto& [id, value] : fw::Assocs(filter))
    {
        if (value == 0)
            return true;
    }
    return false;
}

// Every key of the model's map set visible in the filter; a filter made now is sized for them.
template <class Map>
void ShowAllIds(const Map& ids, CIdFilter& filter)
{
    if (ids.GetCount() < 1)
        return;
    if (filter.IsEmpty())
        filter.InitHashTable(static_cast<UINT>(ids.GetCount() + 10));
    for (const UINT id : ids.SortedKeys())
        filter.SetAt(id, 1);
}

void LoadStoredEdges(const CEdgeMap& stored, CEdgeMap& edges)
{
    if (stored.GetCount() < 1)
        return;
    if (!edges.IsEmpty())
        edges.RemoveAll();
    else
        edges.InitHashTable(static_cast<UINT>(stored.GetCount() + 10));
    CopyMap(stored, edges);
}
} // namespace

int CCAEView::IsEntityVisible(const CFEElement* element) const
{
    if (element == nullptr)
        return 0;
    switch (m_elementFilter.Mode())
    {
    case kFilterByProperty: return FilterValue(m_elementFilter.Properties(), element->m_propertyId);
    case kFilterByMaterial: return FilterValue(m_elementFilter.Materials(), element->m_materialId);
    case kFilterByGroup:
    {
        int value = 0;
        return m_elementFilter.VisibleElementIds().Lookup(static_cast<UINT>(element->m_id), value)
                   ? 1
                   : 0;
    }
    default: return 1;
    }
}

bool CCAEView::HasVisibleElement(const CFENode* node) const
{
    const CModelSet* model = GetModel();
    for (INT_PTR i = 0; node != nullptr && model != nullptr && i < node->m_ids.GetSize(); ++i)
    {
        if (IsEntityVisible(model->FindElement(node->m_ids[i])) == 1)
            return true;
    }
    return false;
}

int CCAEView::HasVisibleElement(const CDWordArray& elementIds) const
{
    const CModelSet* model = GetModel();
    if (model == nullptr)
        return 0;
    for (const DWORD id : elementIds)
    {
        if (IsEntityVisible(model->FindElement(static_cast<int>(id))) == 1)
            return 1;
    }
    return 0;
}

int CCAEView::IsElementFilterActive() const
{
    switch (m_elementFilter.Mode())
    {
    case kFilterByProperty: return HoldsHiddenId(m_elementFilter.Properties()) ? 1 : 0;
    case kFilterByMaterial: return HoldsHiddenId(m_elementFilter.Materials()) ? 1 : 0;
    case kFilterByGroup: return HoldsHiddenId(m_elementFilter.Groups()) ? 1 : 0;
    default: return 0;
    }
}

void CCAEView::LoadElementFilter(CModelSet* model)
{
    if (model == nullptr)
        return;
    ShowAllIds(model->GetPropertyColors(), m_elementFilter.Properties());
    ShowAllIds(model->GetMaterialColors(), m_elementFilter.Materials());
    ShowAllIds(model->GetGroups(), m_elementFilter.Groups());
}

void CCAEView::LoadViewIdMaps(const CEdgeMap& solidEdges, const CEdgeMap& shellEdges)
{
    LoadStoredEdges(solidEdges, SolidRidgeEdges());
    LoadStoredEdges(shellEdges, ShellRidgeEdges());
}

void CCAEView::ClearStoredIdMaps()
{
    SolidRidgeEdges().RemoveAll();
    ShellRidgeEdges().RemoveAll();
}

void CCAEView::OnDisplayFilter(UINT commandId)
{
    CAESettings* settings = GetSettings();
    if (settings == nullptr)
        return;
    settings->m_displayFilter ^= static_cast<DWORD>(KindOf(kDisplayFilterCommands, commandId));
    if (m_pMainFrame)
        m_pMainFrame->RefreshGeometryNode();
    InvalidateView();
}

void CCAEView::OnUpdateDisplayFilter(CCmdUI* cmdUI)
{
    const CAESettings* settings = GetSettings();
    const int bit = KindOf(kDisplayFilterCommands, cmdUI->m_nID);
    cmdUI->SetCheck(settings && (settings->m_displayFilter & static_cast<DWORD>(bit)) ? 1 : 0);
}

void CCAEView::OnSelectionFilter(UINT commandId)
{
    EditSelection().SetFilter(Selection().Filter() ^ KindOf(kSelectionFilterCommands, commandId));
}

// A kind the running pick request does not accept is shown disabled and unchecked.
void CCAEView::OnUpdateSelectionFilter(CCmdUI* cmdUI)
{
    const int bit = KindOf(kSelectionFilterCommands, cmdUI->m_nID);
    if (Selection().AllowedKinds() & bit)
    {
        cmdUI->Enable(TRUE);
        cmdUI->SetCheck((Selection().Filter() & bit) ? 1 : 0);
    }
    else
    {
        cmdUI->SetCheck(0);
        cmdUI->Enable(FALSE);
    }
}

void CCAEView::OnShowElementIds()
{
    EditScene().SetElementIdMode(Scene().ElementIdMode() == 1 ? 0 : 1);
    InvalidateView();
}

void CCAEView::OnUpdateShowElementIds(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(Scene().ElementIdMode() == 1 ? 1 : 0);
}

void CCAEView::OnShowNodeIds()
{
    EditScene().SetNodeIdMode(Scene().NodeIdMode() == 1 ? 0 : 1);
    InvalidateView();
}

void CCAEView::OnUpdateShowNodeIds(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(Scene().NodeIdMode() == 1 ? 1 : 0);
}

void CCAEView::OnElementFilter()
{
    if (m_pMainFrame)
        m_pMainFrame->OpenElementFilterDialog(this);
}

CCAEView::EntrySpan CCAEView::FilterEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command<ID_DISPLAY_FILTER_NODE, &CCAEView::OnDisplayFilter>(),
        fw::command_range<ID_DISPLAY_FILTER_BEAM, ID_DISPLAY_FILTER_SOLID,
                          &CCAEView::OnDisplayFilter>(),
        fw::command<ID_DISPLAY_FILTER_MASS, &CCAEView::OnDisplayFilter>(),
        fw::update<ID_DISPLAY_FILTER_NODE, &CCAEView::OnUpdateDisplayFilter>(),
        fw::update_range<ID_DISPLAY_FILTER_BEAM, ID_DISPLAY_FILTER_SOLID,
                         &CCAEView::OnUpdateDisplayFilter>(),
        fw::update<ID_DISPLAY_FILTER_MASS, &CCAEView::OnUpdateDisplayFilter>(),
        fw::command_range<ID_SELECT_FILTER_NODE, ID_SELECT_FILTER_SOLID,
                          &CCAEView::OnSelectionFilter>(),
        fw::command<ID_SELECT_FILTER_MASS, &CCAEView::OnSelectionFilter>(),
        fw::update_range<ID_SELECT_FILTER_NODE, ID_SELECT_FILTER_SOLID,
                         &CCAEView::OnUpdateSelectionFilter>(),
        fw::update<ID_SELECT_FILTER_MASS, &CCAEView::OnUpdateSelectionFilter>(),
        fw::command<ID_SHOW_ELEMENT_IDS, &CCAEView::OnShowElementIds>(),
        fw::update<ID_SHOW_ELEMENT_IDS, &CCAEView::OnUpdateShowElementIds>(),
        fw::command<ID_SHOW_NODE_IDS, &CCAEView::OnShowNodeIds>(),
        fw::update<ID_SHOW_NODE_IDS, &CCAEView::OnUpdateShowNodeIds>(),
        fw::command<ID_ELEMENT_FILTER, &CCAEView::OnElementFilter>(),
    };
    return {kEntries, std::size(kEntries)};
}
