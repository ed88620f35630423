// Depth clipping: a forward and a backward slider move the near and far ends of the view's
// depth range between the model's nearest and farthest points, a slider step being 0.01 model
// units and 100 % the whole depth; two fields show and take the percentages (checked when the
// user presses Enter in one or leaves it). However the dialog closes, the view gets back the
// depth range it had before the Clipping command, and the dialog goes.
#pragma once

#include "core/geometry/Point3D.h"
#include "dialogs/tools/ToolDlg.h"

class CScrollBar;

class CClippingDlg : public CToolDlg
{
public:
    explicit CClippingDlg(int frameKey = 0);
    ~CClippingDlg() override;

    // Opens the dialog for the view of the frame key, whose depth range was startZ to endZ
    // before the command narrowed it to the model. A dialog already open for that view gives
    // way to the new one and hands it the range to restore.
    static CClippingDlg* Open(int frameKey, double startZ, double endZ);
    // The open dialog of the view of the frame key, or null.
    static CClippingDlg* Find(int frameKey);

    BOOL OnInitDialog() override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    // Checks the typed percentage and moves its slider, the other following when they cross.
    void OnChangeBackward();
    void OnChangeForward();
    // Enter in a field checks it; otherwise Enter, like Close and the close box, closes.
    void OnOK() override;
    void OnCancel() override;
    void OnCloseButton();
    // The view's depth range as it was before the command; once.
    void RestoreViewDepth();

    CPoint3D m_start;
    CPoint3D m_end;
    double m_dDepth = 1.0;
    double m_dSavedStartZ = 0.0;
    double m_dSavedEndZ = 0.0;
    double m_dBackward = 100.0; // percent
    double m_dForward = 0.0;
    int m_nBackwardPos = 1000;
    int m_nForwardPos = 0;
    CString m_strForward = "0.000";
    CString m_strBackward = "100.000";

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnViewClosed() override;
    void OnDestroy();
    // Nobody owns the dialog: it goes with its window.
    void PostNcDestroy() override;

private:
    // The slider position of a percentage: rounded to the nearest step, a half step down.
    int PositionOf(double percent) const;
    void FormatTexts();
    // The sliders' depth range in the view, panned back to the model centre.
    void ApplyToView();
    // Checks the text of a field; true when accepted.
    bool CheckField(bool isBackward);
    void CloseDialog();

    int m_nMaximum = 0; // slider range 0 to maximum
    bool m_isRestored = false;
    bool m_isClosing = false;
    bool m_isChecking = false; // a refused value's message box is up
};
