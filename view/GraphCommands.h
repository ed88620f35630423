// The command that shows picked entities' values of one result over its load cases in a graph
// window (code 519, sent by the result graph tools with the picks and the result).
#pragma once

#include "view/CmdColl.h"

struct CResultGraphRecord;

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
