// The renderer's log lines in the application log "Gravik", and the guard of its public
// operations: an exception is logged as "Exception occured in <location>" and ends the
// operation instead of leaving the window procedure.
#pragma once

#include "platform/base/exception.h"

#include <exception>
#include <new>

namespace render_log
{
constexpr int kNormal = 0;
constexpr int kError = 2;

// Neither throws: a line that cannot be written is lost, not the operation.
void Write(int level, const char* location, const char* text);
void WriteException(const char* location);
// An operation ended for want of memory: its picture lacks what it could not build. Taken once
// by the view, which tells the user.
void NoteMemoryShortage();
bool TakeMemoryShortage();
// A shortage already told goes on.
void NoteMemoryStillShort();
// A paint found the memory it asks before it draws: the shortage is over until another is
// noted.
void NoteMemoryAvailable();
// True from a shortage noted until memory is noted available again, taken or not.
bool IsShortOfMemoryNow();

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
    catch (const std::bad_alloc&)
    {
        NoteMemoryShortage();
        WriteException(location);
    }
    catch (...)
    {
        WriteException(location);
    }
}
} // namespace render_log
