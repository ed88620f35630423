// The result commands of the view: the result sheet (code 612, sent with the ids and the result
// columns), the distance graph dialog (code 523, sent with the picks and
// the chosen results) and the result graph (codes 517 nodal, 518 elemental) picks
// nodes or elements and hands them with the shown result to the transient graph (code 519),
// which shows their values of that result over its load cases in a graph window.
#pragma once

#include "view/CmdColl.h"
#include "view/GraphTools.h"

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

    // Asks for a pick of nodes (the display filter then shows them) or elements.
    void Start(CCmdRecord* record) override;
    // Picks in hand and a result shown: code 519 with them, which ends this command. Without a
    // shown result the command waits for the next tool.
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;

    // The result the view shows and its component code: the contour's (1 gives 16, 2 to 4 give
    // 13 to 15), else the vectors' as a scalar (12); false when it shows none.
    static bool ShownResult(const CCAEView& view, int* resultId, int* component);

private:
    void Send(CCmdRecord& record) const;

    int m_frameKey;
    BYTE m_bNodal;
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
    // Opens the dialog when the record holds a result; the dialog goes with the command.
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
