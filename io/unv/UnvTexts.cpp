// Texts the universal-file reader and writer show.
#include "io/unv/UnvTexts.h"

#include "core/services/StringFile.h"

std::string LoadUnvText(const char* file, const char* section, const std::string& key)
{
    std::string text;
    LoadStringFromFile(std::string(file), std::string(section), key, &text);
    return text;
}

std::string LoadUnvErrorText(const char* key)
{
    const std::string text = LoadUnvText("Message.str", "UNVErrorMessages", key);
    return text.empty() ? std::string(key) : text;
}

std::string FormatUnvText(const std::string& text, int value)
{
    const size_t at = text.find("%d");
    if (at == std::string::npos)
        return text + " " + std::to_string(value);
    return text.substr(0, at) + std::to_string(value) + text.substr(at + 2);
}
