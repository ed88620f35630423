// Common dialogs through the services seam.
#include "platform/dlg/commdlg.h"

#include "platform/sys/services.h"
#include "platform/win/wnd.h"

#include <algorithm>
#include <cstring>

namespace
{
// Files chosen together come back as a folder and names: room for many.
constexpr size_t kMultipleSelectionChars = 65536;
constexpr size_t kSingleSelectionChars = 4 * MAX_PATH;

HWND OwnerOf(CWnd* parent)
{
    CWnd* owner = CWnd::GetSafeOwner(parent);
    return owner ? owner->GetSafeHwnd() : nullptr;
}

// "a|b||" becomes "a\0b\0\0". A '|' that is the second byte of a double-byte character stays.
std::string SplitFilter(const char* filter)
{
    std::string out;
    if (!filter)
        return out;
    for (const char* c = filter; *c; ++c)
    {
        if (fw::IsLeadByte(static_cast<unsigned char>(*c)) && c[1])
        {
            out += *c++;
            out += *c;
            continue;
        }
        out += *c == '|' ? '\0' : *c;
    }
    // Each piece ends with a '\0' and the list with one more.
    if (out.empty() || out.back() != '\0')
        out += '\0';
    out += '\0';
    return out;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + name;
    return folder + '\\' + name;
}

// Position of the last path separator and extension dot, minding double-byte characters.
void FindNameParts(const std::string& path, size_t* nameStart, size_t* dot)
{
    *nameStart = 0;
    *dot = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (fw::IsLeadByte(c) && i + 1 < path.size())
        {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/' || c == ':')
        {
            *nameStart = i + 1;
            *dot = std::string::npos;
        }
        else if (c == '.')
        {
            *dot = i;
        }
    }
}
} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog)
    , m_pParentWnd(parent)
    , m_filter(SplitFilter(filter))
    , m_defaultExt(defaultExt ? defaultExt : "")
{
    m_file.assign((flags & OFN_ALLOWMULTISELECT) ? kMultipleSelectionChars : kSingleSelectionChars,
                  '\0');
    if (fileName)
        std::strncpy(m_file.data(), fileName, m_file.size() - 1);
    m_ofn = {};
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
    m_ofn.lpstrDefExt = defaultExt ? m_defaultExt.c_str() : nullptr;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = OwnerOf(m_pParentWnd);
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    // The last two characters stay zero, whatever the answer, so parsing always stops.
    m_file[m_file.size() - 1] = m_file[m_file.size() - 2] = '\0';
    const BOOL chosen =
        m_bOpenFileDialog ? sys::Get().GetOpenFileName(&m_ofn) : sys::Get().GetSaveFileName(&m_ofn);
    m_file[m_file.size() - 1] = m_file[m_file.size() - 2] = '\0';
    return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::PieceAt(size_t offset, size_t* next) const
{
    if (offset >= m_file.size())
    {
        *next = m_file.size();
        return std::string();
    }
    const char* start = m_file.data() + offset;
    const size_t length = std::strlen(start);
    *next = offset + length + 1;
    return std::string(start, length);
}

CString CFileDialog::GetPathName() const
{
    POSITION position = GetStartPosition();
    return position ? GetNextPathName(position) : CString();
}

CString CFileDialog::GetFileName() const
{
    const std::string path = GetPathName().Str();
    size_t nameStart = 0;
    size_t dot = 0;
    FindNameParts(path, &nameStart, &dot);
    return CString(path.substr(nameStart));
}

CString CFileDialog::GetFileExt() const
{
    const std::string path = GetPathName().Str();
    size_t nameStart = 0;
    size_t dot = 0;
    FindNameParts(path, &nameStart, &dot);
    return dot == std::string::npos ? CString() : CString(path.substr(dot + 1));
}

CString CFileDialog::GetFileTitle() const
{
    const std::string path = GetPathName().Str();
    size_t nameStart = 0;
    size_t dot = 0;
    FindNameParts(path, &nameStart, &dot);
    const size_t end = dot == std::string::npos ? path.size() : dot;
    return CString(path.substr(nameStart, end - nameStart));
}

// A position is one more than the offset of the next name in the answer (0 ends). With one
// file the answer is its path; with several, the folder and then the names.
POSITION CFileDialog::GetStartPosition() const
{
    return m_file[0] ? reinterpret_cast<POSITION>(static_cast<uintptr_t>(1)) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& position) const
{
    const size_t at = static_cast<size_t>(reinterpret_cast<uintptr_t>(position)) - 1;
    size_t afterFirst = 0;
    const std::string first = PieceAt(0, &afterFirst);
    size_t afterSecond = 0;
    const std::string second = PieceAt(afterFirst, &afterSecond);
    if (second.empty())
    {
        position = nullptr;
        return CString(first);
    }
    // Several files: the first piece is the folder, names follow.
    const size_t nameAt = at == 0 ? afterFirst : at;
    size_t next = 0;
    const std::string name = PieceAt(nameAt, &next);
    const bool more = next < m_file.size() && m_file[next] != '\0';
    position = more ? reinterpret_cast<POSITION>(static_cast<uintptr_t>(next + 1)) : nullptr;
    return CString(JoinPath(first, name));
}

CFontDialog::CFontDialog(const LOGFONTA* initial, DWORD flags, HDC printer, CWnd* parent)
    : m_pParentWnd(parent)
{
    m_lf = {};
    if (initial)
        m_lf = *initial;
    m_cf = {};
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = flags | (initial ? CF_INITTOLOGFONTSTRUCT : 0);
    m_cf.hDC = printer;
    if (printer)
        m_cf.Flags |= CF_PRINTERFONTS;
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = OwnerOf(m_pParentWnd);
    m_cf.lpLogFont = &m_lf;
    return sys::Get().ChooseFont(&m_cf) ? IDOK : IDCANCEL;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : m_pParentWnd(parent)
{
    m_cc = {};
    m_cc.lStructSize = sizeof m_cc;
    m_cc.rgbResult = initial;
    m_cc.Flags = flags | (initial != 0 ? CC_RGBINIT : 0);
    m_cc.lpCustColors = GetSavedCustomColors();
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = OwnerOf(m_pParentWnd);
    return sys::Get().ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
    : m_pParentWnd(parent)
{
    m_pd = {};
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDevMode)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames)
        ::GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = OwnerOf(m_pParentWnd);
    return sys::Get().PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    const DWORD flags = m_pd.Flags;
    m_pd.Flags = (flags | PD_RETURNDEFAULT) & ~PD_RETURNDC;
    m_pd.hwndOwner = nullptr;
    const BOOL found = sys::Get().PrintDlg(&m_pd);
    m_pd.Flags = flags;
    return found;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (!m_pd.hDevNames)
        return nullptr;
    const auto* mode =
        m_pd.hDevMode ? static_cast<const DEVMODEA*>(::GlobalLock(m_pd.hDevMode)) : nullptr;
    m_pd.hDC = ::CreateDCA(GetDriverName(), GetDeviceName(), GetPortName(), mode);
    if (mode)
        ::GlobalUnlock(m_pd.hDevMode);
    return m_pd.hDC;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.hDevMode && (m_pd.Flags & PD_USEDEVMODECOPIES))
    {
        const auto* mode = static_cast<const DEVMODEA*>(::GlobalLock(m_pd.hDevMode));
        const int copies = mode ? mode->dmCopies : m_pd.nCopies;
        ::GlobalUnlock(m_pd.hDevMode);
        return copies;
    }
    return m_pd.nCopies;
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesPart(&DEVNAMES::wDeviceOffset);
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesPart(&DEVNAMES::wDriverOffset);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesPart(&DEVNAMES::wOutputOffset);
}

CString CPrintDialog::DevNamesPart(WORD DEVNAMES::*offset) const
{
    if (!m_pd.hDevNames)
        return CString();
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (!names)
        return CString();
    const CString part(reinterpret_cast<const char*>(names) + names->*offset);
    ::GlobalUnlock(m_pd.hDevNames);
    return part;
}
