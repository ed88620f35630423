// Material page.
#include "dialogs/settings/MaterialSettingDlg.h"

#include "core/services/ProductIni.h"
#include "dialogs/settings/ColorButtonInit.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "platform/win/crackers.h"
#include "platform/win/scrollbar.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/widgets_ids.h"

#include <string>

namespace
{
const char kSection[] = "Material";
constexpr int kObverse = 0;
constexpr int kReverse = 1;

// The controls of a face, by face.
struct FaceControls
{
    int colorButtons[CMaterialSettingDlg::kLightColors]; // ambient, diffuse, specular, emission
    int opacitySliders[CMaterialSettingDlg::kLightColors];
    int shininessSlider;
    int shininessEdit;
};
constexpr FaceControls kFaces[2] = {
    {{IDC_MATERIAL_OBVERSE_AMBIENT, IDC_MATERIAL_OBVERSE_DIFFUSE, IDC_MATERIAL_OBVERSE_SPECULAR,
      IDC_MATERIAL_OBVERSE_EMISSION},
     {IDC_MATERIAL_OBVERSE_AMBIENT_OPACITY, IDC_MATERIAL_OBVERSE_DIFFUSE_OPACITY,
      IDC_MATERIAL_OBVERSE_SPECULAR_OPACITY, IDC_MATERIAL_OBVERSE_EMISSION_OPACITY},
     IDC_MATERIAL_OBVERSE_SHININESS,
     IDC_MATERIAL_OBVERSE_SHININESS_EDIT},
    {{IDC_MATERIAL_REVERSE_AMBIENT, IDC_MATERIAL_REVERSE_DIFFUSE, IDC_MATERIAL_REVERSE_SPECULAR,
      IDC_MATERIAL_REVERSE_EMISSION},
     {IDC_MATERIAL_REVERSE_AMBIENT_OPACITY, IDC_MATERIAL_REVERSE_DIFFUSE_OPACITY,
      IDC_MATERIAL_REVERSE_SPECULAR_OPACITY, IDC_MATERIAL_REVERSE_EMISSION_OPACITY},
     IDC_MATERIAL_REVERSE_SHININESS,
     IDC_MATERIAL_REVERSE_SHININESS_EDIT}};

const char* const kMaterialWords[CAESettings::kMaterialKinds] = {"Solid", "Shell"};
const char* const kFaceWords[2] = {"Obverse", "Reverse"};

// A light colour's fields of a material face, for the loops over the four colours.
COLORREF& ColorOf(CGLMaterial& material, int color, int face)
{
    COLORREF* const colors[] = {material.m_ambient, material.m_diffuse, material.m_specular,
                                material.m_emission};
    return colors[color][face];
}

int& OpacityOf(CGLMaterial& material, int color, int face)
{
    int* const opacities[] = {material.m_ambientPercent, material.m_diffusePercent,
                              material.m_specularPercent, material.m_emissionPercent};
    return opacities[color][face];
}

const char* const kColorKeys[] = {"EnvColor", "DiffColor", "SpecColor", "EmmiColor"};
const char* const kOpacityKeys[] = {"EnvOpacity", "DiffOpacity", "SpecOpacity", "EmmiOpacity"};

const DialogText kTexts[] = {
    {0, "MaterialSetting", "Material Setting"},
    {IDC_MATERIAL_KIND_GROUP, "MaterialSetting", "SettingObject"},
    {IDC_MATERIAL_SOLID, "Display", "Solid"},
    {IDC_MATERIAL_SHELL, "Display", "Shell"},
    {IDC_MATERIAL_OBVERSE_GROUP, "MaterialSetting", "FaceObverse"},
    {IDC_MATERIAL_REVERSE_GROUP, "MaterialSetting", "FaceReverse"},
    {IDC_MATERIAL_OBVERSE_LIGHT_GROUP, "MaterialSetting", "LightColor"},
    {IDC_MATERIAL_REVERSE_LIGHT_GROUP, "MaterialSetting", "LightColor"},
    {IDC_MATERIAL_OBVERSE_OPACITY_LABEL, "MaterialSetting", "Opacity"},
    {IDC_MATERIAL_REVERSE_OPACITY_LABEL, "MaterialSetting", "Opacity"},
    {IDC_MATERIAL_OBVERSE_AMBIENT_LABEL, "MaterialSetting", "LightEnvironmant"},
    {IDC_MATERIAL_REVERSE_AMBIENT_LABEL, "MaterialSetting", "LightEnvironmant"},
    {IDC_MATERIAL_OBVERSE_DIFFUSE_LABEL, "MaterialSetting", "LightDiffusion"},
    {IDC_MATERIAL_REVERSE_DIFFUSE_LABEL, "MaterialSetting", "LightDiffusion"},
    {IDC_MATERIAL_OBVERSE_SPECULAR_LABEL, "MaterialSetting", "LightSpecular"},
    {IDC_MATERIAL_REVERSE_SPECULAR_LABEL, "MaterialSetting", "LightSpecular"},
    {IDC_MATERIAL_OBVERSE_EMISSION_LABEL, "MaterialSetting", "LightEmission"},
    {IDC_MATERIAL_REVERSE_EMISSION_LABEL, "MaterialSetting", "LightEmission"},
    {IDC_MATERIAL_OBVERSE_SHININESS_GROUP, "MaterialSetting", "Shininess"},
    {IDC_MATERIAL_REVERSE_SHININESS_GROUP, "MaterialSetting", "Shininess"},
    {IDC_MATERIAL_BOTH_SIDES, "MaterialSetting", "BothSideSame"},
    {IDC_MATERIAL_LOAD_DEFAULT, "Common", "LoadDefault"},
    {IDC_MATERIAL_SAVE_DEFAULT, "Common", "SaveDefault"}};

COXColorPickerButton MakeColorButton()
{
    return COXColorPickerButton(40, 4, 0xFFFFFFFF, 18, 18, IDS_OXPOPUP_DEFAULT, IDS_OXPOPUP_CUSTOM);
}

std::array<COXColorPickerButton, CMaterialSettingDlg::kLightColors> MakeFaceButtons()
{
    return {MakeColorButton(), MakeColorButton(), MakeColorButton(), MakeColorButton()};
}
} // namespace

FW_TABLE(CMaterialSettingDlg, CSettingsPage,
         fw::command<IDC_MATERIAL_LOAD_DEFAULT, &CMaterialSettingDlg::OnLoadDefaults>(),
         fw::command<IDC_MATERIAL_SAVE_DEFAULT, &CMaterialSettingDlg::OnSaveDefaults>(),
         fw::command<IDC_MATERIAL_SOLID, &CMaterialSettingDlg::OnKindChanged>(),
         fw::command<IDC_MATERIAL_SHELL, &CMaterialSettingDlg::OnKindChanged>(),
         fw::control<EN_CHANGE, IDC_MATERIAL_OBVERSE_SHININESS_EDIT,
                     &CMaterialSettingDlg::OnObverseShininessEdit>(),
         fw::control<EN_CHANGE, IDC_MATERIAL_REVERSE_SHININESS_EDIT,
                     &CMaterialSettingDlg::OnReverseShininessEdit>(),
         fw::on<WM_HSCROLL, &CMaterialSettingDlg::OnHScroll>(),
         fw::command<IDC_MATERIAL_OBVERSE_AMBIENT, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_OBVERSE_DIFFUSE, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_OBVERSE_SPECULAR, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_OBVERSE_EMISSION, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_REVERSE_AMBIENT, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_REVERSE_DIFFUSE, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_REVERSE_SPECULAR, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_REVERSE_EMISSION, &CMaterialSettingDlg::OnControlChanged>(),
         fw::command<IDC_MATERIAL_BOTH_SIDES, &CMaterialSettingDlg::OnControlChanged>())

CMaterialSettingDlg::CMaterialSettingDlg()
    : CSettingsPage(IDD_MATERIAL_SETTINGS)
    , m_colorButtons{MakeFaceButtons(), MakeFaceButtons()}
{
}

void CMaterialSettingDlg::DoDataExchange(CDataExchange* dx)
{
    CSettingsPage::DoDataExchange(dx);
    for (int face = 0; face < 2; ++face)
    {
        for (int color = 0; color < kLightColors; ++color)
            DDX_Slider(dx, kFaces[face].opacitySliders[color], OpacityOf(m_edited, color, face));
        DDX_Control(dx, kFaces[face].shininessSlider, m_shininessSliders[face]);
        DDX_Control(dx, kFaces[face].shininessEdit, m_shininessEdits[face]);
        for (int color = 0; color < kLightColors; ++color)
            DDX_Control(dx, kFaces[face].colorButtons[color], m_colorButtons[face][color]);
    }
    DDX_Radio(dx, IDC_MATERIAL_SOLID, m_kind);
    for (int face = 0; face < 2; ++face)
    {
        int shininess = m_edited.m_shininess[face];
        DDX_Text(dx, kFaces[face].shininessEdit, shininess);
        DDV_SettingRange(dx, shininess, setting_ranges::kShininess, true);
        m_edited.m_shininess[face] = static_cast<int16_t>(shininess);
        DDX_Slider(dx, kFaces[face].shininessSlider, m_shininessPos[face]);
    }
    DDX_Check(dx, IDC_MATERIAL_BOTH_SIDES, m_bothSidesSame);
    for (int face = 0; face < 2; ++face)
    {
        for (int color = 0; color < kLightColors; ++color)
        {
            COLORREF& value = ColorOf(m_edited, color, face);
            if (dx->m_bSaveAndValidate)
                value = m_colorButtons[face][color].GetColor();
            else
                InitColorButton(m_colorButtons[face][color], value, value);
        }
    }
}

BOOL CMaterialSettingDlg::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    if (const CProjectData* project = Project())
    {
        m_bothSidesSame = project->m_settings.m_sameOnBothSides;
        for (int kind = 0; kind < CAESettings::kMaterialKinds; ++kind)
            m_materials[kind] = project->m_settings.m_materials[kind];
    }
    m_edited = m_materials[CAESettings::kSolidMaterial];
    SetDialogTexts(*this, "Dialog.str", kTexts);
    m_shininessSliders[kObverse].SetRange(setting_ranges::kShininess.low,
                                          setting_ranges::kShininess.high);
    m_shininessEdits[kObverse].LimitText(3);
    for (int face = 0; face < 2; ++face)
        m_shininessPos[face] = m_edited.m_shininess[face];
    UpdateData(FALSE);
    m_isInitialised = true;
    return TRUE;
}

void CMaterialSettingDlg::OnKindChanged()
{
    const int oldKind = m_kind;
    if (!UpdateData(TRUE))
        return;
    if (oldKind >= 0 && oldKind < CAESettings::kMaterialKinds)
        m_materials[oldKind] = m_edited;
    if (m_kind >= 0 && m_kind < CAESettings::kMaterialKinds)
        m_edited = m_materials[m_kind];
    for (int face = 0; face < 2; ++face)
        m_shininessPos[face] = m_edited.m_shininess[face];
    SetModifiedFlag(TRUE);
    UpdateData(FALSE);
}

void CMaterialSettingDlg::OnShininessEdit(int face)
{
    if (!m_isInitialised || !UpdateData(TRUE))
        return;
    m_shininessPos[face] = m_edited.m_shininess[face];
    SetModifiedFlag(TRUE);
    UpdateData(FALSE);
}

void CMaterialSettingDlg::OnObverseShininessEdit()
{
    OnShininessEdit(kObverse);
}

void CMaterialSettingDlg::OnReverseShininessEdit()
{
    OnShininessEdit(kReverse);
}

void CMaterialSettingDlg::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    const int id = bar != nullptr ? ::GetDlgCtrlID(bar->GetSafeHwnd()) : 0;
    if (UpdateData(TRUE))
    {
        for (int face = 0; face < 2; ++face)
        {
            if (id == kFaces[face].shininessSlider)
                m_edited.m_shininess[face] = static_cast<int16_t>(m_shininessPos[face]);
        }
        SetModifiedFlag(TRUE);
        UpdateData(FALSE);
    }
    CSettingsPage::OnHScroll(code, pos, bar);
}

void CMaterialSettingDlg::OnSaveDefaults()
{
    if (!UpdateData(TRUE))
        return;
    m_materials[m_kind == 1 ? 1 : 0] = m_edited;
    SetIniFlag(kSection, "SameOnBothSide", m_bothSidesSame);
    for (int face = 0; face < 2; ++face)
    {
        for (int kind = 0; kind < CAESettings::kMaterialKinds; ++kind)
        {
            CGLMaterial& material = m_materials[kind];
            const std::string prefix = std::string(kMaterialWords[kind]) + kFaceWords[face];
            SetIniFlag(kSection, (prefix + "ObjectColor").c_str(), material.m_flag[face]);
            for (int color = 0; color < kLightColors; ++color)
            {
                SetIniDouble(kSection, (prefix + kColorKeys[color]).c_str(),
                             static_cast<double>(ColorOf(material, color, face)));
                SetIniUInt(kSection, (prefix + kOpacityKeys[color]).c_str(),
                           static_cast<unsigned>(OpacityOf(material, color, face)));
            }
            SetIniUInt(kSection, (prefix + "Shininess").c_str(),
                       static_cast<unsigned>(material.m_shininess[face]));
        }
    }
}

void CMaterialSettingDlg::OnLoadDefaults()
{
    ReadIniMaterials(m_materials, m_bothSidesSame);
    m_edited = m_materials[m_kind == 1 ? 1 : 0];
    for (int face = 0; face < 2; ++face)
        m_shininessPos[face] = m_edited.m_shininess[face];
    UpdateData(FALSE);
    SetModifiedFlag(TRUE);
}

void CMaterialSettingDlg::OnOK()
{
    CProjectData* project = Project();
    if (project == nullptr || !UpdateData(TRUE))
        return;
    m_materials[m_kind == 1 ? 1 : 0] = m_edited;
    project->m_settings.m_sameOnBothSides = m_bothSidesSame;
    for (int kind = 0; kind < CAESettings::kMaterialKinds; ++kind)
        project->m_settings.m_materials[kind] = m_materials[kind];
}

BOOL CMaterialSettingDlg::OnApply()
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
