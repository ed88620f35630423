// The direction one view looks along, X, Y and Z. The view fills it with its current direction
// and turns the camera along the vector after OK; a zero vector gives no direction, so OK
// refuses it with a message and the dialog stays.
#pragma once

#include "dialogs/settings/ViewXYZDlg.h"

class CSetViewVectorDlg : public CViewXYZDlg
{
public:
    explicit CSetViewVectorDlg(CWnd* parent = nullptr);

protected:
    bool AcceptValues() override;
};
