// The result list commands: Result List Nodal (514) and Elemental (515) pick nodes or
// elements, let the user choose results in the result filter and hand the values on with code
// 612, whose command shows them in the result sheet (GraphCommands.h). The distance graph
// commands (GraphCommands.h) pick and choose the same way.
#pragma once

#include "view/CmdColl.h"
#include "view/ResultListTools.h"

#include <memory>

// Asks the view of frameKey for a pick of nodes (the display filter then shows them) or of
// elements, in pick order, for a result tool.
void RequestResultPicks(bool nodal, int frameKey);

class CCmdCollResultList : public CCmdColl
{
public:
    CCmdCollResultList(int frameKey, bool isNodal)
        : m_frameKey(frameKey)
        , m_bNodal(isNodal ? 1 : 0)
    {
    }
    ~CCmdCollResultList() override;

    // Asks for a pick of nodes (the display filter then shows them) or elements.
    void Start(CCmdRecord* record) override;
    // Picks in hand: the result filter opens over them.
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;

protected:
    // The filter's OK: the values go on with code 612, which ends this command.
    virtual void OnChosen(const std::vector<CChosenResult>& chosen);
    void Send(CCmdRecord& record) const;

    int m_frameKey;
    BYTE m_bNodal;
    CEntityArray m_picks;
    std::unique_ptr<CResultFilterWindow> m_filter;
};
