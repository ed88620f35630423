// Property colour and material colour pages.
#include "dialogs/settings/ColorTablePage.h"

#include "dialogs/settings/ColorButtonInit.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/settings/Swatches.h"
#include "platform/dlg/ddx.h"
#include "platform/win/dc.h"
#include "platform/win/gdiobj.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/widgets_ids.h"

FW_TABLE(CColorTablePage, CSettingsPage,
         fw::command<IDC_COLORS_BUTTON, &CColorTablePage::OnSelectColor>(),
         fw::notify<static_cast<int>(NM_CLICK), IDC_COLORS_LIST, &CColorTablePage::OnListClick>())

CColorTablePage::CColorTablePage(UINT templateId, const char* idHeadingKey)
    : CSettingsPage(templateId)
    , m_idHeadingKey(idHeadingKey)
    , m_colorButton(40, 4, 0xFFFFFFFF, 18, 18, IDS_OXPOPUP_DEFAULT, IDS_OXPOPUP_CUSTOM)
{
}

CModelSet* CColorTablePage::Model() const
{
    CProjectData* project = Project();
    return project != nullptr ? &project->m_model : nullptr;
}

void CColorTablePage::DoDataExchange(CDataExchange* dx)
{
    CSettingsPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_COLORS_BUTTON, m_colorButton);
    DDX_Control(dx, IDC_COLORS_LIST, m_list);
}

BOOL CColorTablePage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    const CString label = LoadUiText("Dialog.str", "PropertyColor", "SelectColor");
    ::SetDlgItemTextA(GetSafeHwnd(), IDC_COLORS_LABEL, label.GetString());
    InitListColumns();
    BuildColorTable();
    FillList();
    m_isInitialised = true;
    return TRUE;
}

void CColorTablePage::InitListColumns()
{
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, LoadUiText("Dialog.str", "ContourSettings", "Color").GetString(),
                        LVCFMT_LEFT, kSwatchWidth);
    m_list.InsertColumn(1, LoadUiText("Dialog.str", "PropertyColor", m_idHeadingKey).GetString(),
                        LVCFMT_LEFT, 88);
}

void CColorTablePage::BuildColorTable()
{
    m_colors.clear();
    if (CModelSet* model = Model())
        ReadTable(*model, m_colors);
    m_ids.clear();
    for (const auto& entry : m_colors) // std::map: ascending ids
        m_ids.push_back(entry.first);
    InitColorButton(m_colorButton, kInitialColor, kInitialColor);
}

void CColorTablePage::FillList()
{
    CModelSet* model = Model();
    if (m_pHost == nullptr || model == nullptr)
        return;
    UpdateData(TRUE);
    m_list.DeleteAllItems();
    m_list.SetImageList(nullptr, LVSIL_SMALL);
    m_imageList = std::make_unique<CImageList>();
    m_imageList->Create(kSwatchWidth, kSwatchHeight,
                        ImageListColorFlag(ScreenBitsPerPixel(*this)) | ILC_MASK,
                        static_cast<int>(m_colors.size()), 1);
    std::vector<int> shown;
    for (const int id : m_ids)
    {
        if (!HasId(*model, id))
            continue;
        const COLORREF color = m_colors[id];
        std::unique_ptr<CBitmap> swatch = MakeSwatch(*this, color);
        if (swatch)
            m_imageList->Add(swatch.get(), SwatchMask(color));
        shown.push_back(id);
    }
    m_list.SetImageList(m_imageList.get(), LVSIL_SMALL);
    for (int k = 0; k < static_cast<int>(shown.size()); ++k)
    {
        const int item = m_list.InsertItem(m_list.GetItemCount(), "", k);
        m_list.SetItemData(item, static_cast<DWORD_PTR>(shown[k]));
        CString text;
        text.Format("%d", shown[k]);
        m_list.SetItemText(item, 1, text.GetString());
    }
}

void CColorTablePage::OnListClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0)
    {
        m_current = -1;
        return;
    }
    m_current = item;
    const int id = static_cast<int>(m_list.GetItemData(item));
    const auto found = m_colors.find(id);
    if (found != m_colors.end())
        InitColorButton(m_colorButton, found->second, found->second);
    UpdateData(FALSE);
}

void CColorTablePage::OnSelectColor()
{
    if (m_current < 0)
        return;
    const COLORREF color = m_colorButton.GetColor();
    const int id = static_cast<int>(m_list.GetItemData(m_current));
    m_colors[id] = color;
    if (std::unique_ptr<CBitmap> swatch = MakeSwatch(*this, color); swatch && m_imageList)
        m_imageList->Replace(m_current, swatch.get(), nullptr);
    m_list.RedrawItems(m_current, m_current);
    UpdateData(FALSE);
    SetModifiedFlag(TRUE);
}

void CColorTablePage::OnOK()
{
    CModelSet* model = Model();
    if (model == nullptr)
        return;
    UpdateData(TRUE);
    for (const auto& [id, color] : m_colors)
        WriteColor(*model, id, color);
    if (m_pHost != nullptr)
        m_pHost->ApplySettingsToAllViews(TRUE);
}

BOOL CColorTablePage::OnApply()
{
    if (m_bModified == 1)
    {
        OnOK();
        SetModifiedFlag(FALSE);
    }
    return TRUE;
}

CPropertyColorDlg::CPropertyColorDlg()
    : CColorTablePage(IDD_PROPERTY_COLORS, "PropertyID")
{
}

void CPropertyColorDlg::ReadTable(CModelSet& model, std::map<int, COLORREF>& colors)
{
    auto& table = model.GetPropertyColors();
    for (const auto& [key, record] : fw::Assocs(table))
    {
        colors[static_cast<int>(key)] = static_cast<COLORREF>(record.color);
    }
}

bool CPropertyColorDlg::HasId(CModelSet& model, int id)
{
    return model.LookupPropertyColor(id) != nullptr;
}

void CPropertyColorDlg::WriteColor(CModelSet& model, int id, COLORREF color)
{
    CPropertyColor record;
    if (const CPropertyColor* old = model.LookupPropertyColor(id))
        record = *old;
    record.id = id;
    record.color = static_cast<int>(color);
    model.GetPropertyColors().SetAt(static_cast<UINT>(id), record);
}

CMaterialColorDlg::CMaterialColorDlg()
    : CColorTablePage(IDD_MATERIAL_COLORS, "MaterialID")
{
}

void CMaterialColorDlg::ReadTable(CModelSet& model, std::map<int, COLORREF>& colors)
{
    auto& table = model.GetMaterialColors();
    for (const auto& [key, record] : fw::Assocs(table))
    {
        colors[static_cast<int>(key)] = static_cast<COLORREF>(record.color);
    }
}

bool CMaterialColorDlg::HasId(CModelSet& model, int id)
{
    return model.LookupMaterialColor(id) != nullptr;
}

void CMaterialColorDlg::WriteColor(CModelSet& model, int id, COLORREF color)
{
    CMaterialColor record;
    if (const CMaterialColor* old = model.LookupMaterialColor(id))
        record = *old;
    record.id = id;
    record.color = static_cast<int>(color);
    model.GetMaterialColors().SetAt(static_cast<UINT>(id), record);
}
