// Deformation settings of one view: the two scale factors, which of them applies, and whether
// the deformation, the undeformed model and the contour are shown. The view fills the members
// and reads them back after OK.
#pragma once

#include "platform/dlg/dialog.h"

class CDeformationSettingsDlg : public CDialog
{
public:
    // m_scaleChoice
    static constexpr int kNoChoice = -1;
    static constexpr int kByDeformationScale = 0;
    static constexpr int kByModelScale = 1;

    explicit CDeformationSettingsDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    double m_deformationScale = 1.0;
    double m_modelScale = 1.0; // per cent of the model's size
    int m_enableDeformation = TRUE;
    int m_showModel = FALSE;
    int m_showContour = TRUE;
    int m_scaleChoice = kNoChoice;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnByDeformationScale();
    void OnByModelScale();
    void OnEnableDeformation();

private:
    void EnableScaleEdits(bool isModelScale);
    void EnableShowChecks(bool enable);
};
