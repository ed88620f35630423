// Contour defaults page.
#include "dialogs/settings/ContourDefaultSettingsDlg.h"

#include "core/display/ResultDisplayAttr.h"
#include "core/services/ProductIni.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "project/AESettings.h"
#include "resources/ids/dialogs_ids.h"

#include <cassert>

namespace
{
const char kSection[] = "ContourDefaluts";
constexpr BYTE kSmoothBands = 2;

const DialogText kTexts[] = {{0, "ResultSetting", "ContourSettings"},
                             {IDC_CONTOUR_BAND_GROUP, "ResultSetting", "ContourBand"},
                             {IDC_CONTOUR_VALUE_GROUP, "ContourSettings", "ContourValue"},
                             {IDC_CONTOUR_BANDS, "ContourSettings", "Bands"},
                             {IDC_CONTOUR_LINES, "ContourSettings", "Lines"},
                             {IDC_CONTOUR_ISOSURFACE, "ContourSettings", "IsoSurface"},
                             {IDC_CONTOUR_SMOOTH, "ContourSettings", "SmoothContours"},
                             {IDC_CONTOUR_REVERSE, "ContourSettings", "ReverseBand"},
                             {IDC_CONTOUR_BAND_COUNT_LABEL, "ResultSetting", "NoOfBands"},
                             {IDC_CONTOUR_LOAD_DEFAULT, "Common", "LoadDefault"},
                             {IDC_CONTOUR_SAVE_DEFAULT, "Common", "SaveDefault"}};

// Radio index of a contour type, -1 for a type the page does not know.
int RadioOfContourType(unsigned type)
{
    if (type >= CResultDisplayAttr::kBands && type <= CResultDisplayAttr::kIsoSurface)
        return static_cast<int>(type) - CResultDisplayAttr::kBands;
    return -1;
}
} // namespace

FW_TABLE(
    CContourDefaultSettingsDlg, CSettingsPage,
    fw::command<IDC_CONTOUR_LOAD_DEFAULT, &CContourDefaultSettingsDlg::OnLoadDefaults>(),
    fw::command<IDC_CONTOUR_SAVE_DEFAULT, &CContourDefaultSettingsDlg::OnSaveDefaults>(),
    fw::command<IDC_CONTOUR_SMOOTH, &CContourDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_CONTOUR_REVERSE, &CContourDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_CONTOUR_BANDS, &CContourDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_CONTOUR_LINES, &CContourDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_CONTOUR_ISOSURFACE, &CContourDefaultSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_CONTOUR_BAND_COUNT, &CContourDefaultSettingsDlg::OnControlChanged>())

CContourDefaultSettingsDlg::CContourDefaultSettingsDlg(CResultDisplayAttr* record)
    : CSettingsPage(IDD_CONTOUR_DEFAULTS)
    , m_pRecord(record)
{
}

void CContourDefaultSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    CSettingsPage::DoDataExchange(dx);
    DDX_Check(dx, IDC_CONTOUR_SMOOTH, m_smooth);
    DDX_Check(dx, IDC_CONTOUR_REVERSE, m_reverse);
    DDX_Text(dx, IDC_CONTOUR_BAND_COUNT, m_bands);
    DDV_BandCount(dx, *this, m_bands);
    DDX_Radio(dx, IDC_CONTOUR_BANDS, m_contourType);
}

BOOL CContourDefaultSettingsDlg::OnInitDialog()
{
    assert(m_pRecord != nullptr);
    m_bModified = 0;
    RecordToControls();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    CSettingsPage::OnInitDialog();
    m_isInitialised = true;
    return TRUE;
}

void CContourDefaultSettingsDlg::RecordToControls()
{
    m_smooth = m_pRecord->m_nBandType == kSmoothBands ? 1 : 0;
    m_reverse = m_pRecord->m_bReverseBand;
    m_bands = m_pRecord->m_nBands;
    const int radio = RadioOfContourType(static_cast<unsigned>(m_pRecord->m_nContourType));
    if (radio >= 0)
        m_contourType = radio;
}

void CContourDefaultSettingsDlg::ControlsToRecord()
{
    m_pRecord->m_nBandType = m_smooth != 0 ? kSmoothBands : 0;
    m_pRecord->m_bReverseBand = m_reverse != 0 ? 1 : 0;
    m_pRecord->m_nBands = m_bands;
    if (m_contourType >= 0 && m_contourType <= 2)
        m_pRecord->m_nContourType = CResultDisplayAttr::kBands + m_contourType;
}

void CContourDefaultSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    ControlsToRecord();
    CSettingsPage::OnOK();
}

void CContourDefaultSettingsDlg::OnCancel()
{
    CSettingsPage::OnCancel();
}

BOOL CContourDefaultSettingsDlg::OnApply()
{
    if (m_bModified == 1)
    {
        OnOK();
        if (m_pHost != nullptr)
            m_pHost->ApplySettingsToAllViews(TRUE);
        SetModifiedFlag(FALSE);
    }
    return TRUE;
}

void CContourDefaultSettingsDlg::OnLoadDefaults()
{
    // Read as the start reads them: missing switches are 0, a missing count or type keeps the
    // one shown.
    CResultDisplayAttr loaded;
    loaded.m_nBandType = 0;
    loaded.m_bReverseBand = 0;
    loaded.m_nBands = m_bands;
    loaded.m_nContourType = 0;
    ReadIniContourDefaults(loaded);
    m_smooth = loaded.m_nBandType == kSmoothBands ? 1 : 0;
    m_reverse = loaded.m_bReverseBand;
    m_bands = loaded.m_nBands;
    const int radio = RadioOfContourType(static_cast<unsigned>(loaded.m_nContourType));
    if (radio >= 0)
        m_contourType = radio;
    UpdateData(FALSE);
    SetModifiedFlag(TRUE);
}

void CContourDefaultSettingsDlg::OnSaveDefaults()
{
    if (!UpdateData(TRUE))
        return;
    SetIniUInt(kSection, "SmoothContour", m_smooth != 0 ? kSmoothBands : 0);
    SetIniFlag(kSection, "ReverseBand", m_reverse);
    SetIniUInt(kSection, "NoOfBands", static_cast<unsigned>(m_bands));
    const unsigned type = m_contourType >= 0 && m_contourType <= 2
                              ? static_cast<unsigned>(CResultDisplayAttr::kBands + m_contourType)
                              : 0;
    SetIniUInt(kSection, "BandType", type);
}
