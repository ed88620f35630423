// Texts of the bulk-data reader's output lines.
#include "io/bulk/BulkMessages.h"

std::string BulkMessage(const char* key)
{
    return key;
}

std::string BulkMessage(const char* key, int number)
{
    return std::string(key) + " " + std::to_string(number);
}

std::string BulkMessage(const char* key, const std::string& text)
{
    return std::string(key) + " " + text;
}

std::string BulkMessage(const char* key, const std::string& text, int number)
{
    return std::string(key) + " " + text + " " + std::to_string(number);
}
