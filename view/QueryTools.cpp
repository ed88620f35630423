// The query tools in use.
#include "view/QueryTools.h"

namespace
{
CQueryTools* g_tools = nullptr; // not owned
} // namespace

CQueryTools* GetQueryTools()
{
    return g_tools;
}

CQueryTools* InstallQueryTools(CQueryTools* tools)
{
    CQueryTools* previous = g_tools;
    g_tools = tools;
    return previous;
}
