// A command that puts the view into a mode (display or operation): its id, the status text
// it shows and the mode it selects.
#pragma once

#include <windows.h>

struct ModeCommand
{
    UINT id;
    const char* statusKey;
    int mode;
};

// The entry of a table for a command id; null when the id is not in it.
template <size_t N>
const ModeCommand* FindModeCommand(const ModeCommand (&table)[N], UINT id)
{
    for (const ModeCommand& command : table)
    {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}
