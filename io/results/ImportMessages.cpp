// Texts of the import steps' output lines.
#include "io/results/ImportMessages.h"

#include "core/services/StringFile.h"

std::string ImportMessage(const char* key, std::initializer_list<CFormatArg> values)
{
    std::string text;
    if (!LoadStringFromFile("Message.str", "Error", key, &text))
        text = key;
    return FormatText(text, values);
}

std::string ListOfIds(const std::vector<int>& ids)
{
    std::string text;
    for (const int id : ids)
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    return text;
}
