// The per-view vector settings dialog: arrow length, scale, thickness, one colour or colour
// bands, position on the element and arrow head of one vector result of a view, among the
// settings of every vector result the command stored. Its command made it modeless; Apply hands
// every stored setting to the command (700) and opens the dialog again on the view's new
// settings, Cancel ends the command (701). Color Band edits the bands in a modal dialog.
#pragma once

#include "core/display/VectorDisplayAttr.h"
#include "dialogs/tools/ToolDlg.h"
#include "view/SettingCommands.h"
#include "widgets/bars/OXColorPickerButton.h"

#include <cstdint>

class CVectorSettingDlg : public CToolDlg
{
public:
    explicit CVectorSettingDlg(int frameKey = 0);

    CVectorSettingMap m_stored; // per vector result, filled before the window is made
    CVectorDisplayAttr m_working;
    COXColorPickerButton m_colorButton;
    int32_t m_nResultId = -1; // the result being edited
    // Radio groups; -1 while none is selected.
    int m_lengthMode = -1;    // 0 constant, 1 with the magnitude
    int m_thickness = -1;     // 0 thin, 1 normal, 2 thick
    int m_colorMode = -1;     // 0 same colour, 1 colour bands
    int m_arrowHeadType = -1; // 0 slim, 1 normal, 2 large
    int m_position = -1;      // 0 centre, 1 from centre, 2 to centre
    int m_arrowHeadSize = -1; // 0 constant, 1 variable
    double m_scaleFactor = 0.0;
    int m_bands = 0;
    double m_arrowHeadPercent = 0.0;
    double m_arrowHeadConst = 0.25; // working's constant head in percent; no control
    double m_lengthPercent = 0.0;

    FW_MESSAGE_TABLE()

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Enter applies; Escape and the close box cancel, as the buttons do.
    void OnOK() override { OnOKButton(); }
    void OnCancel() override { OnCancelButton(); }

    void OnSameColor();
    void OnColorBands();
    void OnConstantHead();
    void OnVariableHead();
    void OnOKButton();
    void OnCancelButton();
    void OnColorBand();

private:
    void InitControls();
    void SetTexts();
    void EnableColorControls(bool sameColor);
    void EnableControl(int id, BOOL enable);
    void WorkingToMembers();
    void MembersToWorking(int previousBands);
    // The band count typed, when it is one the bands take; else the message.
    bool CheckBandCount();
};
