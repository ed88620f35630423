// Clipping plane: the section plane of the view, placed by its sectioning command through the
// renderer's three defining points, moved through the model by a slider (0 % and 100 % through
// the two extreme corners of the model box along the normal) and turned round by Reverse. The
// section shows while the window does: however the dialog closes, the view loses it.
#pragma once

#include "dialogs/tools/ToolDlg.h"

class CAESet;
class CScrollBar;

class CClippingPlaneDlg : public CToolDlg
{
public:
    explicit CClippingPlaneDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    // The plane through the renderer's points, its range and the slider position.
    void SetPlaneFromPoints();
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    // Exchanges the first and third points: the plane stays, the side shown turns.
    void OnReverse();
    // Close: reports 700; the running command destroys the window.
    void OnClose();
    // The dialog's copy of the points back into the renderer.
    void OnReloadPoints();
    // Enter and Escape (and the close box) destroy the window at once.
    void OnOK() override;
    void OnCancel() override;

    int m_nPosition = 0; // slider percent
    double m_dRangeLow = 0.0;
    double m_dRangeHigh = -1.0;
    double m_dPoints[9] = {}; // x of P0, P1, P2, then their y, then their z

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnReleasing() override;
    void OnDestroy();

private:
    // The renderer of the tool's view, or null when the view has gone.
    CAESet* FindRenderer() const;
    // Moves the plane to the slider's position and redraws.
    void MoveToSlider();
    // Clipping off in the view; once.
    void EndSection();

    bool m_isSectionShown = false;
};
