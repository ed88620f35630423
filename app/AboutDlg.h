// The About box: the product's version line (from the product INI) and a link to the
// maker's web site.
#pragma once

#include "app/HyperLink.h"
#include "platform/dlg/dialog.h"

class CAboutDlg : public CDialog
{
public:
    // The maker's web address that the link opens.
    static constexpr const char* kMakerUrl = "https://www.gravik.example/";

    CAboutDlg();

    BOOL OnInitDialog() override;

    CHyperLink m_link;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
