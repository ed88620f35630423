// The renderer's log lines in the application log "Gravik", and the guard of its public
// operations: an exception is logged as "Exception occured in <location>" and ends the
// operation instead of leaving the window procedure.
#pragma once

#include "platform/base/exception.h"

#include <exception>

namespace render_log
{
constexpr int kNormal = 0;
constexpr int kError = 2;

void Write(int level, const char* location, const char* text);
void WriteException(const char* location);

template <class Operation>
void RunLogged(const char* location, Operation&& operation)
{
    try
    {
        operation();
    }
    catch (CException* e)
    {
        e->Delete();
        WriteException(location);
    }
    catch (...)
    {
        WriteException(location);
    }
}
} // namespace render_log
