// Texts of the bulk-data reader's output lines.
#include "io/bulk/BulkMessages.h"

#include "core/services/StringFile.h"
#include "core/services/TextFormat.h"

namespace
{
// The text of the key; when the string file lacks it, the key with places for the values.
std::string TextOf(const char* key, const char* fallbackPlaces)
{
    std::string text;
    if (!LoadStringFromFile("Message.str", "Error", key, &text))
        text = std::string(key) + fallbackPlaces;
    return text;
}
} // namespace

std::string BulkMessage(const char* key)
{
    return TextOf(key, "");
}

std::string BulkMessage(const char* key, int number)
{
    return FormatText(TextOf(key, " %d"), {number});
}

std::string BulkMessage(const char* key, int first, int second)
{
    return FormatText(TextOf(key, " %d %d"), {first, second});
}

// A text without a place for the value (a path) still shows it, after a blank.
std::string BulkMessage(const char* key, const std::string& text)
{
    const std::string format = TextOf(key, " %s");
    const std::string result = FormatText(format, {text});
    return result == FormatText(format, {}) ? result + " " + text : result;
}

std::string BulkMessage(const char* key, const std::string& text, int number)
{
    return FormatText(TextOf(key, " %s %d"), {text, number});
}
