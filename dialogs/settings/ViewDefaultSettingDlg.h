// The view default page of the Display settings sheet: default view angles (which can be taken
// from the active view), the display filter, the ridge-line view, the display mode of new
// views and the triads; defaults in the product INI (section "ViewDefaultSetting").
#pragma once

#include "dialogs/settings/SettingsPage.h"

class CViewDefaultSettingDlg : public CSettingsPage
{
    FW_CREATABLE(CViewDefaultSettingDlg, CSettingsPage)

public:
    CViewDefaultSettingDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;

    int m_triadCorner = -1; // 0 left top, 1 right top, 2 left bottom, 3 right bottom
    int m_beam = 0;
    int m_centralTriad = 0;
    int m_elass = 0;
    int m_grid = 0;
    int m_mass = 0;
    int m_referenceTriad = 0;
    int m_ridgeLineView = 0;
    int m_shell = 0;
    int m_solid = 0;
    int m_displayMode = -1; // 0 wireframe ... 4 hidden line
    double m_angleX = 0.0;  // degrees
    double m_angleY = 0.0;
    double m_angleZ = 0.0;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnGetAngle();
    void OnLoadDefaults();
    void OnSaveDefaults();

private:
    void LoadFromProject();
    bool StoreToProject();
    // The display-filter bits of the checks that are exactly 1.
    DWORD FilterOfChecks() const;
};
