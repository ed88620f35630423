// The About box.
#include "app/AboutDlg.h"

#include "core/services/ProductIni.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/app_ids.h"

CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Over the main window, not at the screen's corner.
    CenterWindow();
    m_link.SetURL(kMakerUrl);
    CString version;
    GetIniString("Environment", "Version_Number", &version);
    CString line;
    line.Format("Gravik Version %s", version.GetString());
    SetDlgItemText(IDC_ABOUT_VERSION, line);
    return TRUE;
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ABOUT_LINK, m_link);
}
