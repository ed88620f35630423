// Vector defaults page.
#include "dialogs/settings/VectorDefaultSettingsDlg.h"

#include "core/display/VectorDisplayAttr.h"
#include "core/geometry/ColorConvert.h"
#include "core/services/ProductIni.h"
#include "dialogs/settings/ColorButtonInit.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "project/AESettings.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/widgets_ids.h"

#include <cassert>

namespace
{
const char kSection[] = "VectorDefaluts";

const DialogText kTexts[] = {{0, "VectorSettings", "VectorSetting"},
                             {IDC_VECTOR_LENGTH_GROUP, "VectorSettings", "VectorLength"},
                             {IDC_VECTOR_LENGTH_CONSTANT, "VectorSettings", "Constant"},
                             {IDC_VECTOR_LENGTH_MAGNITUDE, "VectorSettings", "VaryWithMagnitude"},
                             {IDC_VECTOR_PERCENT_LABEL, "VectorSettings", "Percent"},
                             {IDC_VECTOR_HEAD_PERCENT_LABEL, "VectorSettings", "Percent"},
                             {IDC_VECTOR_SCALE_LABEL, "VectorSettings", "ScaleFactor"},
                             {IDC_VECTOR_THICKNESS_GROUP, "VectorSettings", "VectorThickness"},
                             {IDC_VECTOR_THIN, "VectorSettings", "Thin"},
                             {IDC_VECTOR_NORMAL, "VectorSettings", "Normal"},
                             {IDC_VECTOR_THICK, "VectorSettings", "Thick"},
                             {IDC_VECTOR_COLOR_GROUP, "VectorSettings", "VectorColor"},
                             {IDC_VECTOR_SAME_COLOR, "VectorSettings", "SameColor"},
                             {IDC_VECTOR_COLOR_BANDS, "VectorSettings", "ColorBands"},
                             {IDC_VECTOR_SELECT_COLOR_LABEL, "VectorSettings", "SelectColor"},
                             {IDC_VECTOR_REVERSE, "ContourSettings", "ReverseBand"},
                             {IDC_VECTOR_BANDS_LABEL, "VectorSettings", "NoOfBands"},
                             {IDC_VECTOR_POSITION_GROUP, "VectorSettings", "VectorPosOnElement"},
                             {IDC_VECTOR_CENTER, "VectorSettings", "Center"},
                             {IDC_VECTOR_FROM_CENTER, "VectorSettings", "FromCenter"},
                             {IDC_VECTOR_TO_CENTER, "VectorSettings", "ToCenter"},
                             {IDC_VECTOR_HEAD_SIZE_GROUP, "VectorSettings", "ArrowHeadSize"},
                             {IDC_VECTOR_HEAD_CONSTANT, "VectorSettings", "Constant"},
                             {IDC_VECTOR_HEAD_VARIABLE, "VectorSettings", "Variable"},
                             {IDC_VECTOR_HEAD_TYPE_GROUP, "VectorSettings", "ArrowHeadType"},
                             {IDC_VECTOR_SLIM, "VectorSettings", "Slim"},
                             {IDC_VECTOR_HEAD_NORMAL, "VectorSettings", "Normal"},
                             {IDC_VECTOR_LARGE, "VectorSettings", "Large"},
                             {IDC_VECTOR_LOAD_DEFAULT, "Common", "LoadDefault"},
                             {IDC_VECTOR_SAVE_DEFAULT, "Common", "SaveDefault"}};

constexpr int kWidths[] = {1, 2, 5};

// Index of value in 1..count (or of a line width), -1 for any other value.
int IndexOfCode(unsigned code, int count)
{
    return code >= 1 && code <= static_cast<unsigned>(count) ? static_cast<int>(code) - 1 : -1;
}

int IndexOfWidth(unsigned width)
{
    for (int i = 0; i < 3; ++i)
        if (width == static_cast<unsigned>(kWidths[i]))
            return i;
    return -1;
}

COXColorPickerButton MakeColorButton()
{
    return COXColorPickerButton(40, 4, 0xFFFFFFFF, 18, 18, IDS_OXPOPUP_DEFAULT, IDS_OXPOPUP_CUSTOM);
}
} // namespace

FW_TABLE(
    CVectorDefaultSettingsDlg, CSettingsPage,
    fw::command<IDC_VECTOR_LOAD_DEFAULT, &CVectorDefaultSettingsDlg::OnLoadDefaults>(),
    fw::command<IDC_VECTOR_SAVE_DEFAULT, &CVectorDefaultSettingsDlg::OnSaveDefaults>(),
    fw::command<IDC_VECTOR_LENGTH_CONSTANT, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_LENGTH_MAGNITUDE, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_VECTOR_LENGTH_PERCENT,
                &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_VECTOR_SCALE, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_THIN, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_NORMAL, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_THICK, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_SAME_COLOR, &CVectorDefaultSettingsDlg::OnSameColor>(),
    fw::command<IDC_VECTOR_COLOR_BANDS, &CVectorDefaultSettingsDlg::OnColorBands>(),
    fw::command<IDC_VECTOR_COLOR, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_VECTOR_BANDS, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_CENTER, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_FROM_CENTER, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_TO_CENTER, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_HEAD_CONSTANT, &CVectorDefaultSettingsDlg::OnConstantHead>(),
    fw::command<IDC_VECTOR_HEAD_VARIABLE, &CVectorDefaultSettingsDlg::OnVariableHead>(),
    fw::control<EN_CHANGE, IDC_VECTOR_HEAD_PERCENT, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_SLIM, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_HEAD_NORMAL, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_LARGE, &CVectorDefaultSettingsDlg::OnControlChanged>(),
    fw::command<IDC_VECTOR_REVERSE, &CVectorDefaultSettingsDlg::OnControlChanged>())

CVectorDefaultSettingsDlg::CVectorDefaultSettingsDlg(CVectorDisplayAttr* record)
    : CSettingsPage(IDD_VECTOR_DEFAULTS)
    , m_colorButton(MakeColorButton())
    , m_pRecord(record)
{
}

void CVectorDefaultSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    CSettingsPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_VECTOR_COLOR, m_colorButton);
    DDX_Radio(dx, IDC_VECTOR_HEAD_CONSTANT, m_arrowHeadSize);
    DDX_Radio(dx, IDC_VECTOR_SLIM, m_arrowHeadType);
    DDX_Radio(dx, IDC_VECTOR_CENTER, m_position);
    DDX_Radio(dx, IDC_VECTOR_THIN, m_thickness);
    DDX_Radio(dx, IDC_VECTOR_SAME_COLOR, m_colorMode);
    DDX_Radio(dx, IDC_VECTOR_LENGTH_CONSTANT, m_lengthMode);
    DDX_Text(dx, IDC_VECTOR_SCALE, m_scaleFactor);
    DDV_SettingRange(dx, m_scaleFactor, setting_ranges::kScaleFactor, true);
    DDX_Text(dx, IDC_VECTOR_HEAD_PERCENT, m_arrowHeadPercent);
    // The head's share is editable unless the head has a constant size.
    DDV_SettingRange(dx, m_arrowHeadPercent, setting_ranges::kArrowHeadPercent,
                     m_arrowHeadSize != 0);
    DDX_Text(dx, IDC_VECTOR_LENGTH_PERCENT, m_lengthPercent);
    DDX_Text(dx, IDC_VECTOR_BANDS, m_bands);
    // The count is used, and editable, only with colour bands.
    if (m_colorMode != 0)
        DDV_BandCount(dx, *this, m_bands);
    else
        DDV_SettingRange(dx, m_bands, setting_ranges::kBandCount, false);
    DDX_Check(dx, IDC_VECTOR_REVERSE, m_reverse);
    if (dx->m_bSaveAndValidate)
        m_color = m_colorButton.GetColor();
    else
        InitColorButton(m_colorButton, m_color, m_color);
}

BOOL CVectorDefaultSettingsDlg::OnInitDialog()
{
    assert(m_pRecord != nullptr);
    m_bModified = 0;
    RecordToControls(*m_pRecord);
    SetDialogTexts(*this, "Dialog.str", kTexts);
    CSettingsPage::OnInitDialog();
    // After the exchange: the radio groups decide what is enabled.
    EnableColorControls(m_pRecord->IsSameColor());
    const int16_t head = m_pRecord->GetArrowHeadSize();
    if (head == 1 || head == 2)
        EnableControl(IDC_VECTOR_HEAD_PERCENT, head == 2);
    m_isInitialised = true;
    return TRUE;
}

void CVectorDefaultSettingsDlg::RecordToControls(const CVectorDisplayAttr& r)
{
    m_lengthMode = r.IsConstantLength() ? 0 : 1;
    m_lengthPercent = r.GetLengthPercent();
    m_scaleFactor = r.GetScaleFactor();
    const int thickness = IndexOfWidth(static_cast<unsigned>(r.GetThickness()));
    if (thickness >= 0)
        m_thickness = thickness;
    m_colorMode = r.IsSameColor() ? 0 : 1;
    m_color = ColorToCOLORREF(r.GetColor());
    m_bands = r.GetNoOfBands();
    m_reverse = r.m_colorBands.m_bReverseBand;
    const int position = IndexOfCode(static_cast<unsigned>(r.GetPosition()), 3);
    if (position >= 0)
        m_position = position;
    const int head = IndexOfCode(static_cast<unsigned>(r.GetArrowHeadSize()), 2);
    if (head >= 0)
        m_arrowHeadSize = head;
    m_arrowHeadPercent = r.GetArrowHeadPercLen() * 100.0;
    m_arrowHeadConst = r.GetArrowHeadConst() * 100.0;
    const int type = IndexOfCode(static_cast<unsigned>(r.GetArrowHeadType()), 3);
    if (type >= 0)
        m_arrowHeadType = type;
}

void CVectorDefaultSettingsDlg::ControlsToRecord()
{
    CVectorDisplayAttr& r = *m_pRecord;
    if (m_lengthMode >= 0)
        r.SetConstantLength(m_lengthMode == 0);
    r.SetLengthPercent(m_lengthPercent);
    r.SetScaleFactor(m_scaleFactor);
    if (m_thickness >= 0 && m_thickness <= 2)
        r.SetThickness(static_cast<int16_t>(kWidths[m_thickness]));
    if (m_colorMode >= 0)
        r.SetSameColor(m_colorMode == 0);
    r.SetColor(COLORREFToColor(m_color));
    r.SetNoOfBands(m_bands);
    r.m_colorBands.m_bReverseBand = m_reverse != 0 ? 1 : 0;
    if (m_position >= 0 && m_position <= 2)
        r.SetPosition(static_cast<int16_t>(m_position + 1));
    if (m_arrowHeadSize >= 0 && m_arrowHeadSize <= 1)
        r.SetArrowHeadSize(static_cast<int16_t>(m_arrowHeadSize + 1));
    r.SetArrowHeadPercLen(m_arrowHeadPercent * 0.01);
    r.SetArrowHeadConst(m_arrowHeadConst * 0.01);
    if (m_arrowHeadType >= 0 && m_arrowHeadType <= 2)
        r.SetArrowHeadType(static_cast<int16_t>(m_arrowHeadType + 1));
}

void CVectorDefaultSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    ControlsToRecord();
    CSettingsPage::OnOK();
}

void CVectorDefaultSettingsDlg::OnCancel()
{
    CSettingsPage::OnCancel();
}

BOOL CVectorDefaultSettingsDlg::OnApply()
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

void CVectorDefaultSettingsDlg::EnableColorControls(bool sameColor)
{
    EnableControl(IDC_VECTOR_COLOR, sameColor);
    EnableControl(IDC_VECTOR_BANDS, !sameColor);
}

void CVectorDefaultSettingsDlg::OnSameColor()
{
    EnableColorControls(true);
    OnControlChanged();
}

void CVectorDefaultSettingsDlg::OnColorBands()
{
    EnableColorControls(false);
    OnControlChanged();
}

void CVectorDefaultSettingsDlg::OnConstantHead()
{
    EnableControl(IDC_VECTOR_HEAD_PERCENT, FALSE);
    OnControlChanged();
}

void CVectorDefaultSettingsDlg::OnVariableHead()
{
    EnableControl(IDC_VECTOR_HEAD_PERCENT, TRUE);
    OnControlChanged();
}

void CVectorDefaultSettingsDlg::OnLoadDefaults()
{
    // Read as the start reads them; a radio group whose code is missing or unknown keeps the
    // choice it shows, whatever the other fields hold.
    CDataExchange shown(this, TRUE);
    DDX_Radio(&shown, IDC_VECTOR_HEAD_CONSTANT, m_arrowHeadSize);
    DDX_Radio(&shown, IDC_VECTOR_SLIM, m_arrowHeadType);
    DDX_Radio(&shown, IDC_VECTOR_CENTER, m_position);
    DDX_Radio(&shown, IDC_VECTOR_THIN, m_thickness);
    CVectorDisplayAttr loaded;
    ReadIniVectorDefaults(loaded);
    RecordToControls(loaded);
    UpdateData(FALSE);
    EnableColorControls(m_colorMode == 0);
    if (m_arrowHeadSize >= 0)
        EnableControl(IDC_VECTOR_HEAD_PERCENT, m_arrowHeadSize == 1);
    SetModifiedFlag(TRUE);
}

void CVectorDefaultSettingsDlg::OnSaveDefaults()
{
    if (!UpdateData(TRUE))
        return;
    SetIniFlag(kSection, "IsVectorLenConst", m_lengthMode == 0 ? 1 : 0);
    SetIniDouble(kSection, "VectorLengthPercent", m_lengthPercent);
    SetIniUInt(kSection, "VectorThickness",
               m_thickness >= 0 && m_thickness <= 2 ? static_cast<unsigned>(kWidths[m_thickness])
                                                    : 0u);
    SetIniFlag(kSection, "IsSameVectorColor", m_colorMode == 0 ? 1 : 0);
    SetIniFlag(kSection, "ReverseBand", m_reverse != 0 ? 1 : 0);
    SetIniDouble(kSection, "VectorSameColor", static_cast<double>(m_color));
    SetIniUInt(kSection, "VectorColorBands", static_cast<unsigned>(m_bands));
    SetIniUInt(kSection, "VectorPosition",
               m_position >= 0 && m_position <= 2 ? static_cast<unsigned>(m_position + 1) : 0u);
    SetIniUInt(kSection, "VectorArrowHeadSize",
               m_arrowHeadSize >= 0 && m_arrowHeadSize <= 1
                   ? static_cast<unsigned>(m_arrowHeadSize + 1)
                   : 0u);
    SetIniDouble(kSection, "VectorArrowHeadPercLen", m_arrowHeadPercent * 0.01);
    SetIniDouble(kSection, "VectorArrowHeadConst", m_arrowHeadConst * 0.01);
    SetIniUInt(kSection, "VectorArrowHeadType",
               m_arrowHeadType >= 0 && m_arrowHeadType <= 2
                   ? static_cast<unsigned>(m_arrowHeadType + 1)
                   : 0u);
    SetIniDouble(kSection, "ScaleFactor", m_scaleFactor);
}
