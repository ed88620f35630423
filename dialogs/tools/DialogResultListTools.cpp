// Result list tools: the filter dialog behind the view's commands.
#include "dialogs/tools/DialogResultListTools.h"

#include "dialogs/tools/ResultFilterDlg.h"
#include "dialogs/tools/ResultIDSelectionDlg.h"
#include "resources/ids/dialogs_ids.h"

namespace
{
class CFilterWindow : public CResultFilterWindow
{
public:
    ~CFilterWindow() override { Close(); }

    bool Open(const CModelSet& model, bool nodal, const std::vector<int>& ids, UINT shownResultId,
              int shownSelector, int frameKey,
              std::function<void(const std::vector<CChosenResult>&)> onOk) override
    {
        Close();
        m_dialog = new CResultFilterDlg(frameKey);
        m_dialog->m_model = &model;
        m_dialog->m_bNodal = nodal;
        m_dialog->m_ids = ids;
        m_dialog->m_shownResultId = shownResultId;
        m_dialog->m_shownSelector = shownSelector;
        CResultFilterDlg* dialog = m_dialog;
        m_dialog->m_onOk = [dialog, onOk]
        {
            std::vector<CChosenResult> chosen;
            for (size_t i = 0; i < dialog->m_chosenResults.size(); ++i)
                chosen.push_back({dialog->m_chosenResults[i], dialog->m_chosenComponents[i],
                                  dialog->m_chosenTexts[i]});
            onOk(chosen);
        };
        if (!m_dialog->Create(IDD_RESULT_FILTER))
        {
            Close();
            return false;
        }
        m_dialog->ShowWindow(SW_SHOW);
        return true;
    }

    void Close() override
    {
        if (m_dialog != nullptr)
            m_dialog->Release();
        m_dialog = nullptr;
    }

private:
    CResultFilterDlg* m_dialog = nullptr; // released, not deleted: it may be in its own handler
};

class CIdSelectionWindow : public CResultIdSelectionWindow
{
public:
    ~CIdSelectionWindow() override { Close(); }

    bool Open(const CModelSet& model, bool nodal, const std::vector<int>& ids, int frameKey,
              std::function<void(int, int)> onOk) override
    {
        Close();
        m_dialog = new CResultIDSelectionDlg(frameKey);
        m_dialog->m_model = &model;
        m_dialog->m_bNodal = nodal;
        m_dialog->m_ids = ids;
        CResultIDSelectionDlg* dialog = m_dialog;
        m_dialog->m_onOk = [dialog, onOk] { onOk(dialog->m_nResultId, dialog->m_nComponent); };
        if (!m_dialog->Create(IDD_RESULT_ID_SELECTION))
        {
            Close();
            return false;
        }
        m_dialog->ShowWindow(SW_SHOW);
        return true;
    }

    void Close() override
    {
        if (m_dialog != nullptr)
        {
            m_dialog->m_onOk = nullptr;
            m_dialog->Release();
        }
        m_dialog = nullptr;
    }

private:
    CResultIDSelectionDlg* m_dialog =
        nullptr; // released, not deleted: it may be in its own handler
};
} // namespace

std::unique_ptr<CResultFilterWindow> CDialogResultListTools::CreateResultFilter()
{
    return std::make_unique<CFilterWindow>();
}

std::unique_ptr<CResultIdSelectionWindow> CDialogResultListTools::CreateResultIdSelection()
{
    return std::make_unique<CIdSelectionWindow>();
}
