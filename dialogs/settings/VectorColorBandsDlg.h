// The vector colour bands dialog, modal over the vector settings: the colour bar's range, each
// band's borders and colour and the reverse switch of one vector result's bands. The band count
// is the vector settings'. The caller fills working and reference and reads working after OK.
#pragma once

#include "core/display/VectorDisplayAttr.h"
#include "dialogs/settings/ColorBandDlg.h"

class CVectorColorBandsDlg : public CColorBandDlg
{
public:
    CVectorColorBandsDlg();

    CVectorDisplayAttr m_working;
    int m_colorDepth = 0;           // bits per pixel of the swatches
    CVectorDisplayAttr m_reference; // the stored settings: Default Value restores its bands

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    bool PrepareFill() override;
    int SwatchBitsPerPixel() override { return m_colorDepth; }
    bool RestoreDefaults() override;
    bool ChecksBandCount() const override { return false; }
};
