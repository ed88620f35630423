// The one set-up of a colour-picker button that every settings page and per-view dialog uses.
#pragma once

#include <windows.h>

class COXColorPickerButton;

// Makes color the button's default colour (what the popup's "Default" entry restores), shows
// it, and names the popup's two entries "Default" and "Custom...". The second argument is not
// used; the callers pass it for the old colour.
void InitColorButton(COXColorPickerButton& button, COLORREF unused, COLORREF color);
