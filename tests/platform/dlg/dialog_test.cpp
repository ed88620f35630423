// Dialogs under Wine: ownership of modeless dialogs, keyboard navigation, the modal loop with
// the owner disabled and WM_KICKIDLE, and handlers that delete their own dialog.
#include "platform/dlg/dialog.h"

#include "platform/sys/services.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/privmsg.h"
#include "tests/platform/dlg/dlg_test_ids.h"

#include <windows.h>

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace
{
class CRecordingDialog : public CDialog
{
public:
    using CDialog::CDialog;

    std::function<void()> onOk;
    std::function<void()> onInit;
    int kickIdles = 0;
    bool visibleAtKickIdle = false;
    int ownerEnabledAtDestroy = -1;
    bool* deleted = nullptr;

    ~CRecordingDialog() override
    {
        if (deleted)
            *deleted = true;
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (onInit)
            onInit();
        return TRUE;
    }
    void OnOK() override
    {
        if (onOk)
            onOk(); // may delete this
        else
            CDialog::OnOK();
    }

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (kickIdles++ == 0)
        {
            visibleAtKickIdle = IsWindowVisible() != FALSE;
            PostMessage(WM_COMMAND, IDOK, 0);
        }
        return FALSE;
    }
    void OnDestroy()
    {
        const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        ownerEnabledAtDestroy = owner ? ::IsWindowEnabled(owner) : -1;
        CDialog::OnDestroy();
    }
};

FW_TABLE(CRecordingDialog, CDialog, fw::raw<WM_KICKIDLE, &CRecordingDialog::OnKickIdle>(),
         fw::on<WM_DESTROY, &CRecordingDialog::OnDestroy>())

class Dialog : public fw::test::MainFrameFixture
{
protected:
    HWND Item(const CDialog& dialog, int id) const
    {
        return ::GetDlgItem(dialog.GetSafeHwnd(), id);
    }

    // Posts a key to the window with the focus and lets the loop pre-translate it.
    void Press(UINT key) { fw::test::PressKey(::GetFocus(), key); }
};
} // namespace

TEST_F(Dialog, ParentlessModelessDialogIsOwnedByTheMainWindow)
{
    CRecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_MODELESS));
    EXPECT_EQ(m_frame->GetSafeHwnd(), ::GetWindow(dialog.GetSafeHwnd(), GW_OWNER));
    EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(dialog.GetSafeHwnd(), GA_PARENT));
}

TEST_F(Dialog, TabMovesTheFocusAndEnterOrEscapeOnlyHide)
{
    CRecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_MODELESS));
    dialog.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(dialog.GetSafeHwnd());
    ::SetFocus(Item(dialog, IDC_TEST_FIRST));
    fw::test::Pump();
    ASSERT_EQ(Item(dialog, IDC_TEST_FIRST), ::GetFocus());

    Press(VK_TAB);
    EXPECT_EQ(Item(dialog, IDC_TEST_SECOND), ::GetFocus());

    struct Case
    {
        const char* name;
        int focusId;
        UINT key;
    };
    const Case cases[] = {{"Enter", IDC_TEST_SECOND, VK_RETURN},
                          {"Escape", IDC_TEST_SECOND, VK_ESCAPE},
                          {"Escape in a multi-line edit", IDC_TEST_NOTES, VK_ESCAPE}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        dialog.ShowWindow(SW_SHOW);
        ::SetFocus(Item(dialog, c.focusId));
        Press(c.key);
        EXPECT_TRUE(::IsWindow(dialog.GetSafeHwnd()));
        EXPECT_FALSE(dialog.IsWindowVisible());
    }
}

TEST_F(Dialog, OkHandlerMayDeleteItsOwnDialog)
{
    // Modeless: the handler deletes the dialog object, and with it the window.
    bool deleted = false;
    auto* modeless = new CRecordingDialog;
    modeless->deleted = &deleted;
    ASSERT_TRUE(modeless->Create(IDD_TEST_MODELESS));
    const HWND hwnd = modeless->GetSafeHwnd();
    modeless->onOk = [modeless] { delete modeless; };
    ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    fw::test::Pump();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hwnd));

    // Modal: the result set before the deletion still comes back.
    deleted = false;
    auto* modal = new CRecordingDialog(IDD_TEST_MODELESS);
    modal->deleted = &deleted;
    modal->onOk = [modal]
    {
        modal->EndDialog(IDOK);
        delete modal;
    };
    EXPECT_EQ(IDOK, modal->DoModal());
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(m_frame->IsWindowEnabled());
}

TEST_F(Dialog, OkHandlerMayDeleteTheObjectOwningTheDialog)
{
    // A tool command that holds its dialog as a member and goes when the dialog says OK.
    struct Command
    {
        explicit Command(bool* goneFlag)
            : gone(goneFlag)
        {
        }
        ~Command() { *gone = true; }

        CRecordingDialog dialog;
        bool* gone;
    };
    bool gone = false;
    auto* command = new Command(&gone);
    ASSERT_TRUE(command->dialog.Create(IDD_TEST_MODELESS));
    const HWND hwnd = command->dialog.GetSafeHwnd();
    command->dialog.onOk = [command] { delete command; };
    ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    fw::test::Pump();
    EXPECT_TRUE(gone);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(Dialog, DoModalDisablesTheOwnerShowsAtIdleAndEnablesItBeforeTheDialogGoes)
{
    CRecordingDialog dialog(IDD_TEST_MODELESS, m_frame);
    bool ownerDisabledAtInit = false;
    dialog.onInit = [&] { ownerDisabledAtInit = !m_frame->IsWindowEnabled(); };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(ownerDisabledAtInit);
    EXPECT_GE(dialog.kickIdles, 1);
    EXPECT_TRUE(dialog.visibleAtKickIdle);
    EXPECT_EQ(TRUE, dialog.ownerEnabledAtDestroy);
    EXPECT_EQ(nullptr, dialog.GetSafeHwnd());
    EXPECT_TRUE(m_frame->IsWindowEnabled());
}

TEST_F(Dialog, EndDialogDuringInitialisationEndsBeforeTheLoop)
{
    CRecordingDialog dialog(IDD_TEST_MODELESS);
    dialog.onInit = [&] { dialog.EndDialog(IDCANCEL); };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(0, dialog.kickIdles);
    EXPECT_EQ(-1, CDialog(0x7FFF).DoModal()); // no such template
    EXPECT_TRUE(m_frame->IsWindowEnabled());
}

namespace
{
// Scripted boxes that keep each box's owner and whether the main window took input meanwhile.
class OwnerRecordingBoxes : public fw::test::ScriptedServices
{
public:
    int MessageBox(HWND owner, const char* text, const char* caption, UINT type) override
    {
        owners.push_back(owner);
        mainEnabled.push_back(::IsWindowEnabled(AfxGetMainWnd()->GetSafeHwnd()) != FALSE);
        return ScriptedServices::MessageBox(owner, text, caption, type);
    }

    std::vector<HWND> owners;
    std::vector<bool> mainEnabled;
};
} // namespace

// A modal dialog or a box raised without a parent while a modeless dialog is in use belongs to
// that dialog, which takes no input meanwhile, and the main window takes none either.
TEST_F(Dialog, AModalDialogOrBoxOverAModelessDialogInUseIsItsAndTheMainWindowWaits)
{
    CRecordingDialog modeless;
    ASSERT_TRUE(modeless.Create(IDD_TEST_MODELESS));
    modeless.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(modeless.GetSafeHwnd());
    fw::test::Pump();
    ASSERT_EQ(modeless.GetSafeHwnd(), ::GetActiveWindow());
    const HWND main = m_frame->GetSafeHwnd();

    CRecordingDialog modal(IDD_TEST_MODELESS);
    HWND modalOwner = nullptr;
    BOOL mainEnabledUnderModal = TRUE;
    BOOL modelessEnabledUnderModal = TRUE;
    modal.onInit = [&]
    {
        modalOwner = ::GetWindow(modal.GetSafeHwnd(), GW_OWNER);
        mainEnabledUnderModal = ::IsWindowEnabled(main);
        modelessEnabledUnderModal = modeless.IsWindowEnabled();
    };
    EXPECT_EQ(IDOK, modal.DoModal());
    EXPECT_EQ(modeless.GetSafeHwnd(), modalOwner);
    EXPECT_FALSE(mainEnabledUnderModal);
    EXPECT_FALSE(modelessEnabledUnderModal);
    EXPECT_TRUE(::IsWindowEnabled(main));
    EXPECT_TRUE(modeless.IsWindowEnabled());

    OwnerRecordingBoxes boxes;
    sys::Services* previous = sys::Install(&boxes);
    ::SetForegroundWindow(modeless.GetSafeHwnd());
    fw::test::Pump();
    AfxMessageBox("Told over the dialog in use.");
    sys::Install(previous);
    ASSERT_EQ(1u, boxes.owners.size());
    EXPECT_EQ(modeless.GetSafeHwnd(), boxes.owners[0]);
    EXPECT_FALSE(boxes.mainEnabled[0]);
    EXPECT_TRUE(::IsWindowEnabled(main));
    modeless.DestroyWindow();
}
