// Data exchange between dialog members and controls, and the validation of what was read.
#include "platform/dlg/ddx.h"

#include "platform/base/exception.h"
#include "platform/win/app.h"
#include "platform/win/texts.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
CString ControlText(HWND control)
{
    const int length = ::GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(control, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return CString(text);
}

// Setting a text sends EN_CHANGE even when nothing changes: set it only when it differs.
void SetTextIfChanged(HWND control, const char* text)
{
    if (ControlText(control) != text)
        ::SetWindowTextA(control, text);
}

// The value without surrounding blanks; empty when only blanks.
std::string Trimmed(const CString& text)
{
    const std::string& s = text.Str();
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool ParseLong(const std::string& text, long long minValue, long long maxValue, long long* value)
{
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.back()))))
        return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno == ERANGE || *end != '\0' || parsed < minValue || parsed > maxValue)
        return false;
    *value = parsed;
    return true;
}

bool ParseDouble(const std::string& text, double* value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(parsed) || (errno == ERANGE && parsed != 0.0))
        return false;
    *value = parsed;
    return true;
}

std::string FormatDouble(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// Puts the values into a text of the string files in place of its "%d" or "%s" marks, in
// order; the text comes from a file, so it never reaches printf.
CString FillIn(const CString& format, const std::string& first, const std::string& second = "")
{
    const std::string values[] = {first, second};
    int next = 0;
    std::string out;
    const std::string& s = format.Str();
    for (size_t i = 0; i < s.size(); ++i)
    {
        if (s[i] == '%' && i + 1 < s.size())
        {
            const char code = s[i + 1];
            if ((code == 'd' || code == 's') && next < 2)
            {
                out += values[next++];
                ++i;
                continue;
            }
            if (code == '%')
            {
                out += '%';
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return CString(out);
}

// Set while a refusal is being told. The box's own loop runs on: an exchange refused meanwhile
// (another dialog's OK, a kill-focus check) fails without a box of its own, which would nest in
// the first and leave the user two boxes to find.
thread_local bool t_refusalShown = false;

// Tells the user what is wrong and fails the exchange.
[[noreturn]] void Refuse(CDataExchange* dx, const CString& text)
{
    if (!t_refusalShown)
    {
        struct Shown
        {
            Shown() { t_refusalShown = true; }
            ~Shown() { t_refusalShown = false; }
        } shown;
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    }
    dx->Fail();
}

bool IsClass(HWND hwnd, const char* className)
{
    char name[32] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return ::lstrcmpiA(name, className) == 0;
}
} // namespace

CDataExchange::CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate)
    , m_pDlgWnd(dlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    const HWND control = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    if (!control)
        fw::ThrowNotSupportedException(); // the dialog's template lacks the control
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    const HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    // While a refusal's box is up the focus stays in it.
    if (m_bSaveAndValidate && m_hWndLastControl && !t_refusalShown)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    fw::ThrowUserException();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.GetSafeHwnd())
        return;
    const HWND hwnd = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(hwnd))
        fw::ThrowNotSupportedException(); // the control already has an object
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate)
    {
        SetTextIfChanged(control, std::to_string(value).c_str());
        return;
    }
    long long parsed = 0;
    if (!ParseLong(Trimmed(ControlText(control)), INT_MIN, INT_MAX, &parsed))
        Refuse(dx, fw::LoadFrameworkText("ParseInt"));
    value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate)
    {
        SetTextIfChanged(control, std::to_string(value).c_str());
        return;
    }
    const std::string text = Trimmed(ControlText(control));
    long long parsed = 0;
    if (text.find('-') != std::string::npos || !ParseLong(text, 0, UINT_MAX, &parsed))
        Refuse(dx, fw::LoadFrameworkText("ParseUInt"));
    value = static_cast<UINT>(parsed);
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate)
    {
        SetTextIfChanged(control, FormatDouble(value).c_str());
        return;
    }
    double parsed = 0;
    if (!ParseDouble(Trimmed(ControlText(control)), &parsed))
        Refuse(dx, fw::LoadFrameworkText("ParseReal"));
    value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    const HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = ControlText(control);
    else
        SetTextIfChanged(control, value);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
    {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
        return;
    }
    const int state = value >= 0 && value <= 2 ? value : 0;
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do
    {
        if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (!dx->m_bSaveAndValidate)
                ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED,
                               0);
            else if (value < 0 && ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP));
}

void DDX_Slider(CDataExchange* dx, int id, int& value)
{
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(control, TBM_SETPOS, TRUE, value);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue)
{
    if (dx->m_bSaveAndValidate && (value < minValue || value > maxValue))
        Refuse(dx, FillIn(fw::LoadFrameworkText("IntRange"), std::to_string(minValue),
                          std::to_string(maxValue)));
}

void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue)
{
    if (dx->m_bSaveAndValidate && (value < minValue || value > maxValue))
        Refuse(dx, FillIn(fw::LoadFrameworkText("RealRange"), FormatDouble(minValue),
                          FormatDouble(maxValue)));
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int count)
{
    if (dx->m_bSaveAndValidate)
    {
        if (value.GetLength() > count)
            Refuse(dx, FillIn(fw::LoadFrameworkText("MaxChars"), std::to_string(count)));
        return;
    }
    const HWND control = dx->m_hWndLastControl;
    if (control && IsClass(control, "Edit"))
        ::SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
    else if (control && IsClass(control, "ComboBox"))
        ::SendMessageA(control, CB_LIMITTEXT, static_cast<WPARAM>(count), 0);
}
