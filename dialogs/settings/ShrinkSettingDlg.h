// Shrink of one view's elements: on or off, and the factor (0 to 1) towards each element's
// centre. The dialog finds its view through the main frame's frame map and applies the values
// itself on OK, rebuilding the view's lists only when what it shows changed.
#pragma once

#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

class CCAEView;

class CShrinkSettingDlg : public CDialog
{
public:
    explicit CShrinkSettingDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // Text that is no number gets the data exchange's number message, a factor outside 0..1
    // its own; the dialog then stays. Otherwise the view takes the values and the dialog ends
    // with IDOK.
    void OnOK() override;

    int m_frameKey = 0; // the view's child frame in the frame map; set by the caller
    double m_shrinkFactor = 0.0;
    int m_shrinkMode = FALSE;
    CString m_factorText;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    CCAEView* FindView() const;

    CString m_shownText;        // the factor's text as the dialog opened with it
    double m_typedFactor = 0.0; // the text's number, once the exchange has accepted it
};
