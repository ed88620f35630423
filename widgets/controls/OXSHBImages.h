// Images of the shortcut bar and its lists as bytes (an image list's own stream format).
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <string>

namespace oxshb
{
// One image of a list as the bytes of a one-image list; empty when it cannot be written.
std::string WriteOneImage(HIMAGELIST list, int image);
// The list the bytes hold (the caller destroys it); null when they are no image list.
HIMAGELIST ReadImageList(const char* bytes, size_t size);
} // namespace oxshb
