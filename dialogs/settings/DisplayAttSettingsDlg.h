// The display attribute page of the Display settings sheet: colour and size of each entity
// kind, the views' background colour, three fonts with their colours and the language, with
// defaults in the product INI (section "DisplayAttribute", and "Environment" for the language).
#pragma once

#include "dialogs/settings/SettingsPage.h"
#include "platform/ctrl/comctrl.h"
#include "project/AESettings.h"
#include "widgets/bars/OXColorPickerButton.h"

#include <array>

class CDisplayAttSettingsDlg : public CSettingsPage
{
    FW_CREATABLE(CDisplayAttSettingsDlg, CSettingsPage)

public:
    // The fonts of the page, in the order of their buttons.
    enum FontSlot
    {
        kGeneralFont,
        kElementLabelFont,
        kNodeLabelFont,
        kFontSlots
    };

    CDisplayAttSettingsDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;

    // Indexed by CAESettings::EntityKind.
    std::array<int, CAESettings::kEntityKinds> m_sizes;
    std::array<COLORREF, CAESettings::kEntityKinds> m_colors;
    COLORREF m_background = 0;
    std::array<CFontSetting, kFontSlots> m_fonts;
    int m_language = -1; // 0 English, 1 Japanese

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnLoadDefaults();
    void OnSaveDefaults();
    void OnSelectFont();
    void OnSelectElementLabelFont();
    void OnSelectNodeLabelFont();

private:
    void SelectFont(FontSlot slot);
    void ShowFaceNames();

    std::array<COXColorPickerButton, CAESettings::kEntityKinds> m_colorButtons;
    COXColorPickerButton m_backgroundButton;
    std::array<COXColorPickerButton, kFontSlots> m_fontColorButtons;
    std::array<CSpinButtonCtrl, CAESettings::kEntityKinds> m_spins;
};
