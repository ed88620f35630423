// Texts of the import steps' output lines: "Message.str", section "Error", filled with their
// values. A text that does not take the values, or a missing key, gives the key (or the text)
// followed by the values, so a damaged string file cannot crash a read.
#pragma once

#include "core/services/TextFormat.h"
#include "platform/base/types.h"

#include <initializer_list>
#include <string>
#include <vector>

class CModelSet;
class COutputSink;

std::string ImportMessage(const char* key, std::initializer_list<CFormatArg> values = {});

// The first few ids of a list, as "12, 15, 99".
std::string ListOfIds(const std::vector<int>& ids);

// One line when elements the read added (ids above elementMark) name nodes that no file
// defines: their number and the first such elements, each with its missing nodes. The
// elements are kept.
void ReportMissingNodes(const CModelSet& model, UINT elementMark, COutputSink& sink);
