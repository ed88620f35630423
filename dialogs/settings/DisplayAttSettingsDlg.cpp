// Display attribute page.
#include "dialogs/settings/DisplayAttSettingsDlg.h"

#include "core/services/ProductIni.h"
#include "dialogs/settings/ColorButtonInit.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/commdlg.h"
#include "platform/dlg/ddx.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "resources/ids/widgets_ids.h"

namespace
{
const char kSection[] = "DisplayAttribute";

// Controls and INI keys of one entity kind, by CAESettings::EntityKind.
struct KindControls
{
    int colorButton;
    int sizeEdit;
    int spin;
    const char* colorKey;
    const char* sizeKey;
};
constexpr KindControls kKinds[CAESettings::kEntityKinds] = {
    {IDC_DISPLAY_SOLID_COLOR, IDC_DISPLAY_SOLID_SIZE, IDC_DISPLAY_SOLID_SPIN, "SolidColor",
     "SolidSize"},
    {IDC_DISPLAY_SHELL_COLOR, IDC_DISPLAY_SHELL_SIZE, IDC_DISPLAY_SHELL_SPIN, "ShellColor",
     "ShellSize"},
    {IDC_DISPLAY_BEAM_COLOR, IDC_DISPLAY_BEAM_SIZE, IDC_DISPLAY_BEAM_SPIN, "BeamColor", "BeamSize"},
    {IDC_DISPLAY_MASS_COLOR, IDC_DISPLAY_MASS_SIZE, IDC_DISPLAY_MASS_SPIN, "MassColor", "MassSize"},
    {IDC_DISPLAY_ELASS_COLOR, IDC_DISPLAY_ELASS_SIZE, IDC_DISPLAY_ELASS_SPIN, "ElassColor",
     "ElassSize"},
    {IDC_DISPLAY_GRID_COLOR, IDC_DISPLAY_GRID_SIZE, IDC_DISPLAY_GRID_SPIN, "GridColor",
     "GridSize"}};
// The order in which Save Defaults writes the kinds.
constexpr CAESettings::EntityKind kSaveOrder[] = {CAESettings::kGrid,  CAESettings::kShell,
                                                  CAESettings::kSolid, CAESettings::kMass,
                                                  CAESettings::kElass, CAESettings::kBeam};

// Controls and INI key suffix of one font, by CDisplayAttSettingsDlg::FontSlot.
struct FontControls
{
    int button;
    int colorButton;
    const char* suffix;
};
constexpr FontControls kFonts[CDisplayAttSettingsDlg::kFontSlots] = {
    {IDC_DISPLAY_FONT, IDC_DISPLAY_FONT_COLOR, ""},
    {IDC_DISPLAY_ELEMENT_FONT, IDC_DISPLAY_ELEMENT_FONT_COLOR, "ElementLabel"},
    {IDC_DISPLAY_NODE_FONT, IDC_DISPLAY_NODE_FONT_COLOR, "NodeLabel"}};

const DialogText kTexts[] = {{0, "Display", "Display Attribute"},
                             {IDC_DISPLAY_GRID_GROUP, "Display", "Grid"},
                             {IDC_DISPLAY_SOLID_GROUP, "Display", "Solid"},
                             {IDC_DISPLAY_SHELL_GROUP, "Display", "Shell"},
                             {IDC_DISPLAY_MASS_GROUP, "Display", "Mass"},
                             {IDC_DISPLAY_ELASS_GROUP, "Display", "Elass"},
                             {IDC_DISPLAY_BEAM_GROUP, "Display", "Beam"},
                             {IDC_DISPLAY_GRID_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_DISPLAY_SOLID_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_DISPLAY_SHELL_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_DISPLAY_MASS_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_DISPLAY_ELASS_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_DISPLAY_BEAM_COLOR_LABEL, "ContourSettings", "Color"},
                             {IDC_DISPLAY_GRID_SIZE_LABEL, "Display", "Size"},
                             {IDC_DISPLAY_MASS_SIZE_LABEL, "Display", "Size"},
                             {IDC_DISPLAY_SOLID_WIDTH_LABEL, "Display", "LineWidth"},
                             {IDC_DISPLAY_SHELL_WIDTH_LABEL, "Display", "LineWidth"},
                             {IDC_DISPLAY_ELASS_WIDTH_LABEL, "Display", "LineWidth"},
                             {IDC_DISPLAY_BEAM_WIDTH_LABEL, "Display", "LineWidth"},
                             {IDC_DISPLAY_BACKGROUND_LABEL, "Display", "Background"},
                             {IDC_DISPLAY_FONT_GROUP, "Display", "Font"},
                             {IDC_DISPLAY_FONT_LABEL, "Display", "SelectFont"},
                             {IDC_DISPLAY_ELEMENT_FONT_LABEL, "Display", "FontElementLabel"},
                             {IDC_DISPLAY_NODE_FONT_LABEL, "Display", "FontNodeLabel"},
                             {IDC_DISPLAY_FONT_COLOR_LABEL, "Display", "FontColor"},
                             {IDC_DISPLAY_ELEMENT_FONT_COLOR_LABEL, "Display", "FontColor"},
                             {IDC_DISPLAY_NODE_FONT_COLOR_LABEL, "Display", "FontColor"},
                             {IDC_DISPLAY_LANGUAGE_GROUP, "Display", "Language"},
                             {IDC_DISPLAY_ENGLISH, "Display", "English"},
                             {IDC_DISPLAY_JAPANESE, "Display", "Japanies"},
                             {IDC_SETTINGS_LOAD_DEFAULT, "Common", "LoadDefault"},
                             {IDC_SETTINGS_SAVE_DEFAULT, "Common", "SaveDefault"},
                             {IDC_DISPLAY_NOTE, "DisplaySetting", "Note"}};

CString Key(const char* name, const char* suffix)
{
    CString key(name);
    key += suffix;
    return key;
}

const char* LanguageName(int language)
{
    return language == 0 ? "English" : "Japanese";
}
} // namespace

FW_TABLE(
    CDisplayAttSettingsDlg, CSettingsPage,
    fw::command<IDC_SETTINGS_SAVE_DEFAULT, &CDisplayAttSettingsDlg::OnSaveDefaults>(),
    fw::command<IDC_SETTINGS_LOAD_DEFAULT, &CDisplayAttSettingsDlg::OnLoadDefaults>(),
    fw::command<IDC_DISPLAY_FONT, &CDisplayAttSettingsDlg::OnSelectFont>(),
    fw::command<IDC_DISPLAY_ELEMENT_FONT, &CDisplayAttSettingsDlg::OnSelectElementLabelFont>(),
    fw::command<IDC_DISPLAY_NODE_FONT, &CDisplayAttSettingsDlg::OnSelectNodeLabelFont>(),
    fw::command<IDC_DISPLAY_GRID_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_SOLID_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_SHELL_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_MASS_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_ELASS_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_BEAM_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_BACKGROUND, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_FONT_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_ELEMENT_FONT_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_NODE_FONT_COLOR, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_ENGLISH, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::command<IDC_DISPLAY_JAPANESE, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_DISPLAY_GRID_SIZE, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_DISPLAY_MASS_SIZE, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_DISPLAY_BEAM_SIZE, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_DISPLAY_ELASS_SIZE, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_DISPLAY_SOLID_SIZE, &CDisplayAttSettingsDlg::OnControlChanged>(),
    fw::control<EN_CHANGE, IDC_DISPLAY_SHELL_SIZE, &CDisplayAttSettingsDlg::OnControlChanged>())

namespace
{
COXColorPickerButton MakeColorButton()
{
    return COXColorPickerButton(40, 4, 0xFFFFFFFF, 18, 18, IDS_OXPOPUP_DEFAULT, IDS_OXPOPUP_CUSTOM);
}
} // namespace

CDisplayAttSettingsDlg::CDisplayAttSettingsDlg()
    : CSettingsPage(IDD_DISPLAY_ATTRIBUTES)
    , m_colorButtons{MakeColorButton(), MakeColorButton(), MakeColorButton(),
                     MakeColorButton(), MakeColorButton(), MakeColorButton()}
    , m_backgroundButton(MakeColorButton())
    , m_fontColorButtons{MakeColorButton(), MakeColorButton(), MakeColorButton()}
{
    m_sizes.fill(1);
    m_colors.fill(0);
}

void CDisplayAttSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    CSettingsPage::DoDataExchange(dx);
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
    {
        DDX_Control(dx, kKinds[kind].colorButton, m_colorButtons[kind]);
        DDX_Control(dx, kKinds[kind].spin, m_spins[kind]);
    }
    DDX_Control(dx, IDC_DISPLAY_BACKGROUND, m_backgroundButton);
    for (int slot = 0; slot < kFontSlots; ++slot)
        DDX_Control(dx, kFonts[slot].colorButton, m_fontColorButtons[slot]);
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
    {
        DDX_Text(dx, kKinds[kind].sizeEdit, m_sizes[kind]);
        DDV_SettingRange(dx, m_sizes[kind], setting_ranges::kEntitySize, true);
    }
    DDX_Radio(dx, IDC_DISPLAY_ENGLISH, m_language);
    if (dx->m_bSaveAndValidate)
    {
        for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
            m_colors[kind] = m_colorButtons[kind].GetColor();
        m_background = m_backgroundButton.GetColor();
        for (int slot = 0; slot < kFontSlots; ++slot)
            m_fonts[slot].color = m_fontColorButtons[slot].GetColor();
        return;
    }
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
        InitColorButton(m_colorButtons[kind], m_colors[kind], m_colors[kind]);
    InitColorButton(m_backgroundButton, m_background, m_background);
    for (int slot = 0; slot < kFontSlots; ++slot)
        InitColorButton(m_fontColorButtons[slot], m_fonts[slot].color, m_fonts[slot].color);
}

BOOL CDisplayAttSettingsDlg::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    m_bModified = 0;
    if (const CProjectData* project = Project())
    {
        const CAESettings& settings = project->m_settings;
        for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
        {
            m_sizes[kind] = settings.m_entitySizes[kind];
            m_colors[kind] = settings.m_entityColors[kind];
        }
        m_background = settings.m_backgroundColor;
        m_fonts = {settings.m_generalFont, settings.m_elementLabelFont, settings.m_nodeLabelFont};
        m_language = settings.m_language;
    }
    ShowFaceNames();
    for (CSpinButtonCtrl& spin : m_spins)
    {
        spin.SetRange(1, 10);
        spin.SetPos(1);
    }
    UpdateData(FALSE);
    SetDialogTexts(*this, "Dialog.str", kTexts);
    m_isInitialised = true;
    return TRUE;
}

void CDisplayAttSettingsDlg::ShowFaceNames()
{
    for (int slot = 0; slot < kFontSlots; ++slot)
        ::SetDlgItemTextA(GetSafeHwnd(), kFonts[slot].button, m_fonts[slot].font.lfFaceName);
}

void CDisplayAttSettingsDlg::SelectFont(FontSlot slot)
{
    CFontDialog dialog(&m_fonts[slot].font, CF_SCREENFONTS | CF_NOSCRIPTSEL, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&m_fonts[slot].font);
    ShowFaceNames();
    SetModifiedFlag(TRUE);
}

void CDisplayAttSettingsDlg::OnSelectFont()
{
    SelectFont(kGeneralFont);
}

void CDisplayAttSettingsDlg::OnSelectElementLabelFont()
{
    SelectFont(kElementLabelFont);
}

void CDisplayAttSettingsDlg::OnSelectNodeLabelFont()
{
    SelectFont(kNodeLabelFont);
}

void CDisplayAttSettingsDlg::OnSaveDefaults()
{
    if (!UpdateData(TRUE))
        return;
    for (const CAESettings::EntityKind kind : kSaveOrder)
    {
        SetIniUInt(kSection, kKinds[kind].colorKey, m_colors[kind]);
        SetIniUInt(kSection, kKinds[kind].sizeKey, static_cast<unsigned>(m_sizes[kind]));
    }
    SetIniUInt(kSection, "BackgroundColor", m_background);
    for (int slot = 0; slot < kFontSlots; ++slot)
    {
        const char* suffix = kFonts[slot].suffix;
        const LOGFONT& font = m_fonts[slot].font;
        SetIniUInt(kSection, Key("FontColor", suffix).GetString(), m_fonts[slot].color);
        SetIniDouble(kSection, Key("FontHeight", suffix).GetString(), font.lfHeight);
        SetIniDouble(kSection, Key("FontWidth", suffix).GetString(), font.lfWidth);
        SetIniDouble(kSection, Key("FontWeight", suffix).GetString(), font.lfWeight);
        SetIniFlag(kSection, Key("FontItalic", suffix).GetString(), font.lfItalic != 0 ? 1 : 0);
        SetIniString(kSection, Key("FontFaceName", suffix).GetString(), font.lfFaceName);
    }
    SetIniString("Environment", "Language", LanguageName(m_language));
}

void CDisplayAttSettingsDlg::OnLoadDefaults()
{
    // Read as the start reads them; a missing colour or size keeps the one shown.
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
    {
        m_colors[kind] = ReadIniColor(kSection, kKinds[kind].colorKey, m_colors[kind]);
        m_sizes[kind] =
            ReadIniInt(kSection, kKinds[kind].sizeKey, setting_ranges::kEntitySize, m_sizes[kind]);
    }
    m_background = ReadIniColor(kSection, "BackgroundColor", m_background);
    for (int slot = 0; slot < kFontSlots; ++slot)
        ReadIniFont(kFonts[slot].suffix, m_fonts[slot]);
    ShowFaceNames();
    CString language;
    GetIniString("Environment", "Language", &language);
    m_language = language.CompareNoCase("English") == 0 ? 0 : 1;
    UpdateData(FALSE);
    SetModifiedFlag(TRUE);
}

void CDisplayAttSettingsDlg::OnOK()
{
    CProjectData* project = Project();
    if (project == nullptr || !UpdateData(TRUE))
        return;
    CAESettings& settings = project->m_settings;
    for (int kind = 0; kind < CAESettings::kEntityKinds; ++kind)
    {
        settings.m_entitySizes[kind] = m_sizes[kind];
        settings.m_entityColors[kind] = m_colors[kind];
    }
    if (m_background != settings.m_backgroundColor)
    {
        settings.m_backgroundColor = m_background;
        if (m_pHost != nullptr)
            m_pHost->ApplyBackgroundColor(m_background);
    }
    settings.m_generalFont = m_fonts[kGeneralFont];
    settings.m_elementLabelFont = m_fonts[kElementLabelFont];
    settings.m_nodeLabelFont = m_fonts[kNodeLabelFont];
    settings.m_language = static_cast<int16_t>(m_language == 0 ? 0 : 1);
    SetIniString("Environment", "Language", LanguageName(m_language));
}

BOOL CDisplayAttSettingsDlg::OnApply()
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
