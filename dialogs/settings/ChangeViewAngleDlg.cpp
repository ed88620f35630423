// View angle dialog.
#include "dialogs/settings/ChangeViewAngleDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

#include <iterator>

namespace
{
const int kEdits[3] = {IDC_VIEWANGLE_X, IDC_VIEWANGLE_Y, IDC_VIEWANGLE_Z};
const DialogText kTexts[] = {
    {0, "ViewAngle", "ChangeViewAngle"}, {IDC_VIEWANGLE_GROUP, "ViewAngle", "AngleDegree"},
    {IDC_XYZ_X_LABEL, "Common", "X"},    {IDC_XYZ_Y_LABEL, "Common", "Y"},
    {IDC_XYZ_Z_LABEL, "Common", "Z"},    {IDOK, "Common", "OK"},
    {IDCANCEL, "Common", "Cancel"}};
} // namespace

CChangeViewAngleDlg::CChangeViewAngleDlg(CWnd* parent)
    : CViewXYZDlg(IDD_VIEW_ANGLE, kEdits, kTexts, std::size(kTexts), parent)
{
}
