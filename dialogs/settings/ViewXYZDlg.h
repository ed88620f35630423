// The base of the view angle and view vector dialogs: three numbers, X, Y and Z, each shown
// with three decimals in its edit and read back as typed.
#pragma once

#include "core/geometry/Point3D.h"
#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

#include <cstddef>

struct DialogText;

class CViewXYZDlg : public CDialog
{
public:
    BOOL OnInitDialog() override;
    // The three texts as numbers: text that is no number gets the data exchange's message and
    // the dialog stays. Ends with IDOK unless AcceptValues refuses them.
    void OnOK() override;

    CPoint3D m_values;
    CString m_texts[3]; // as the user typed them, X, Y, Z

protected:
    // The template, the ids of the X, Y and Z edits and the captions.
    CViewXYZDlg(UINT templateId, const int (&editIds)[3], const DialogText* texts,
                std::size_t textCount, CWnd* parent);

    void DoDataExchange(CDataExchange* dx) override;
    // Whether OK may close with the values parsed; a refusal has told the user why.
    virtual bool AcceptValues() { return true; }

private:
    int m_editIds[3];
    double m_typed[3] = {}; // the texts' numbers, once the exchange has accepted them
    const DialogText* m_captions;
    std::size_t m_captionCount;
};
