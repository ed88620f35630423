// The per-view contour settings dialog: contour type, smoothing, reverse band, the colour bar's
// range and band count, and each band's borders and colour, on a copy of the view's bands. Its
// command made it modeless; Apply hands the bands to the command (700) and opens the dialog
// again on the view's new settings, Close ends the command (701).
#pragma once

#include "dialogs/settings/ColorBandDlg.h"

#include <cstdint>

class CContourSettingDlg : public CColorBandDlg
{
public:
    explicit CContourSettingDlg(int frameKey = 0);

    // After the window is made and viewAttr is set, and whenever the view shows another result:
    // the controls from viewAttr.
    void RefreshControls();

    CResultDisplayAttr m_working;  // every band computation happens here
    CResultDisplayAttr m_viewAttr; // the view's, when opened
    int32_t m_nResultId = 0;       // the contour result the settings belong to
    double m_lastLower = 0.0;      // the border edits' values when they got the focus
    double m_lastUpper = 0.0;
    int m_smooth = 0;
    int m_contourType = -1; // 0 bands, 1 lines, 2 iso-surface; -1 none selected

    FW_MESSAGE_TABLE()

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Enter applies; Escape and the close box close, as the buttons do.
    void OnOK() override { OnApplyButton(); }
    void OnCancel() override { OnCloseButton(); }

    bool PrepareFill() override;
    int SwatchBitsPerPixel() override;
    bool IsSmooth() const override { return m_smooth != 0; }
    bool IsBorderUnchanged(bool isUpper) const override;
    bool RestoreDefaults() override;
    void AfterDefaults() override { EnableColorBarControls(); }
    bool ChecksBandCount() const override { return true; }

    void OnApplyButton();
    void OnCloseButton();
    void OnSmoothContours();
    void OnLowerSetFocus();
    void OnUpperSetFocus();

private:
    void EnableColorBarControls();
};
