// Settings-dialog test support.
#include "tests/dialogs/settings/DialogTestSupport.h"

#include "core/services/AppEnvironment.h"
#include "core/services/ProductIni.h"
#include "platform/base/os.h"
#include "platform/ole/oleinit.h"
#include "platform/test/pump.h"
#include "platform/win/texts.h"
#include "project/ProjectData.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace dialogs_test
{
void DialogFixture::SetUp()
{
    fw::test::MainFrameFixture::SetUp();
    ASSERT_TRUE(fw::OleInit());
    m_root = testing_support::MakeTempDir("dialogs");
    for (const char* folder : {"bin", "string", "ini"})
        fs::create_directories(fs::path(m_root) / folder);
    for (const auto& entry : fs::directory_iterator(fs::path("resources") / "string"))
        fs::copy_file(entry.path(), fs::path(m_root) / "string" / entry.path().filename());
    WriteIni("");
    m_savedFolder = GetExecutableFolder();
    m_savedSuffix = GetLanguageSuffix();
    SetExecutableFolder((fs::path(m_root) / "bin").string());
    SetLanguage("_ENG");
    // The data exchange's messages, which the program reads beside its own folder.
    fw::SetTextSource("resources\\string", "_ENG");
}

void DialogFixture::TearDown()
{
    SetExecutableFolder(m_savedFolder);
    SetLanguageSuffix(m_savedSuffix);
    fw::SetTextSource((fw::os::ExecutableFolder() + "\\..\\string").c_str(), "_ENG");
    fw::test::CancelDialogScript();
    fw::test::MainFrameFixture::TearDown();
}

void DialogFixture::WriteIni(const std::string& text) const
{
    std::ofstream(fs::path(m_root) / "ini" / "Gravik.ini", std::ios::binary) << text;
}

void DialogFixture::SetLanguage(const char* suffix)
{
    SetLanguageSuffix(suffix);
}

std::string DialogFixture::MakeFolder(const std::string& name) const
{
    const fs::path folder = fs::path(m_root) / name;
    fs::create_directories(folder);
    return folder.string();
}

std::string DialogFixture::ControlText(HWND dialog, int id)
{
    char text[512] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

bool DialogFixture::IsEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

void DialogFixture::Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    fw::test::Pump();
}

std::string DialogFixture::LastMessage() const
{
    const auto& boxes = (*m_services)->messageBoxes;
    return boxes.empty() ? std::string() : boxes.back().text;
}
SettingsPageFixture::SettingsPageFixture() = default;
SettingsPageFixture::~SettingsPageFixture() = default;

void SettingsPageFixture::TearDown()
{
    if (m_sheet && m_sheet->GetSafeHwnd())
        m_sheet->DestroyWindow();
    fw::test::Pump();
    m_sheet.reset();
    m_project.reset();
    DialogFixture::TearDown();
}

CProjectData& SettingsPageFixture::MakeProject()
{
    m_project = std::make_unique<CProjectData>();
    m_host.project = m_project.get();
    return *m_project;
}

HWND SettingsPageFixture::Open(CSettingsPage& page)
{
    page.SetHost(&m_host);
    m_sheet = std::make_unique<CPropertySheet>("Settings", m_frame);
    m_sheet->AddPage(&page);
    EXPECT_TRUE(m_sheet->Create(m_frame));
    m_sheet->ShowWindow(SW_SHOW);
    fw::test::Pump();
    return page.GetSafeHwnd();
}

void SettingsPageFixture::PressApply()
{
    m_sheet->PressButton(PSBTN_APPLYNOW);
    fw::test::Pump();
}

void SettingsPageFixture::PressOk()
{
    m_sheet->PressButton(PSBTN_OK);
    fw::test::Pump();
}

void SettingsPageFixture::PressCancel()
{
    m_sheet->PressButton(PSBTN_CANCEL);
    fw::test::Pump();
}

std::string SettingsPageFixture::IniValue(const char* section, const char* key) const
{
    std::string value;
    GetIniString(section, key, &value);
    return value;
}

namespace
{
// Pixels a control's own drawing takes beside its text.
int DrawnRoom(HWND control)
{
    char className[32] = {};
    ::GetClassNameA(control, className, sizeof className);
    if (::lstrcmpiA(className, "Button") != 0)
        return 0;
    switch (::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK)
    {
    case BS_GROUPBOX: return 16;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return ::GetSystemMetrics(SM_CXMENUCHECK) + 6;
    default: return 6; // a push button's edges
    }
}

int TextWidth(HWND control, const std::string& bytes, UINT codePage)
{
    wchar_t text[256] = {};
    const int n = ::MultiByteToWideChar(codePage, 0, bytes.c_str(), -1, text, 256);
    const HDC dc = ::GetDC(control);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, n > 0 ? n - 1 : 0, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return size.cx;
}
} // namespace

std::map<int, std::string> FittingTexts(HWND dialog, UINT codePage)
{
    std::map<int, std::string> texts;
    char caption[256] = {};
    ::GetWindowTextA(dialog, caption, sizeof caption);
    texts[0] = caption;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        char className[32] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (::lstrcmpiA(className, "Edit") == 0)
            continue; // values, not texts
        char text[256] = {};
        ::GetWindowTextA(child, text, sizeof text);
        const int id = ::GetDlgCtrlID(child);
        texts[id] = text;
        RECT rect = {};
        ::GetClientRect(child, &rect);
        EXPECT_LE(TextWidth(child, text, codePage) + DrawnRoom(child), rect.right)
            << "control " << id << " cuts \"" << text << "\"";
    }
    return texts;
}
} // namespace dialogs_test
