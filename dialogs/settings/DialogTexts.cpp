// Dialog texts from the string files.
#include "dialogs/settings/DialogTexts.h"

#include "core/services/StringFile.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/wnd.h"

#include <windows.h>

CString LoadUiText(const char* file, const char* section, const char* key)
{
    CString text;
    LoadStringFromFile(CString(file), CString(section), CString(key), &text);
    return text;
}

void SetDialogTexts(CWnd& dialog, const char* file, const DialogText* texts, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        const CString text = LoadUiText(file, texts[i].section, texts[i].key);
        if (texts[i].controlId == 0)
        {
            dialog.SetWindowText(text);
            continue;
        }
        const HWND control = ::GetDlgItem(dialog.GetSafeHwnd(), texts[i].controlId);
        if (control != nullptr)
            ::SetWindowTextA(control, text.GetString());
    }
}

int ShowDialogMessage(CWnd& dialog, const char* text, UINT type)
{
    const CWinApp* app = AfxGetApp();
    const char* caption = app != nullptr && app->m_pszAppName != nullptr && *app->m_pszAppName
                              ? app->m_pszAppName
                              : nullptr;
    return sys::Get().MessageBox(dialog.GetSafeHwnd(), text, caption, type);
}
