// Loading the program's resources (compiled from the .rc by windres into the executable):
// strings in the form "prompt\ntip", menus, accelerators, icons, cursors, bitmaps and toolbar
// resources in both layouts.
#pragma once

#include "platform/base/string.h"

#include <windows.h>

#include <cstddef>
#include <vector>

namespace fw
{
// The module the resources come from (the executable).
HINSTANCE ResourceHandle();

// The string resource; FALSE (and text empty) when there is none.
BOOL LoadResourceString(UINT id, CString& text);
// The index-th piece of full cut at separator; FALSE when there are fewer pieces.
BOOL ExtractSubString(CString& piece, const char* full, int index, char separator = '\n');

HMENU LoadResourceMenu(UINT id);
HACCEL LoadResourceAccelerators(UINT id);
HICON LoadResourceIcon(UINT id);
HCURSOR LoadResourceCursor(UINT id);
HBITMAP LoadResourceBitmap(UINT id);

// A toolbar resource (type 241): button size and the command of each item (0 = separator).
struct ToolBarResource
{
    int width = 0;
    int height = 0;
    std::vector<UINT> items;
};

constexpr WORD kToolBarResourceType = 241;

// Reads either layout: 16-bit (version 1, width, height, count, items) or the 32-bit layout
// windres writes (width, height, count, items). FALSE for anything else.
BOOL ParseToolBarResource(const BYTE* data, std::size_t size, ToolBarResource& toolBar);
BOOL LoadToolBarResource(UINT id, ToolBarResource& toolBar);
} // namespace fw
