// The result commands of the view: the result sheet (code 612, sent with the ids and the result
// columns); the distance graph (codes 521 nodal, 522 elemental) picks nodes or elements, lets
// the user choose results in the result filter and opens the distance graph dialog (code 523)
// with them; the result graph (codes 517 nodal, 518 elemental) picks nodes or elements and
// hands them with the shown result, or without one the result the user chooses, to the
// transient graph (code 519), which shows their values over the result's load cases.
#pragma once

#include "view/CmdColl.h"
#include "view/GraphTools.h"
#include "view/ResultListCommands.h"
#include "view/ResultListTools.h"

#include <memory>

class CCAEView;
struct CResultGraphRecord;

class CCmdCollResultGraph : public CCmdColl
{
public:
    CCmdCollResultGraph(int frameKey, bool isNodal)
        : m_frameKey(frameKey)
        , m_bNodal(isNodal ? 1 : 0)
    {
    }
    ~CCmdCollResultGraph() override;

    // Asks for a pick of nodes (the display filter then shows them) or elements.
    void Start(CCmdRecord* record) override;
    // Picks in hand and a result shown: code 519 with them, which ends this command. Without a
    // shown result the result id selection opens over the picks.
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;

    // The result the view shows and its component code: the contour's (1 gives 16, 2 to 4 give
    // 13 to 15), else the vectors' as a scalar (12); false when it shows none.
    static bool ShownResult(const CCAEView& view, int* resultId, int* component);

private:
    // The selection's OK: code 519 with the picks and the chosen result.
    void OnChosen(int resultId, int component);
    void Send(CCmdRecord& record) const;

    int m_frameKey;
    BYTE m_bNodal;
    CEntityArray m_picks;
    std::unique_ptr<CResultIdSelectionWindow> m_selection;
};

// Distance Graph Nodal (521) and Elemental (522): the picks and the results chosen in the
// result filter go to the distance graph dialog with code 523.
class CCmdCollResultDistanceGraph : public CCmdCollResultList
{
public:
    using CCmdCollResultList::CCmdCollResultList;

protected:
    void OnChosen(const std::vector<CChosenResult>& chosen) override;
};

class CCmdCollTransientGraph : public CCmdColl
{
public:
    CCmdCollTransientGraph() = default;

    // Opens the graph through the installed graph tools; the window outlives the command.
    void StartGraph(const CResultGraphRecord& record);
    void Do() override { m_bDone = 1; }
    void Undo() override { m_bDone = 0; }

    bool HasOpenedGraph() const { return m_hasOpenedGraph; }

private:
    bool m_hasOpenedGraph = false;
};

class CCmdCollDistanceGraphDlg : public CCmdColl
{
public:
    // Opens the dialog over the project's model when the record holds a result; the dialog goes
    // with the command.
    void StartDialog(const CDistanceGraphRecord& record);
    void Do() override { m_bDone = 1; }
    void Undo() override { m_bDone = 0; }

private:
    std::unique_ptr<CDistanceGraphWindow> m_dialog;
};

class CCmdCollCsvSheet : public CCmdColl
{
public:
    // Runs the modal sheet; the command stays running until the next tool replaces it.
    void OnShowSheet(CCmdRecord* record) override;
    void Do() override { m_bDone = 1; }
    void Undo() override { m_bDone = 0; }
};
