// Menu texts in the program's language. The menu resources carry the English texts; at
// start-up each item takes its text from standard.str, section "Menu": a command item under
// "ID" and its command id ("ID32772"), a popup under its English label without blanks, marks
// and mnemonic ("Recent Projects (&R)" is "RecentProjects"). "\t" in a text stands for the tab
// before the shortcut. An item whose key is missing keeps its English text.
#pragma once

#include "platform/base/string.h"

#include <windows.h>

// The key of a popup's English label.
CString MenuPopupKey(const CString& label);
// The key of a command item.
CString MenuCommandKey(UINT id);

// Replaces the texts of every item of the menu and its popups.
void LocalizeMenu(HMENU menu);
