// Settings-dialog test support.
#include "tests/dialogs/settings/DialogTestSupport.h"

#include "project/ProjectData.h"
#include "core/services/AppEnvironment.h"
#include "core/services/ProductIni.h"
#include "platform/ole/oleinit.h"
#include "platform/test/pump.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>

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
}

void DialogFixture::TearDown()
{
    SetExecutableFolder(m_savedFolder);
    SetLanguageSuffix(m_savedSuffix);
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
} // namespace dialogs_test
