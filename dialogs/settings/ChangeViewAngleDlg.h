// The rotation angles of one view's camera about X, Y and Z, in degrees. The view fills them
// and reads the angles and the typed texts back after OK.
#pragma once

#include "dialogs/settings/ViewXYZDlg.h"

class CChangeViewAngleDlg : public CViewXYZDlg
{
public:
    explicit CChangeViewAngleDlg(CWnd* parent = nullptr);
};
