// Graph tools: the transient graph opened over the main window.
#include "dialogs/graph/DialogGraphTools.h"

#include "dialogs/graph/DistanceGraphDlg.h"
#include "dialogs/graph/TransientGraph.h"
#include "dialogs/tools/XLSControlDlg.h"
#include "platform/win/app.h"
#include "project/ProjectData.h"
#include "view/CmdRecord.h"
#include "view/ViewMainFrame.h"

namespace
{
class CDistanceGraphWindowImpl : public CDistanceGraphWindow
{
public:
    ~CDistanceGraphWindowImpl() override
    {
        if (m_dialog.m_hWnd != nullptr)
            m_dialog.DestroyWindow();
    }

    bool Open(const CModelSet& model, const CDistanceGraphRecord& record) override
    {
        std::vector<const CResultData*> results;
        std::vector<int> components;
        std::vector<CString> names;
        for (int i = 0; i < record.m_Results.GetSize(); ++i)
            results.push_back(record.m_Results[i]);
        for (int i = 0; i < record.m_Components.GetSize(); ++i)
            components.push_back(record.m_Components[i]);
        for (int i = 0; i < record.m_Names.GetSize(); ++i)
            names.push_back(record.m_Names[i]);
        m_dialog.SetData(model, record.bNodal != 0, record.m_Entities, results, components, names);
        return m_dialog.CreateAndShow() != FALSE;
    }

private:
    CDistanceGraphDlg m_dialog;
};
} // namespace

bool CDialogGraphTools::OpenTransientGraph(const CModelSet& model, const CEntityArray& entities,
                                           UINT resultId, int component)
{
    std::vector<const CModelEntity*> picks;
    for (int i = 0; i < entities.GetSize(); ++i)
        picks.push_back(entities[i]);
    return ::OpenTransientGraph(model, picks, resultId, component, AfxGetMainWnd()) != nullptr;
}

std::unique_ptr<CDistanceGraphWindow> CDialogGraphTools::CreateDistanceGraphDialog()
{
    return std::make_unique<CDistanceGraphWindowImpl>();
}

void CDialogGraphTools::RunResultSheet(const CResultListRecord& record)
{
    CXLSControlDlg sheet(nullptr);
    for (int i = 0; i < record.m_Ids.GetSize(); ++i)
        sheet.m_ids.push_back(record.m_Ids[i]);
    for (INT_PTR i = 0; i < record.m_Series.GetSize(); ++i)
        sheet.m_columns.Add(record.m_Series[i]);
    sheet.m_bNodal = record.bNodal != 0;
    // The Save dialog offers the project's name.
    CViewMainFrame* frame = GetViewMainFrame();
    if (const CProjectData* project = frame != nullptr ? frame->GetProject() : nullptr)
        sheet.m_defaultFileName = project->m_name;
    sheet.DoModal();
}
