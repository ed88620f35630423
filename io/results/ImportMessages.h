// Texts of the import steps' output lines: "Message.str", section "Error", filled with their
// values. A text that does not take the values, or a missing key, gives the key (or the text)
// followed by the values, so a damaged string file cannot crash a read.
#pragma once

#include "core/services/TextFormat.h"

#include <initializer_list>
#include <string>
#include <vector>

std::string ImportMessage(const char* key, std::initializer_list<CFormatArg> values = {});

// The first few ids of a list, as "12, 15, 99".
std::string ListOfIds(const std::vector<int>& ids);
