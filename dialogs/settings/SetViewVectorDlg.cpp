// View vector dialog.
#include "dialogs/settings/SetViewVectorDlg.h"

#include "core/geometry/VectorMath.h"
#include "dialogs/settings/DialogTexts.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

#include <iterator>

namespace
{
const int kEdits[3] = {IDC_VIEWVECTOR_X, IDC_VIEWVECTOR_Y, IDC_VIEWVECTOR_Z};
const DialogText kTexts[] = {
    {0, "ViewVector", "SetViewVector"}, {IDC_VIEWVECTOR_GROUP, "ViewVector", "ViewVector"},
    {IDC_XYZ_X_LABEL, "Common", "X"},   {IDC_XYZ_Y_LABEL, "Common", "Y"},
    {IDC_XYZ_Z_LABEL, "Common", "Z"},   {IDOK, "Common", "OK"},
    {IDCANCEL, "Common", "Cancel"}};
} // namespace

CSetViewVectorDlg::CSetViewVectorDlg(CWnd* parent)
    : CViewXYZDlg(IDD_VIEW_VECTOR, kEdits, kTexts, std::size(kTexts), parent)
{
}

// A vector too short or too long to normalise is as directionless as zero.
bool CSetViewVectorDlg::AcceptValues()
{
    const CPoint3D direction = Normalize(m_values);
    if (direction.x != 0.0 || direction.y != 0.0 || direction.z != 0.0)
        return true;
    ShowDialogMessage(*this, LoadUiText("message.str", "Error", "ViewVectorZero").GetString(),
                      MB_OK);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_VIEWVECTOR_X));
    return false;
}
