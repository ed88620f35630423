// The material page of the Display settings sheet: the lighting materials of solids and shells,
// each with an obverse and a reverse face (four colours with their opacities, a shininess),
// and whether shells are lit alike on both sides; defaults in the product INI (section
// "Material"). The page edits copies; the project changes only through Apply or OK.
#pragma once

#include "dialogs/settings/SettingsPage.h"
#include "platform/ctrl/comctrl.h"
#include "platform/ctrl/stdctrl.h"
#include "project/AESettings.h"
#include "widgets/bars/OXColorPickerButton.h"

#include <array>

class CMaterialSettingDlg : public CSettingsPage
{
    FW_CREATABLE(CMaterialSettingDlg, CSettingsPage)

public:
    // The colours of a face, in the order of m_colorButtons.
    enum LightColor
    {
        kAmbient,
        kDiffuse,
        kSpecular,
        kEmission,
        kLightColors
    };

    CMaterialSettingDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;

    // Indexed by CAESettings::MaterialKind.
    CGLMaterial m_materials[CAESettings::kMaterialKinds];
    CGLMaterial m_edited; // the material of the selected kind, as the controls show it
    int m_kind = 0;
    int m_shininessPos[2] = {}; // slider positions, by face
    int m_bothSidesSame = 0;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnKindChanged();
    void OnObverseShininessEdit();
    void OnReverseShininessEdit();
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnLoadDefaults();
    void OnSaveDefaults();

private:
    void OnShininessEdit(int face);

    std::array<std::array<COXColorPickerButton, kLightColors>, 2> m_colorButtons;
    CSliderCtrl m_shininessSliders[2];
    CEdit m_shininessEdits[2];
};
