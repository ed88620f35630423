// The process-wide result host.
#include "core/model/ResultShowHost.h"

namespace
{
CResultShowHost* g_resultShowHost = nullptr; // borrowed
} // namespace

CResultShowHost* GetResultShowHost()
{
    return g_resultShowHost;
}

CResultShowHost* SetResultShowHost(CResultShowHost* host)
{
    CResultShowHost* const previous = g_resultShowHost;
    g_resultShowHost = host;
    return previous;
}
