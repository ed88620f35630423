// The installed graph tools.
#include "view/GraphTools.h"

namespace
{
CGraphTools* g_graphTools = nullptr;
} // namespace

CGraphTools* GetGraphTools()
{
    return g_graphTools;
}

CGraphTools* InstallGraphTools(CGraphTools* tools)
{
    CGraphTools* previous = g_graphTools;
    g_graphTools = tools;
    return previous;
}
