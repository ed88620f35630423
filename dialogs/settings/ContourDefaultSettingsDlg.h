// The contour defaults page of the Result settings sheet: band style, reverse order, number of
// bands and contour kind of the project's contour record, with its defaults in the product INI
// (section "ContourDefaluts"). The record changes only through Apply or OK.
#pragma once

#include "dialogs/settings/SettingsPage.h"

class CResultDisplayAttr;

class CContourDefaultSettingsDlg : public CSettingsPage
{
    FW_CREATABLE(CContourDefaultSettingsDlg, CSettingsPage)

public:
    // The page edits record in place; record must outlive the page.
    explicit CContourDefaultSettingsDlg(CResultDisplayAttr* record = nullptr);
    void SetRecord(CResultDisplayAttr* record) { m_pRecord = record; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnApply() override;

    int m_smooth = 0;
    int m_reverse = 0;
    int m_bands = 0;
    int m_contourType = -1; // 0 bands, 1 lines, 2 iso-surface; -1 none selected

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnLoadDefaults();
    void OnSaveDefaults();

private:
    void RecordToControls();
    void ControlsToRecord();

    CResultDisplayAttr* m_pRecord; // the project's
};
