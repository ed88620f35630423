// CDocument file steps: reading and writing through the archive, and reporting failures.
// Saving writes a temporary file beside the target and replaces the target only once the
// whole document is written, so a failed save never costs the file that was there.
#include "platform/base/archive.h"
#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "platform/docview/doc.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "platform/win/resource.h"

namespace
{
// A temporary file name in the folder of path.
CString TemporaryBeside(const char* path)
{
    CString folder(path);
    const int slash = folder.ReverseFind('\\');
    folder = slash >= 0 ? folder.Left(slash + 1) : CString(".\\");
    char name[MAX_PATH] = {};
    if (!::GetTempFileNameA(folder, "fws", 0, name))
        return CString();
    return CString(name);
}
} // namespace

BOOL CDocument::OnOpenDocument(const char* pathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(pathName, CFile::modeRead | CFile::shareDenyWrite, &error))
    {
        ReportSaveLoadException(pathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE); // a half-read document counts as changed
    try
    {
        CArchive archive(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        Serialize(archive);
        archive.Close();
        file.Close();
    }
    catch (CException* e)
    {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(pathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* pathName)
{
    const CString temporary = TemporaryBeside(pathName);
    CFile file;
    CFileException error;
    if (temporary.IsEmpty() ||
        !file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error))
    {
        if (!temporary.IsEmpty())
            ::DeleteFileA(temporary);
        ReportSaveLoadException(pathName, &error, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    try
    {
        CArchive archive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(archive);
        archive.Close();
        file.Close();
        if (!::MoveFileExA(temporary, pathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fw::ThrowFileException(CFileException::accessDenied,
                                   static_cast<LONG>(::GetLastError()), pathName);
    }
    catch (CException* e)
    {
        file.Abort();
        ::DeleteFileA(temporary);
        ReportSaveLoadException(pathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
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
