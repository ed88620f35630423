// CDocument file steps: opening and saving, and reporting their failures.
#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "platform/docview/doc.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"

BOOL CDocument::OnOpenDocument(const char* pathName)
{
    try
    {
        CFile file(pathName, CFile::modeRead | CFile::shareDenyWrite);
        DeleteContents();
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    catch (CException* e)
    {
        ReportSaveLoadException(pathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
}

BOOL CDocument::OnSaveDocument(const char* pathName)
{
    try
    {
        CFile file(pathName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        file.Close();
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    catch (CException* e)
    {
        ReportSaveLoadException(pathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
}

void CDocument::ReportSaveLoadException(const char* pathName, CException* e, BOOL,
                                        UINT defaultPromptId)
{
    // A user exception means the user has been told already.
    if (e && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    CString prompt;
    if (e)
    {
        char text[512] = {};
        if (e->GetErrorMessage(text, sizeof text) && text[0])
            prompt = text;
    }
    if (prompt.IsEmpty())
        prompt = fw::FormatString1(defaultPromptId, pathName);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, defaultPromptId);
}
