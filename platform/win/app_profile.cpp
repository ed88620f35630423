// The application's profile (registry key or INI file), recent-file list and command line.
#include "platform/win/app.h"
#include "platform/win/cmdline.h"
#include "platform/win/recentfiles.h"
#include "platform/win/resource.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
// Closes a registry key when it goes.
class KeyGuard
{
public:
    explicit KeyGuard(HKEY key)
        : m_key(key)
    {
    }
    ~KeyGuard()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;

    HKEY Get() const { return m_key; }

private:
    HKEY m_key;
};

// A registry value of the given type, whole; false when missing or of another type.
bool QueryValue(HKEY key, const char* entry, DWORD wantedType, std::vector<BYTE>& value)
{
    DWORD type = 0;
    DWORD size = 0;
    if (!key || ::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != wantedType)
        return false;
    value.resize(size);
    return size == 0 ||
           ::RegQueryValueExA(key, entry, nullptr, &type, value.data(), &size) == ERROR_SUCCESS;
}

// INI binary values: two letters 'A'..'P' per byte, low nibble first.
CString EncodeBinary(const BYTE* data, UINT bytes)
{
    CString text;
    for (UINT i = 0; i < bytes; ++i)
    {
        text += static_cast<char>('A' + (data[i] & 0x0F));
        text += static_cast<char>('A' + ((data[i] >> 4) & 0x0F));
    }
    return text;
}

bool DecodeBinary(const CString& text, std::vector<BYTE>& data)
{
    if (text.GetLength() % 2)
        return false;
    data.clear();
    for (int i = 0; i < text.GetLength(); i += 2)
    {
        const int low = text[i] - 'A';
        const int high = text[i + 1] - 'A';
        if (low < 0 || low > 15 || high < 0 || high > 15)
            return false;
        data.push_back(static_cast<BYTE>(low | (high << 4)));
    }
    return true;
}
} // namespace

void CWinApp::SetRegistryKey(const char* key)
{
    m_registryKey = key ? key : "";
    m_pszRegistryKey = m_registryKey.IsEmpty() ? nullptr : m_registryKey.GetString();
    // The profile name becomes the application's subkey.
    SetProfileName(m_appName.IsEmpty() ? m_exeName : m_appName);
}

void CWinApp::SetRegistryKey(UINT stringId)
{
    CString key;
    fw::LoadResourceString(stringId, key);
    SetRegistryKey(key);
}

void CWinApp::SetProfileName(const char* profileName)
{
    m_profileName = profileName ? profileName : "";
    m_pszProfileName = m_profileName;
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey)
        return nullptr;
    HKEY software = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &software) !=
        ERROR_SUCCESS)
        return nullptr;
    KeyGuard softwareGuard(software);
    HKEY company = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(software, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | KEY_READ, nullptr, &company, &disposition) != ERROR_SUCCESS)
        return nullptr;
    KeyGuard companyGuard(company);
    HKEY app = nullptr;
    if (::RegCreateKeyExA(company, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | KEY_READ, nullptr, &app, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return app;
}

HKEY CWinApp::GetSectionKey(const char* section)
{
    KeyGuard app(GetAppRegistryKey());
    if (!app.Get())
        return nullptr;
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(app.Get(), section, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | KEY_READ, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    if (m_pszRegistryKey)
    {
        KeyGuard key(GetSectionKey(section));
        DWORD value = 0;
        DWORD type = 0;
        DWORD size = sizeof value;
        if (!key.Get() ||
            ::RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                               &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            return static_cast<UINT>(defaultValue);
        return value;
    }
    return ::GetPrivateProfileIntA(section, entry, defaultValue, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (m_pszRegistryKey)
    {
        KeyGuard key(GetSectionKey(section));
        const DWORD stored = static_cast<DWORD>(value);
        return key.Get() && ::RegSetValueExA(key.Get(), entry, 0, REG_DWORD,
                                             reinterpret_cast<const BYTE*>(&stored),
                                             sizeof stored) == ERROR_SUCCESS;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return ::WritePrivateProfileStringA(section, entry, text, m_pszProfileName);
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    const char* fallback = defaultValue ? defaultValue : "";
    if (m_pszRegistryKey)
    {
        KeyGuard key(GetSectionKey(section));
        std::vector<BYTE> value;
        if (!QueryValue(key.Get(), entry, REG_SZ, value))
            return fallback;
        value.push_back(0);
        return CString(reinterpret_cast<const char*>(value.data()));
    }
    // The INI function cuts at the buffer: grow it until the value fits.
    for (DWORD size = 256;; size *= 4)
    {
        std::vector<char> buffer(size, '\0');
        const DWORD length = ::GetPrivateProfileStringA(section, entry, fallback, buffer.data(),
                                                        size, m_pszProfileName);
        if (length < size - 1 || size >= 65536 * 16)
            return CString(buffer.data(), static_cast<int>(length));
    }
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (m_pszRegistryKey)
    {
        if (!entry)
        {
            // No entry: the whole section goes.
            KeyGuard app(GetAppRegistryKey());
            return app.Get() && ::RegDeleteKeyA(app.Get(), section) == ERROR_SUCCESS;
        }
        KeyGuard key(GetSectionKey(section));
        if (!key.Get())
            return FALSE;
        if (!value)
            return ::RegDeleteValueA(key.Get(), entry) == ERROR_SUCCESS;
        return ::RegSetValueExA(key.Get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(const char* section, const char* entry, BYTE** data, UINT* bytes)
{
    *data = nullptr;
    *bytes = 0;
    std::vector<BYTE> value;
    if (m_pszRegistryKey)
    {
        KeyGuard key(GetSectionKey(section));
        if (!QueryValue(key.Get(), entry, REG_BINARY, value))
            return FALSE;
    }
    else if (!DecodeBinary(GetProfileString(section, entry, ""), value) || value.empty())
    {
        return FALSE;
    }
    *data = new BYTE[value.size() ? value.size() : 1];
    std::memcpy(*data, value.data(), value.size());
    *bytes = static_cast<UINT>(value.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(const char* section, const char* entry, const BYTE* data,
                                 UINT bytes)
{
    if (m_pszRegistryKey)
    {
        KeyGuard key(GetSectionKey(section));
        return key.Get() &&
               ::RegSetValueExA(key.Get(), entry, 0, REG_BINARY, data, bytes) == ERROR_SUCCESS;
    }
    return WriteProfileString(section, entry, EncodeBinary(data, bytes));
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (maxRecentFiles == 0)
        return;
    m_pRecentFileList =
        new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(maxRecentFiles));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(const char* pathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(pathName);
}

void CWinApp::SetCommandLine(const char* cmdLine)
{
    m_cmdLine = cmdLine ? cmdLine : "";
    m_lpCmdLine = m_cmdLine;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    CString exe(path);
    exe = exe.Mid(exe.ReverseFind('\\') + 1);
    const int dot = exe.ReverseFind('.');
    m_exeName = dot > 0 ? exe.Left(dot) : exe;
    m_pszExeName = m_exeName;
    if (m_appName.IsEmpty())
        SetAppName(m_exeName);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    const std::vector<CString> args = fw::SplitCommandLine(m_lpCmdLine);
    for (size_t i = 0; i < args.size(); ++i)
    {
        const char* param = args[i];
        BOOL isFlag = FALSE;
        if (param[0] == '-' || param[0] == '/')
        {
            isFlag = TRUE;
            ++param;
        }
        info.ParseParam(param, isFlag, i + 1 == args.size());
    }
}
