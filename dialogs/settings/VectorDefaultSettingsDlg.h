// The vector defaults page of the Result settings sheet: arrow length, thickness, colour or
// colour bands, position on the element and arrow head of the project's vector record, with
// its defaults in the product INI (section "VectorDefaluts"). The record changes only through
// Apply or OK.
#pragma once

#include "dialogs/settings/SettingsPage.h"
#include "widgets/bars/OXColorPickerButton.h"

class CVectorDisplayAttr;

class CVectorDefaultSettingsDlg : public CSettingsPage
{
    FW_CREATABLE(CVectorDefaultSettingsDlg, CSettingsPage)

public:
    // The page edits record in place; record must outlive the page.
    explicit CVectorDefaultSettingsDlg(CVectorDisplayAttr* record = nullptr);
    void SetRecord(CVectorDisplayAttr* record) { m_pRecord = record; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnApply() override;

    COXColorPickerButton m_colorButton;
    // Radio groups; -1 while none is selected.
    int m_arrowHeadSize = -1; // 0 constant, 1 variable
    int m_arrowHeadType = -1; // 0 slim, 1 normal, 2 large
    int m_position = -1;      // 0 centre, 1 from centre, 2 to centre
    int m_thickness = -1;     // 0 thin, 1 normal, 2 thick
    int m_colorMode = -1;     // 0 same colour, 1 colour bands
    int m_lengthMode = -1;    // 0 constant, 1 with the magnitude
    double m_scaleFactor = 0.0;
    double m_arrowHeadPercent = 0.0;
    double m_lengthPercent = 0.0;
    double m_arrowHeadConst = 0.25; // the record's constant head in percent; no control
    int m_bands = 0;
    int m_reverse = 0;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnLoadDefaults();
    void OnSaveDefaults();
    void OnSameColor();
    void OnColorBands();
    void OnConstantHead();
    void OnVariableHead();

private:
    void RecordToControls(const CVectorDisplayAttr& record);
    void ControlsToRecord();
    void EnableColorControls(bool sameColor);

    CVectorDisplayAttr* m_pRecord; // the project's
    COLORREF m_color = 0;          // what the colour button shows
};
