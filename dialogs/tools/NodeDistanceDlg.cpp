// Node Distance dialog.
#include "dialogs/tools/NodeDistanceDlg.h"

#include "core/geometry/FENode.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CmdRecord.h"

#include <cmath>

namespace
{
constexpr const char* kLineBreak = "\r\n";

CString Text(const char* key)
{
    return ToolText("Dialog.str", "NodeDistance", key);
}

// A node's coordinates; any other entity gives its reference point.
CPoint3D PointOf(const CModelEntity* entity)
{
    if (entity == nullptr)
        return CPoint3D();
    if (entity->type == kTagNode)
        return static_cast<const CFENode*>(entity)->m_coord;
    return entity->m_point;
}
} // namespace

FW_TABLE(CNodeDistanceDlg, CToolDlg, fw::on<WM_CLOSE, &CNodeDistanceDlg::OnClose>())

CNodeDistanceDlg::CNodeDistanceDlg(int frameKey)
    : CToolDlg(IDD_NODE_DISTANCE, frameKey)
{
}

BOOL CNodeDistanceDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetWindowText(Text("NodeDist"));
    SetDlgItemText(IDOK, ToolText("Dialog.str", "Common", "Close").GetString());
    return TRUE;
}

void CNodeDistanceDlg::UpdateDistance()
{
    const CPoint3D start = PointOf(m_pNodes[0]);
    const CPoint3D end = PointOf(m_pNodes[1]);
    CString text = " ";
    const CPoint3D* points[] = {&start, &end};
    const char* keys[] = {"StartPnt", "EndPnt"};
    for (int i = 0; i < 2; ++i)
    {
        CString point;
        point.Format(" {%lf,%lf,%lf}", points[i]->x, points[i]->y, points[i]->z);
        const CString line = Text(keys[i]) + point;
        text += kLineBreak + line + kLineBreak + kLineBreak;
        AddOutputLine(line);
    }
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    const double dz = end.z - start.z;
    CString distance;
    distance.Format(" %lf", std::sqrt(dx * dx + dy * dy + dz * dz));
    const CString line = Text("MinDist") + distance;
    text += kLineBreak + line;
    AddOutputLine(line);
    SetDlgItemText(IDC_NODEDIST_RESULT, text.GetString());
    InvalidateView();
}

void CNodeDistanceDlg::OnOK()
{
    SendCode(CCmdRecord::kDialogOk);
}

void CNodeDistanceDlg::OnClose()
{
    SendCode(CCmdRecord::kDialogOk);
}

void CNodeDistanceDlg::OnCancel()
{
    InvalidateView();
    SendCode(CCmdRecord::kEndCommand);
}
