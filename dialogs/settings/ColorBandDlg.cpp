// Band list, band borders and colour bar of the contour and vector colour-band dialogs.
#include "dialogs/settings/ColorBandDlg.h"

#include "core/geometry/ColorConvert.h"
#include "dialogs/settings/ColorButtonInit.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/settings/SettingsPage.h"
#include "dialogs/settings/Swatches.h"
#include "platform/win/gdiobj.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/widgets_ids.h"
#include "view/ViewMainFrame.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kColorColumnWidth = 75;
constexpr int kValueColumnWidth = 100;

CString FormatValue(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

// A value as its edit shows it and gives it back: the exchange writes "%.15g".
double AsExchanged(double value)
{
    return std::strtod(FormatValue("%.15g", value).GetString(), nullptr);
}
} // namespace

FW_TABLE(
    CColorBandDlg, CToolDlg,
    fw::control<EN_KILLFOCUS, IDC_BAND_LOWER, &CColorBandDlg::OnLowerKillFocus>(),
    fw::control<EN_KILLFOCUS, IDC_BAND_UPPER, &CColorBandDlg::OnUpperKillFocus>(),
    fw::control<EN_KILLFOCUS, IDC_BAND_RANGE_MIN, &CColorBandDlg::OnWholeBarKillFocus>(),
    fw::control<EN_KILLFOCUS, IDC_BAND_RANGE_MAX, &CColorBandDlg::OnWholeBarKillFocus>(),
    fw::command<IDC_BAND_DEFAULT, &CColorBandDlg::OnDefaultValue>(),
    fw::command<IDC_BAND_COLOR, &CColorBandDlg::OnSelectColor>(),
    fw::command<IDC_CONTOUR_REVERSE, &CColorBandDlg::OnReverseBand>(),
    fw::notify<static_cast<int>(NM_CLICK), IDC_BAND_LIST, &CColorBandDlg::OnBandClick>(),
    fw::notify<static_cast<int>(NM_CLICK), IDC_VECTOR_BAND_LIST, &CColorBandDlg::OnBandClick>(),
    fw::notify<static_cast<int>(LVN_ITEMCHANGED), IDC_BAND_LIST, &CColorBandDlg::OnItemChanged>(),
    fw::notify<static_cast<int>(LVN_ITEMCHANGED), IDC_VECTOR_BAND_LIST,
               &CColorBandDlg::OnItemChanged>())

CColorBandDlg::CColorBandDlg(UINT templateId, int frameKey, CResultDisplayAttr& bands,
                             const BandFormats& formats)
    : CToolDlg(templateId, frameKey)
    , m_colorButton(40, 4, 0xFFFFFFFF, 18, 18, IDS_OXPOPUP_DEFAULT, IDS_OXPOPUP_CUSTOM)
    , m_pBands(&bands)
    , m_formats(formats)
{
}

CColorBandDlg::~CColorBandDlg() = default;

int CColorBandDlg::BandCount() const
{
    return setting_ranges::kBandCount.Clamp(Bands().m_nBands);
}

int CColorBandDlg::LowBandOffset() const
{
    return Bands().m_bLowBand ? 1 : 0;
}

int CColorBandDlg::RowCount() const
{
    return m_bandList.GetSafeHwnd() != nullptr ? m_bandList.GetItemCount() : 0;
}

int CColorBandDlg::BandOfRow(int row) const
{
    const int n = BandCount();
    if (row < 0 || row >= RowCount() || row >= n)
        return -1;
    return n - 1 - row;
}

void CColorBandDlg::EnableControl(int id, BOOL enable)
{
    if (const HWND control = ::GetDlgItem(GetSafeHwnd(), id))
        ::EnableWindow(control, enable);
}

void CColorBandDlg::InitBandListColumns()
{
    m_bandList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_bandList.InsertColumn(0, LoadUiText("Dialog.str", "ContourSettings", "Color").GetString(),
                            LVCFMT_LEFT, kColorColumnWidth);
    m_bandList.InsertColumn(1, LoadUiText("Dialog.str", "Common", "RangeMin").GetString(),
                            LVCFMT_LEFT, kValueColumnWidth);
    m_bandList.InsertColumn(2, LoadUiText("Dialog.str", "Common", "RangeMax").GetString(),
                            LVCFMT_LEFT, kValueColumnWidth);
}

bool CColorBandDlg::AddSwatch(COLORREF color, int replace)
{
    std::unique_ptr<CBitmap> swatch = MakeSwatch(*this, color);
    if (!swatch || !m_swatches)
        return false;
    if (replace < 0)
        return m_swatches->Add(swatch.get(), SwatchMask(color)) >= 0;
    // Replace takes a mask bitmap: a swatch is opaque everywhere, so an all-black mask.
    CBitmap mask;
    const WORD zeros[kSwatchHeight * 8] = {};
    mask.CreateBitmap(kSwatchWidth, kSwatchHeight, 1, 1, zeros);
    return m_swatches->Replace(replace, swatch.get(), &mask) != FALSE;
}

void CColorBandDlg::FillBandList()
{
    if (!UpdateData(TRUE))
        return;
    m_bandList.DeleteAllItems();
    if (!PrepareFill())
        return;
    const CResultDisplayAttr& bands = Bands();
    const int n = BandCount();
    const int o = LowBandOffset();
    m_bandList.SetImageList(nullptr, LVSIL_SMALL);
    m_swatches = std::make_unique<CImageList>();
    m_swatches->Create(kSwatchWidth, kSwatchHeight,
                       ImageListColorFlag(SwatchBitsPerPixel()) | ILC_MASK, n, 1);
    for (int c = o; c < n + o; ++c)
        AddSwatch(ColorToCOLORREF(bands.m_bandColors[c]), -1);
    m_bandList.SetImageList(m_swatches.get(), LVSIL_SMALL);
    for (int k = n - 1; k >= 0; --k)
    {
        const int row = m_bandList.InsertItem(m_bandList.GetItemCount(), "", k);
        m_bandList.SetItemData(row, static_cast<DWORD_PTR>(k));
        m_bandList.SetItemText(row, 1,
                               FormatValue(m_formats.fillLower, bands.m_levels[k + o]).GetString());
        m_bandList.SetItemText(
            row, 2, FormatValue(m_formats.fillUpper, bands.m_levels[k + o + 1]).GetString());
    }
}

void CColorBandDlg::ShowBandColor(int band)
{
    if (band < 0)
        return;
    const CColorRGBA& color = Bands().m_bandColors[band + LowBandOffset()];
    const COLORREF value = ColorToCOLORREF(color);
    InitColorButton(m_colorButton, value, value);
}

void CColorBandDlg::SelectRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    m_bandList.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CColorBandDlg::OnBandClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (IsSmooth())
        return;
    EnableControl(IDC_BAND_LOWER, TRUE);
    EnableControl(IDC_BAND_UPPER, TRUE);
    EnableControl(IDC_BAND_COLOR, TRUE);
    const int row = m_bandList.GetNextItem(-1, LVNI_SELECTED);
    const int band = BandOfRow(row);
    if (band < 0)
        return;
    m_selectedRow = row;
    ShowBandColor(band);
    const int o = LowBandOffset();
    m_lower = Bands().m_levels[band + o];
    m_upper = Bands().m_levels[band + o + 1];
    UpdateData(FALSE);
}

void CColorBandDlg::OnItemChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
}

void CColorBandDlg::OnBorderKillFocus(bool isUpper)
{
    if (m_bErrorShown == 0 && !IsRangeValid())
    {
        ShowRangeMessage();
        return;
    }
    m_bErrorShown = 0;
    const int band = BandOfRow(m_bandList.GetNextItem(-1, LVNI_SELECTED));
    if (!UpdateData(TRUE) || band < 0)
        return;
    if (IsBorderUnchanged(isUpper))
        return;
    const int level = band + LowBandOffset() + (isUpper ? 1 : 0);
    SetBandBorder(level, isUpper ? m_upper : m_lower);
    UpdateData(TRUE);
}

void CColorBandDlg::SetBandBorder(int level, double value)
{
    CResultDisplayAttr& bands = Bands();
    const int first = LowBandOffset();
    const int last = first + BandCount();
    if (level < first || level > last)
        return;
    bands.m_levels[level] = value;
    for (int i = level - 1; i >= first; --i)
        bands.m_levels[i] = std::min(bands.m_levels[i], bands.m_levels[i + 1]);
    for (int i = level + 1; i <= last; ++i)
        bands.m_levels[i] = std::max(bands.m_levels[i], bands.m_levels[i - 1]);
    UpdateBandTexts();
    UpdateSelectedBand();
}

void CColorBandDlg::UpdateBandTexts()
{
    const CResultDisplayAttr& bands = Bands();
    const int o = LowBandOffset();
    for (int row = 0; row < RowCount(); ++row)
    {
        const int band = BandOfRow(row);
        if (band < 0)
            continue;
        m_bandList.SetItemText(row, 1,
                               FormatValue(m_formats.border, bands.m_levels[band + o]).GetString());
        m_bandList.SetItemText(
            row, 2, FormatValue(m_formats.border, bands.m_levels[band + o + 1]).GetString());
    }
}

void CColorBandDlg::UpdateSelectedBand()
{
    const int band = BandOfRow(m_bandList.GetNextItem(-1, LVNI_SELECTED));
    if (band < 0)
    {
        m_lower = 0.0;
        m_upper = 0.0;
    }
    else
    {
        const int o = LowBandOffset();
        m_lower = Bands().m_levels[band + o];
        m_upper = Bands().m_levels[band + o + 1];
    }
    if (m_selectedRow >= 0)
    {
        ShowBandColor(BandOfRow(m_selectedRow));
        SelectRow(m_selectedRow);
    }
    UpdateData(FALSE);
}

void CColorBandDlg::ShowRangeMessage()
{
    m_bErrorShown = 1;
    ShowDialogMessage(*this, LoadUiText("message.str", "Error", "MaxMinErr").GetString(), MB_OK);
}

void CColorBandDlg::UseBackgroundForOutOfRange()
{
    CViewMainFrame* frame = GetViewMainFrame();
    const CProjectData* project = frame ? frame->GetProject() : nullptr;
    if (project != nullptr)
        Bands().SetOutOfRangeColor(COLORREFToColor(project->m_settings.m_backgroundColor));
}

bool CColorBandDlg::ApplyWholeColorBar()
{
    if (!UpdateData(TRUE))
        return false;
    if (ChecksBandCount() && !setting_ranges::kBandCount.Contains(m_bands))
    {
        m_bErrorShown = 1;
        ShowBandCountMessage(*this);
        return false;
    }
    if (!IsRangeValid())
    {
        ShowRangeMessage();
        return false;
    }
    const CResultDisplayAttr& current = Bands();
    if (m_rangeMin == AsExchanged(current.m_viewMin) &&
        m_rangeMax == AsExchanged(current.m_viewMax) && m_bands == current.m_nBands)
    {
        UpdateData(FALSE);
        m_bErrorShown = 0;
        return true;
    }
    if (m_rangeMin > m_dataMin || m_rangeMax < m_dataMax)
        UseBackgroundForOutOfRange();
    Bands().SetRange(m_dataMin, m_dataMax, m_rangeMin, m_rangeMax, m_bands);
    FillBandList();
    if (m_selectedRow >= 0 && BandOfRow(m_selectedRow) >= 0)
    {
        const int band = BandOfRow(m_selectedRow);
        ShowBandColor(band);
        SelectRow(m_selectedRow);
        m_lower = Bands().m_levels[band + LowBandOffset()];
        m_upper = Bands().m_levels[band + LowBandOffset() + 1];
    }
    UpdateData(FALSE);
    m_bErrorShown = 0;
    return true;
}

void CColorBandDlg::OnWholeBarKillFocus()
{
    if (m_bErrorShown == 0)
        ApplyWholeColorBar();
    m_bErrorShown = 0;
}

void CColorBandDlg::OnSelectColor()
{
    const int row = m_bandList.GetNextItem(-1, LVNI_SELECTED);
    const int band = BandOfRow(row);
    if (band < 0)
        return;
    CResultDisplayAttr& bands = Bands();
    const int o = LowBandOffset();
    const COLORREF chosen = m_colorButton.GetColor();
    const CColorRGBA color = COLORREFToColor(chosen);
    bands.m_bandColors[band + o].r = color.r;
    bands.m_bandColors[band + o].g = color.g;
    bands.m_bandColors[band + o].b = color.b;
    AddSwatch(chosen, band);
    m_bandList.SetItemText(row, 1,
                           FormatValue(m_formats.colorLower, bands.m_levels[band + o]).GetString());
    m_bandList.SetItemText(
        row, 2, FormatValue(m_formats.colorUpper, bands.m_levels[band + o + 1]).GetString());
    m_bandList.RedrawItems(0, RowCount() - 1);
    ShowBandColor(band);
    UpdateData(FALSE);
}

void CColorBandDlg::OnReverseBand()
{
    if (!UpdateData(TRUE))
        return;
    Bands().SetReverseBand(m_reverse != 0);
    FillBandList();
}

void CColorBandDlg::OnDefaultValue()
{
    if (!RestoreDefaults())
        return;
    UpdateData(FALSE);
    FillBandList();
    if (m_selectedRow >= 0)
        ShowBandColor(BandOfRow(m_selectedRow));
    m_lower = 0.0;
    m_upper = 0.0;
    UpdateData(FALSE);
    EnableControl(IDC_BAND_COLOR, FALSE);
    EnableControl(IDC_BAND_LOWER, FALSE);
    EnableControl(IDC_BAND_UPPER, FALSE);
    AfterDefaults();
}
