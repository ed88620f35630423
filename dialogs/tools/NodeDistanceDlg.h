// Node Distance: the coordinates of two picked nodes and the distance between them, in the
// dialog and as three lines of the output log.
#pragma once

#include "dialogs/tools/ToolDlg.h"

class CModelEntity;

class CNodeDistanceDlg : public CToolDlg
{
public:
    explicit CNodeDistanceDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    // Writes start point, end point and distance into the result text and the output log.
    void UpdateDistance();
    // Close and the close box report 700; Escape ends the command (13).
    void OnOK() override;
    void OnCancel() override;

    CModelEntity* m_pNodes[2] = {}; // start, end; not owned

    FW_MESSAGE_TABLE()

protected:
    void OnClose();
};
