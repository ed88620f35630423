// Handles that own a settings dialog until its command lets it go, and the window after that.
#include "dialogs/settings/ResultSettingTools.h"

#include "dialogs/settings/ContourSettingDlg.h"
#include "dialogs/settings/VectorSettingDlg.h"
#include "resources/ids/dialogs_ids.h"

#include <utility>

namespace
{
// The dialog is released, not deleted: the command ends inside the dialog's own handler.
template <typename Dialog>
void ReleaseDialog(Dialog*& dialog)
{
    if (dialog != nullptr)
        std::exchange(dialog, nullptr)->Release();
}

class CContourSettingHandle : public CContourSettingWindow
{
public:
    ~CContourSettingHandle() override { ReleaseDialog(m_dialog); }

    bool Open(const CResultDisplayAttr& viewAttr, int32_t resultId, int frameKey) override
    {
        ReleaseDialog(m_dialog);
        auto* dialog = new CContourSettingDlg(frameKey);
        if (!dialog->Create(IDD_CONTOUR_SETTING))
        {
            dialog->Release();
            return false;
        }
        m_dialog = dialog;
        dialog->m_viewAttr = viewAttr;
        dialog->m_nResultId = resultId;
        dialog->RefreshControls();
        dialog->ShowWindow(SW_SHOW);
        return true;
    }

    void Refresh(const CResultDisplayAttr& viewAttr, int32_t resultId) override
    {
        if (m_dialog == nullptr)
            return;
        m_dialog->m_viewAttr = viewAttr;
        m_dialog->m_nResultId = resultId;
        m_dialog->RefreshControls();
    }

private:
    CContourSettingDlg* m_dialog = nullptr;
};

class CVectorSettingHandle : public CVectorSettingWindow
{
public:
    ~CVectorSettingHandle() override { ReleaseDialog(m_dialog); }

    bool Open(const CVectorSettingMap& stored, int32_t resultId, int frameKey) override
    {
        ReleaseDialog(m_dialog);
        auto* dialog = new CVectorSettingDlg(frameKey);
        CopyVectorSettings(stored, dialog->m_stored);
        dialog->m_nResultId = resultId;
        if (!dialog->Create(IDD_VECTOR_SETTING))
        {
            dialog->Release();
            return false;
        }
        m_dialog = dialog;
        dialog->ShowWindow(SW_SHOW);
        return true;
    }

private:
    CVectorSettingDlg* m_dialog = nullptr;
};
} // namespace

std::unique_ptr<CContourSettingWindow> CDialogResultSettingTools::CreateContourSettingWindow()
{
    return std::make_unique<CContourSettingHandle>();
}

std::unique_ptr<CVectorSettingWindow> CDialogResultSettingTools::CreateVectorSettingWindow()
{
    return std::make_unique<CVectorSettingHandle>();
}
