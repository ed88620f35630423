// Per-view contour settings dialog.
#include "dialogs/settings/ContourSettingDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "dialogs/settings/SettingsPage.h"
#include "dialogs/settings/Swatches.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

namespace
{
constexpr unsigned char kSmoothBands = 2;

const DialogText kTexts[] = {{0, "ContourSettings", "ContourSetting"},
                             {IDC_CONTOUR_SMOOTH, "ContourSettings", "SmoothContours"},
                             {IDC_CONTOUR_REVERSE, "ContourSettings", "ReverseBand"},
                             {IDC_BAND_SELECT_GROUP, "ContourSettings", "SelectColor"},
                             {IDC_BAND_BORDER_LABEL, "ContourSettings", "Border"},
                             {IDC_BAND_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_BAND_BAR_GROUP, "ContourSettings", "WholeColorBar"},
                             {IDC_BAND_BAR_BORDER_LABEL, "ContourSettings", "Border"},
                             {IDC_BAND_COUNT_LABEL, "ContourSettings", "Colors"},
                             {IDC_BAND_RESULT_GROUP, "ContourSettings", "ResultValue"},
                             {IDC_BAND_RANGE_LABEL, "ContourSettings", "Range"},
                             {IDC_BAND_DEFAULT, "ContourSettings", "DefaultValue"},
                             {IDC_CONTOUR_VALUE_GROUP, "ContourSettings", "ContourValue"},
                             {IDC_CONTOUR_BANDS, "ContourSettings", "Bands"},
                             {IDC_CONTOUR_LINES, "ContourSettings", "Lines"},
                             {IDC_CONTOUR_ISOSURFACE, "ContourSettings", "IsoSurface"},
                             {IDC_BAND_APPLY, "Common", "Apply"},
                             {IDC_BAND_CLOSE, "Common", "Close"}};

// The list's texts: levels when filled, after a border moved, and of a recoloured row.
constexpr CColorBandDlg::BandFormats kFormats = {"%6.3E", "%6.3E", "%8.4lf", "%8.4lf", "% 8.4lf"};

int ContourTypeIndex(int type)
{
    return type >= CResultDisplayAttr::kBands && type <= CResultDisplayAttr::kIsoSurface
               ? type - CResultDisplayAttr::kBands
               : -1;
}
} // namespace

FW_TABLE(CContourSettingDlg, CColorBandDlg,
         fw::command<IDC_BAND_APPLY, &CContourSettingDlg::OnApplyButton>(),
         fw::command<IDC_BAND_CLOSE, &CContourSettingDlg::OnCloseButton>(),
         fw::command<IDC_CONTOUR_SMOOTH, &CContourSettingDlg::OnSmoothContours>(),
         fw::control<EN_SETFOCUS, IDC_BAND_LOWER, &CContourSettingDlg::OnLowerSetFocus>(),
         fw::control<EN_SETFOCUS, IDC_BAND_UPPER, &CContourSettingDlg::OnUpperSetFocus>(),
         fw::control<EN_KILLFOCUS, IDC_BAND_COUNT, &CContourSettingDlg::OnWholeBarKillFocus>())

CContourSettingDlg::CContourSettingDlg(int frameKey)
    : CColorBandDlg(IDD_CONTOUR_SETTING, frameKey, m_working, kFormats)
{
}

BOOL CContourSettingDlg::OnInitDialog()
{
    CColorBandDlg::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    InitBandListColumns();
    return TRUE;
}

// The record's colour-bar range and band count are not written back: they change with new
// levels only (ApplyWholeColorBar).
void CContourSettingDlg::DoDataExchange(CDataExchange* dx)
{
    if (!dx->m_bSaveAndValidate)
    {
        m_smooth = m_working.m_nBandType == kSmoothBands ? 1 : 0;
        m_reverse = m_working.m_bReverseBand;
        m_rangeMin = m_working.m_viewMin;
        m_rangeMax = m_working.m_viewMax;
        m_bands = m_working.m_nBands;
        m_dataMin = m_working.m_dataMin;
        m_dataMax = m_working.m_dataMax;
        const int type = ContourTypeIndex(m_working.m_nContourType);
        if (type >= 0)
            m_contourType = type;
    }
    CColorBandDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_BAND_LIST, m_bandList);
    DDX_Control(dx, IDC_BAND_COLOR, m_colorButton);
    DDX_Check(dx, IDC_CONTOUR_SMOOTH, m_smooth);
    DDX_Check(dx, IDC_CONTOUR_REVERSE, m_reverse);
    DDX_Text(dx, IDC_BAND_LOWER, m_lower);
    DDX_Text(dx, IDC_BAND_UPPER, m_upper);
    DDX_Text(dx, IDC_BAND_COUNT, m_bands);
    DDX_Text(dx, IDC_BAND_DATA_MAX, m_dataMax);
    DDX_Text(dx, IDC_BAND_DATA_MIN, m_dataMin);
    DDX_Text(dx, IDC_BAND_RANGE_MIN, m_rangeMin);
    DDX_Text(dx, IDC_BAND_RANGE_MAX, m_rangeMax);
    DDX_Radio(dx, IDC_CONTOUR_BANDS, m_contourType);
    if (!dx->m_bSaveAndValidate)
        return;
    m_working.m_nBandType = m_smooth != 0 ? kSmoothBands : 0;
    m_working.m_bReverseBand = m_reverse != 0 ? 1 : 0;
    m_working.m_dataMin = m_dataMin;
    m_working.m_dataMax = m_dataMax;
    if (m_contourType >= 0 && m_contourType <= 2)
        m_working.m_nContourType = CResultDisplayAttr::kBands + m_contourType;
}

void CContourSettingDlg::RefreshControls()
{
    m_working = m_viewAttr;
    // Called again when the view shows another result, which may be of the other category.
    const BOOL isNodal = m_viewAttr.m_nResultCategory != 0;
    EnableControl(IDC_CONTOUR_LINES, isNodal);
    EnableControl(IDC_CONTOUR_ISOSURFACE, isNodal);
    EnableControl(IDC_CONTOUR_SMOOTH, isNodal);
    EnableControl(IDC_BAND_LOWER, FALSE);
    EnableControl(IDC_BAND_UPPER, FALSE);
    EnableControl(IDC_BAND_COLOR, FALSE);
    EnableColorBarControls();
    UpdateData(FALSE);
    FillBandList();
}

void CContourSettingDlg::EnableColorBarControls()
{
    const BOOL isBanded = m_working.m_nBandType != kSmoothBands;
    EnableControl(IDC_BAND_RANGE_MIN, isBanded);
    EnableControl(IDC_BAND_RANGE_MAX, isBanded);
    EnableControl(IDC_BAND_COUNT, isBanded);
}

// The step over the bands listed, the record's: a count typed but refused lists nothing new.
bool CContourSettingDlg::PrepareFill()
{
    const int bands = m_working.m_nBands;
    if (bands <= 0 || (m_dataMax - m_dataMin) / bands == 0.0)
        return false;
    m_working.m_dataMin = m_dataMin;
    m_working.m_dataMax = m_dataMax;
    return true;
}

int CContourSettingDlg::SwatchBitsPerPixel()
{
    return ScreenBitsPerPixel(*this);
}

bool CContourSettingDlg::IsBorderUnchanged(bool isUpper) const
{
    return isUpper ? m_upper == m_lastUpper : m_lower == m_lastLower;
}

void CContourSettingDlg::OnLowerSetFocus()
{
    if (UpdateData(TRUE))
        m_lastLower = m_lower;
}

void CContourSettingDlg::OnUpperSetFocus()
{
    if (UpdateData(TRUE))
        m_lastUpper = m_upper;
}

bool CContourSettingDlg::RestoreDefaults()
{
    m_working = m_viewAttr;
    if (!setting_ranges::kBandCount.Contains(m_bands))
    {
        ShowBandCountMessage(*this);
        return false;
    }
    m_working.SetRange(m_dataMin, m_dataMax, m_dataMin, m_dataMax, m_bands);
    return true;
}

void CContourSettingDlg::OnSmoothContours()
{
    if (!UpdateData(TRUE))
        return;
    const BOOL isBanded = m_smooth == 0;
    if (!isBanded)
    {
        EnableControl(IDC_BAND_LOWER, FALSE);
        EnableControl(IDC_BAND_UPPER, FALSE);
    }
    EnableControl(IDC_BAND_COLOR, isBanded);
    EnableControl(IDC_BAND_RANGE_MIN, isBanded);
    EnableControl(IDC_BAND_RANGE_MAX, isBanded);
    EnableControl(IDC_BAND_COUNT, isBanded);
}

void CContourSettingDlg::OnApplyButton()
{
    // An edit still holding the focus reports its change first.
    if (const HWND apply = ::GetDlgItem(GetSafeHwnd(), IDC_BAND_APPLY))
        ::SetFocus(apply);
    if (!UpdateData(TRUE))
        return;
    if (!IsRangeValid())
    {
        ShowRangeMessage();
        m_bErrorShown = 0;
        return;
    }
    if (!setting_ranges::kBandCount.Contains(m_bands))
    {
        ShowBandCountMessage(*this);
        return;
    }
    // A range or count typed but not yet applied (Enter in its edit) becomes levels now.
    if (!ApplyWholeColorBar())
        return;
    if (m_contourType >= 0 && m_contourType <= 2)
        m_working.m_nContourType = CResultDisplayAttr::kBands + m_contourType;
    m_working.m_nBandType = m_smooth != 0 ? kSmoothBands : 0;

    CContourSettingRecord record;
    record.nCode = CCmdRecord::kDialogOk;
    record.m_Attr = m_working;
    record.nResultId = m_nResultId;
    const int frameKey = m_nFrameKey;
    // The command that applies the settings replaces the one holding this dialog: from here
    // on only locals are used.
    SendRecord(record);
    CPostCommandRecord reopen;
    reopen.bKeepRunning = 0;
    CViewMainFrame* frame = GetViewMainFrame();
    CCAEView* view = frame ? frame->GetFrameView(frameKey) : nullptr;
    reopen.nCommandId =
        view != nullptr && !view->Animation().IsAnimating() ? ID_RESULT_CONTOUR_SETTINGS : 0;
    if (CCmdManager* manager = frame ? frame->GetCmdManager() : nullptr)
    {
        manager->m_nFrameKey = frameKey;
        manager->ExecuteCommand(&reopen);
    }
}

void CContourSettingDlg::OnCloseButton()
{
    SendCode(CCmdRecord::kDialogCancel);
}
