// Graph tools: the transient graph opened over the main window.
#include "dialogs/graph/DialogGraphTools.h"

#include "dialogs/graph/TransientGraph.h"
#include "platform/win/app.h"

bool CDialogGraphTools::OpenTransientGraph(const CModelSet& model, const CEntityArray& entities,
                                           UINT resultId, int component)
{
    std::vector<const CModelEntity*> picks;
    for (int i = 0; i < entities.GetSize(); ++i)
        picks.push_back(entities[i]);
    return ::OpenTransientGraph(model, picks, resultId, component, AfxGetMainWnd()) != nullptr;
}
