// Query tools: handles that own a tool dialog until the command lets it go, and the window
// after that.
#include "dialogs/tools/DialogQueryTools.h"

#include "dialogs/tools/ClippingPlaneDlg.h"
#include "dialogs/tools/EditElementPropertyDlg.h"
#include "dialogs/tools/EntityInfoDlg.h"
#include "dialogs/tools/GroupCreateDlg.h"
#include "dialogs/tools/GroupEditDlg.h"
#include "dialogs/tools/ModelInfoDlg.h"
#include "dialogs/tools/NodeDistanceDlg.h"
#include "dialogs/tools/SelectionByIdDlg.h"
#include "dialogs/tools/SelectionDecisionDlg.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"

#include <utility>

namespace
{
class CDecisionHandle : public CSelectionDecision
{
public:
    explicit CDecisionHandle(CSelectionDecisionDlg* dialog)
        : m_dialog(dialog)
    {
    }
    ~CDecisionHandle() override { m_dialog->Release(); }

    bool FillEntityList(const CEntityArray& candidates) override
    {
        m_dialog->m_Candidates.Copy(candidates);
        return m_dialog->FillEntityList();
    }
    void Show() override { m_dialog->ShowInFront(); }

private:
    CSelectionDecisionDlg* m_dialog; // released, not deleted: it may be in its own handler
};

class CToolDialogHandle : public CToolDialog
{
public:
    CToolDialogHandle(int kind, int frameKey)
        : m_kind(kind)
        , m_frameKey(frameKey)
    {
    }
    ~CToolDialogHandle() override { Close(); }

    bool Open(const CEntityArray& entities) override
    {
        Close();
        CToolDlg* dialog = Make(entities);
        if (dialog == nullptr)
            return false;
        if (!dialog->Create(dialog->m_nIDTemplate))
        {
            dialog->Release();
            return false;
        }
        m_dialog = dialog;
        Fill();
        m_dialog->ShowInFront(m_kind == kSelectedModelInfo ? SW_SHOWNORMAL : SW_SHOW);
        return true;
    }
    void Close() override
    {
        if (m_dialog != nullptr)
            std::exchange(m_dialog, nullptr)->Release();
    }
    bool IsOpen() const override
    {
        return m_dialog != nullptr && m_dialog->GetSafeHwnd() != nullptr;
    }

private:
    CToolDlg* Make(const CEntityArray& entities) const
    {
        switch (m_kind)
        {
        case kModelInfo: return new CModelInfoDlg(m_frameKey);
        case kSelectedModelInfo:
        {
            auto* dialog = new CModelInfoDlg(m_frameKey);
            dialog->m_nSelection = CModelInfoDlg::kPickedEntities;
            dialog->m_Entities.Copy(entities);
            return dialog;
        }
        case kEntityInfo:
        {
            auto* dialog = new CEntityInfoDlg(m_frameKey);
            dialog->m_Entities.Copy(entities);
            return dialog;
        }
        case kNodeDistance:
        {
            if (entities.GetSize() < 2)
                return nullptr;
            auto* dialog = new CNodeDistanceDlg(m_frameKey);
            dialog->m_pNodes[0] = entities[0];
            dialog->m_pNodes[1] = entities[1];
            return dialog;
        }
        case kElementProperty: return new CEditElementPropertyDlg(m_frameKey);
        case kClippingPlane: return new CClippingPlaneDlg(m_frameKey);
        default: return nullptr;
        }
    }
    void Fill()
    {
        if (m_kind == kEntityInfo)
            static_cast<CEntityInfoDlg*>(m_dialog)->ShowFirstEntity();
        else if (m_kind == kNodeDistance)
            static_cast<CNodeDistanceDlg*>(m_dialog)->UpdateDistance();
    }

    int m_kind;
    int m_frameKey;
    CToolDlg* m_dialog = nullptr; // released, not deleted: it may be in its own handler
};
class CGroupDialogHandle : public CGroupDialog
{
public:
    explicit CGroupDialogHandle(int frameKey)
        : m_frameKey(frameKey)
    {
    }
    ~CGroupDialogHandle() override { Close(); }

    bool Open(bool isEdit, int groupId) override
    {
        Close();
        auto* dialog = new CGroupCreateDlg(m_frameKey);
        if (!dialog->Create(IDD_GROUP_CREATE))
        {
            dialog->Release();
            return false;
        }
        m_dialog = dialog;
        const char* section = isEdit ? "GroupEdit" : "GroupCreate";
        if (isEdit)
            dialog->LoadGroup(groupId);
        dialog->SetActionButtonText(ToolText("Dialog.str", section, isEdit ? "Save" : "Create"));
        dialog->SetWindowText(
            ToolText("Dialog.str", section, isEdit ? "EditGroup" : "CreateGroup"));
        dialog->m_nMode = isEdit ? CGroupCreateDlg::kEdit : CGroupCreateDlg::kCreate;
        dialog->ShowInFront(SW_SHOWNORMAL);
        return true;
    }
    void AddElements(const CEntityArray& picked) override
    {
        if (m_dialog != nullptr)
            m_dialog->AddElements(picked);
    }
    void ShowAgain() override
    {
        if (m_dialog != nullptr)
            m_dialog->ShowAgain();
    }
    void Close() override
    {
        if (m_dialog != nullptr)
            std::exchange(m_dialog, nullptr)->Release();
    }

private:
    int m_frameKey;
    CGroupCreateDlg* m_dialog = nullptr; // released, not deleted: it may be in its own handler
};
} // namespace

std::unique_ptr<CSelectionDecision> CDialogQueryTools::CreateSelectionDecision(CCAEView* view)
{
    auto* dialog = new CSelectionDecisionDlg(view ? view->FrameKey() : 0);
    if (!dialog->Create(IDD_SELECTION_DECISION))
    {
        dialog->Release();
        return nullptr;
    }
    return std::make_unique<CDecisionHandle>(dialog);
}

void CDialogQueryTools::RunSelectionById(CCAEView* view, int searchKind)
{
    if (view == nullptr)
        return;
    CSelectionByIdDlg dialog(view->FrameKey());
    dialog.m_nKind = searchKind;
    dialog.DoModal();
}

std::unique_ptr<CToolDialog> CDialogQueryTools::CreateToolDialog(int kind, int frameKey)
{
    if (kind < CToolDialog::kModelInfo || kind > CToolDialog::kClippingPlane)
        return nullptr;
    return std::make_unique<CToolDialogHandle>(kind, frameKey);
}

std::unique_ptr<CGroupDialog> CDialogQueryTools::CreateGroupDialog(int frameKey)
{
    return std::make_unique<CGroupDialogHandle>(frameKey);
}

void CDialogQueryTools::OpenGroupList(int frameKey, bool isEdit)
{
    CGroupEditDlg::Open(frameKey, isEdit ? CGroupEditDlg::kEdit : CGroupEditDlg::kDelete);
}
