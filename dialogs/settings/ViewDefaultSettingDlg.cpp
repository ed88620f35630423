// View default page.
#include "dialogs/settings/ViewDefaultSettingDlg.h"

#include "core/services/ProductIni.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "project/ProjectData.h"
#include "project/SettingRanges.h"
#include "resources/ids/dialogs_ids.h"

namespace
{
const char kSection[] = "ViewDefaultSetting";

const DialogText kTexts[] = {
    {0, "ViewDefaultSetting", "View Settings"},
    {IDC_VIEWDEF_ANGLE_GROUP, "ViewAngle", "AngleDegree"},
    {IDC_VIEWDEF_X_LABEL, "Common", "X"},
    {IDC_VIEWDEF_Y_LABEL, "Common", "Y"},
    {IDC_VIEWDEF_Z_LABEL, "Common", "Z"},
    {IDC_VIEWDEF_GET, "ViewDefaultSetting", "Get"},
    {IDC_VIEWDEF_FILTER_GROUP, "ViewDefaultSetting", "DisplayFilter"},
    {IDC_VIEWDEF_GRID, "DISPLAY", "Grid"},
    {IDC_VIEWDEF_MASS, "DISPLAY", "Mass"},
    {IDC_VIEWDEF_SOLID, "DISPLAY", "Solid"},
    {IDC_VIEWDEF_SHELL, "DISPLAY", "Shell"},
    {IDC_VIEWDEF_ELASS, "DISPLAY", "Elass"},
    {IDC_VIEWDEF_BEAM, "DISPLAY", "Beam"},
    {IDC_VIEWDEF_SHADING_GROUP, "ViewDefaultSetting", "ShadingModes"},
    {IDC_VIEWDEF_RIDGE_LINE_VIEW, "ViewDefaultSetting", "RidgeLineView"},
    {IDC_VIEWDEF_MODE_GROUP, "ViewDefaultSetting", "DefaultShaddingMode"},
    {IDC_VIEWDEF_WIREFRAME, "ViewDefaultSetting", "WireFrame"},
    {IDC_VIEWDEF_RIDGE_LINE, "ViewDefaultSetting", "RidgeLine"},
    {IDC_VIEWDEF_SHADING, "ViewDefaultSetting", "Shading"},
    {IDC_VIEWDEF_RIDGE_SHADING, "ViewDefaultSetting", "RidgelineWithShading"},
    {IDC_VIEWDEF_HIDDEN_LINE, "ViewDefaultSetting", "HiddenLine"},
    {IDC_VIEWDEF_TRIAD_GROUP, "ViewDefaultSetting", "Triods"},
    {IDC_VIEWDEF_REFERENCE_TRIAD, "ViewDefaultSetting", "RefferenceTriad"},
    {IDC_VIEWDEF_CENTRAL_TRIAD, "ViewDefaultSetting", "ShowCentralTriad"},
    {IDC_VIEWDEF_CORNER_GROUP, "ViewDefaultSetting", "RefferenceTriadPosition"},
    {IDC_VIEWDEF_LEFT_TOP, "ViewDefaultSetting", "LeftTop"},
    {IDC_VIEWDEF_RIGHT_TOP, "ViewDefaultSetting", "RightTop"},
    {IDC_VIEWDEF_LEFT_BOTTOM, "ViewDefaultSetting", "LeftBottom"},
    {IDC_VIEWDEF_RIGHT_BOTTOM, "ViewDefaultSetting", "RightBottom"},
    {IDC_SETTINGS_LOAD_DEFAULT, "Common", "LoadDefault"},
    {IDC_SETTINGS_SAVE_DEFAULT, "Common", "SaveDefault"}};

// A one-digit key into a check; a missing key keeps it.
void ReadFlag(const char* key, int& check)
{
    int value = 0;
    if (GetIniFlag(kSection, key, &value))
        check = value;
}
} // namespace

FW_TABLE(CViewDefaultSettingDlg, CSettingsPage,
         fw::command<IDC_VIEWDEF_GET, &CViewDefaultSettingDlg::OnGetAngle>(),
         fw::command<IDC_SETTINGS_SAVE_DEFAULT, &CViewDefaultSettingDlg::OnSaveDefaults>(),
         fw::command<IDC_SETTINGS_LOAD_DEFAULT, &CViewDefaultSettingDlg::OnLoadDefaults>(),
         fw::command_range<IDC_VIEWDEF_LEFT_BOTTOM, IDC_VIEWDEF_RIGHT_TOP,
                           &CViewDefaultSettingDlg::OnControlInRangeChanged>(),
         fw::command_range<IDC_VIEWDEF_WIREFRAME, IDC_VIEWDEF_HIDDEN_LINE,
                           &CViewDefaultSettingDlg::OnControlInRangeChanged>(),
         fw::command_range<IDC_VIEWDEF_RIDGE_LINE_VIEW, IDC_VIEWDEF_MASS,
                           &CViewDefaultSettingDlg::OnControlInRangeChanged>(),
         fw::command<IDC_VIEWDEF_REFERENCE_TRIAD, &CViewDefaultSettingDlg::OnControlChanged>(),
         fw::command<IDC_VIEWDEF_CENTRAL_TRIAD, &CViewDefaultSettingDlg::OnControlChanged>(),
         fw::control<EN_CHANGE, IDC_VIEWDEF_ANGLE_X, &CViewDefaultSettingDlg::OnControlChanged>(),
         fw::control<EN_CHANGE, IDC_VIEWDEF_ANGLE_Y, &CViewDefaultSettingDlg::OnControlChanged>(),
         fw::control<EN_CHANGE, IDC_VIEWDEF_ANGLE_Z, &CViewDefaultSettingDlg::OnControlChanged>())

CViewDefaultSettingDlg::CViewDefaultSettingDlg()
    : CSettingsPage(IDD_VIEW_DEFAULTS)
{
}

void CViewDefaultSettingDlg::DoDataExchange(CDataExchange* dx)
{
    CSettingsPage::DoDataExchange(dx);
    DDX_Radio(dx, IDC_VIEWDEF_LEFT_TOP, m_triadCorner);
    DDX_Check(dx, IDC_VIEWDEF_BEAM, m_beam);
    DDX_Check(dx, IDC_VIEWDEF_CENTRAL_TRIAD, m_centralTriad);
    DDX_Check(dx, IDC_VIEWDEF_ELASS, m_elass);
    DDX_Check(dx, IDC_VIEWDEF_GRID, m_grid);
    DDX_Check(dx, IDC_VIEWDEF_MASS, m_mass);
    DDX_Check(dx, IDC_VIEWDEF_REFERENCE_TRIAD, m_referenceTriad);
    DDX_Check(dx, IDC_VIEWDEF_RIDGE_LINE_VIEW, m_ridgeLineView);
    DDX_Check(dx, IDC_VIEWDEF_SHELL, m_shell);
    DDX_Check(dx, IDC_VIEWDEF_SOLID, m_solid);
    DDX_Radio(dx, IDC_VIEWDEF_WIREFRAME, m_displayMode);
    DDX_Text(dx, IDC_VIEWDEF_ANGLE_X, m_angleX);
    DDX_Text(dx, IDC_VIEWDEF_ANGLE_Y, m_angleY);
    DDX_Text(dx, IDC_VIEWDEF_ANGLE_Z, m_angleZ);
}

BOOL CViewDefaultSettingDlg::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    LoadFromProject();
    UpdateData(FALSE);
    m_isInitialised = true;
    return TRUE;
}

void CViewDefaultSettingDlg::LoadFromProject()
{
    const CProjectData* project = Project();
    if (project == nullptr)
        return;
    const CAESettings& settings = project->m_settings;
    m_angleX = settings.m_viewAngles.x;
    m_angleY = settings.m_viewAngles.y;
    m_angleZ = settings.m_viewAngles.z;
    const DWORD filter = settings.m_displayFilter;
    const std::pair<int, int*> checks[] = {{kKindNode, &m_grid},   {kKindMass, &m_mass},
                                           {kKindSolid, &m_solid}, {kKindShell, &m_shell},
                                           {kKindElass, &m_elass}, {kKindBeam, &m_beam}};
    for (const auto& [bit, check] : checks)
    {
        if ((filter & bit) != 0)
            *check = 1;
    }
    m_ridgeLineView = settings.m_rigidLineView != 0 ? 1 : 0;
    m_referenceTriad = settings.m_showReferenceTriad;
    m_centralTriad = settings.m_showCentralTriad;
    m_triadCorner = settings.m_triadPosition;
    m_displayMode = settings.m_displayType;
}

DWORD CViewDefaultSettingDlg::FilterOfChecks() const
{
    DWORD filter = 0;
    filter |= m_grid == 1 ? kKindNode : 0;
    filter |= m_mass == 1 ? kKindMass : 0;
    filter |= m_solid == 1 ? kKindSolid : 0;
    filter |= m_shell == 1 ? kKindShell : 0;
    filter |= m_elass == 1 ? kKindElass : 0;
    filter |= m_beam == 1 ? kKindBeam : 0;
    return filter;
}

bool CViewDefaultSettingDlg::StoreToProject()
{
    CProjectData* project = Project();
    if (project == nullptr || !UpdateData(TRUE))
        return false;
    CAESettings& settings = project->m_settings;
    settings.m_viewAngles = CPoint3D(m_angleX, m_angleY, m_angleZ);
    settings.m_displayFilter = FilterOfChecks();
    settings.m_rigidLineView = m_ridgeLineView != 0 ? 1 : 0;
    settings.m_displayType = static_cast<int16_t>(m_displayMode);
    settings.m_showReferenceTriad = m_referenceTriad != 0 ? 1 : 0;
    settings.m_showCentralTriad = m_centralTriad != 0 ? 1 : 0;
    settings.m_triadPosition = static_cast<int16_t>(m_triadCorner);
    if (m_pHost != nullptr)
        m_pHost->SetActiveViewDisplayMode(m_displayMode);
    return true;
}

void CViewDefaultSettingDlg::OnGetAngle()
{
    CPoint3D angles;
    if (m_pHost == nullptr || !m_pHost->GetActiveViewAngles(angles))
        return;
    SetModifiedFlag(TRUE);
    m_angleX = angles.x;
    m_angleY = angles.y;
    m_angleZ = angles.z;
    UpdateData(FALSE);
}

void CViewDefaultSettingDlg::OnSaveDefaults()
{
    if (!UpdateData(TRUE))
        return;
    SetIniDouble(kSection, "X_Angle", m_angleX);
    SetIniDouble(kSection, "Y_Angle", m_angleY);
    SetIniDouble(kSection, "Z_Angle", m_angleZ);
    SetIniUInt(kSection, "SelectionFilter", FilterOfChecks());
    SetIniFlag(kSection, "RigidLineView", m_ridgeLineView);
    if (m_displayMode >= 0)
        SetIniUInt(kSection, "DisplayType", static_cast<unsigned>(m_displayMode));
    SetIniFlag(kSection, "RefferenceTriad", m_referenceTriad);
    SetIniFlag(kSection, "ShowCentralTriad", m_centralTriad);
    SetIniUInt(kSection, "RefferenceTriadPosition", static_cast<unsigned>(m_triadCorner));
    UpdateData(FALSE);
}

void CViewDefaultSettingDlg::OnLoadDefaults()
{
    if (!UpdateData(TRUE))
        return;
    GetIniDouble(kSection, "X_Angle", &m_angleX);
    GetIniDouble(kSection, "Y_Angle", &m_angleY);
    GetIniDouble(kSection, "Z_Angle", &m_angleZ);
    // Read as the start reads them; a missing key keeps what the page shows.
    const int filter = ReadIniInt(kSection, "SelectionFilter", setting_ranges::kDisplayFilter, -1);
    if (filter >= 0)
    {
        m_grid = (filter & kKindNode) ? 1 : 0;
        m_mass = (filter & kKindMass) ? 1 : 0;
        m_solid = (filter & kKindSolid) ? 1 : 0;
        m_shell = (filter & kKindShell) ? 1 : 0;
        m_elass = (filter & kKindElass) ? 1 : 0;
        m_beam = (filter & kKindBeam) ? 1 : 0;
    }
    ReadFlag("RigidLineView", m_ridgeLineView);
    ReadFlag("RefferenceTriad", m_referenceTriad);
    ReadFlag("ShowCentralTriad", m_centralTriad);
    m_displayMode =
        ReadIniInt(kSection, "DisplayType", setting_ranges::kDisplayMode, m_displayMode);
    m_triadCorner = ReadIniInt(kSection, "RefferenceTriadPosition", setting_ranges::kTriadCorner,
                               m_triadCorner);
    UpdateData(FALSE);
    SetModifiedFlag(TRUE);
}

BOOL CViewDefaultSettingDlg::OnApply()
{
    if (m_bModified == 1)
    {
        if (StoreToProject() && m_pHost != nullptr)
            m_pHost->ApplySettingsToAllViews(TRUE);
        SetModifiedFlag(FALSE);
    }
    return TRUE;
}

void CViewDefaultSettingDlg::OnOK()
{
    StoreToProject();
    CSettingsPage::OnOK();
}
