// Captions and control texts of the settings dialogs, read at run time from a string file.
// Each text is looked up afresh, so a missing key leaves its control empty; a control the
// dialog lacks is skipped.
#pragma once

#include "platform/base/string.h"
#include "platform/base/types.h"

#include <cstddef>

class CWnd;

struct DialogText
{
    int controlId; // 0: the window's caption
    const char* section;
    const char* key;
};

void SetDialogTexts(CWnd& dialog, const char* file, const DialogText* texts, std::size_t count);

template <std::size_t N>
void SetDialogTexts(CWnd& dialog, const char* file, const DialogText (&texts)[N])
{
    SetDialogTexts(dialog, file, texts, N);
}

// The text of a key in the current language; empty when missing.
CString LoadUiText(const char* file, const char* section, const char* key);

// A message box owned by the dialog, under the program's name, with exactly the given buttons
// and icon (MB_OK alone shows no icon); returns the button chosen.
int ShowDialogMessage(CWnd& dialog, const char* text, UINT type);
