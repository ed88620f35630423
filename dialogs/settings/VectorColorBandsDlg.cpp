// Vector colour bands dialog.
#include "dialogs/settings/VectorColorBandsDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

namespace
{
const DialogText kTexts[] = {{0, "VectorBands", "VectorColorBands"},
                             {IDC_CONTOUR_REVERSE, "ContourSettings", "ReverseBand"},
                             {IDOK, "Common", "OK"},
                             {IDCANCEL, "Common", "Cancel"},
                             {IDC_BAND_SELECT_GROUP, "ContourSettings", "SelectColor"},
                             {IDC_BAND_BORDER_LABEL, "ContourSettings", "Border"},
                             {IDC_BAND_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_BAND_BAR_GROUP, "ContourSettings", "WholeColorBar"},
                             {IDC_BAND_BAR_BORDER_LABEL, "ContourSettings", "Border"},
                             {IDC_BAND_RESULT_GROUP, "ContourSettings", "ResultValue"},
                             {IDC_BAND_RANGE_LABEL, "ContourSettings", "Range"},
                             {IDC_BAND_DEFAULT, "ContourSettings", "DefaultValue"}};

constexpr CColorBandDlg::BandFormats kFormats = {"%8.4lf", "% 8.4lf", "% 1.3e", "%8.4lf",
                                                 "% 8.4lf"};
} // namespace

CVectorColorBandsDlg::CVectorColorBandsDlg()
    : CColorBandDlg(IDD_VECTOR_COLOR_BANDS, 0, m_working.m_colorBands, kFormats)
{
}

BOOL CVectorColorBandsDlg::OnInitDialog()
{
    CColorBandDlg::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    InitBandListColumns();
    m_bands = m_working.GetNoOfBands();
    EnableControl(IDC_BAND_LOWER, FALSE);
    EnableControl(IDC_BAND_UPPER, FALSE);
    EnableControl(IDC_BAND_COLOR, FALSE);
    UpdateData(FALSE);
    FillBandList();
    return TRUE;
}

// The bands' colour-bar range is not written back: it changes with new levels only
// (ApplyWholeColorBar).
void CVectorColorBandsDlg::DoDataExchange(CDataExchange* dx)
{
    CResultDisplayAttr& bands = m_working.m_colorBands;
    m_reverse = bands.m_bReverseBand;
    if (!dx->m_bSaveAndValidate)
    {
        m_rangeMin = bands.m_viewMin;
        m_rangeMax = bands.m_viewMax;
        m_dataMin = bands.m_dataMin;
        m_dataMax = bands.m_dataMax;
    }
    CColorBandDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_VECTOR_BAND_LIST, m_bandList);
    DDX_Control(dx, IDC_BAND_COLOR, m_colorButton);
    DDX_Text(dx, IDC_BAND_UPPER, m_upper);
    DDX_Text(dx, IDC_BAND_LOWER, m_lower);
    DDX_Text(dx, IDC_BAND_DATA_MAX, m_dataMax);
    DDX_Text(dx, IDC_BAND_DATA_MIN, m_dataMin);
    DDX_Text(dx, IDC_BAND_RANGE_MAX, m_rangeMax);
    DDX_Text(dx, IDC_BAND_RANGE_MIN, m_rangeMin);
    DDX_Check(dx, IDC_CONTOUR_REVERSE, m_reverse);
    if (!dx->m_bSaveAndValidate)
        return;
    bands.m_bReverseBand = m_reverse != 0 ? 1 : 0;
    bands.m_dataMin = m_dataMin;
    bands.m_dataMax = m_dataMax;
}

// A uniform magnitude (a rigid translation) still lists its bands, each at the one value, so
// that their colours can be chosen and the colour bar widened.
bool CVectorColorBandsDlg::PrepareFill()
{
    return m_working.m_colorBands.m_nBands > 0;
}

bool CVectorColorBandsDlg::RestoreDefaults()
{
    m_working.m_colorBands = m_reference.m_colorBands;
    m_working.m_colorBands.SetRange(m_dataMin, m_dataMax, m_dataMin, m_dataMax, m_bands);
    return true;
}

void CVectorColorBandsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!IsRangeValid())
    {
        ShowRangeMessage();
        m_bErrorShown = 0;
        return;
    }
    // A range typed but not yet applied (Enter in its edit) becomes levels now.
    if (!ApplyWholeColorBar())
        return;
    EndDialog(IDOK);
}
