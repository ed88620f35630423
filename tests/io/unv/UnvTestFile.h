// Helpers of the universal-file tests: small files written from text, an output sink that
// keeps its lines, and the count of one error key.
#pragma once

#include "core/services/OutputSink.h"

#include <string>
#include <vector>

namespace unv_test
{
// Writes text (as given, "\n" line ends) to a new file in a scratch folder; returns its path.
std::string WriteTextFile(const std::string& name, const std::string& text);

// The file's bytes with every "\r\n" turned into "\n".
std::string ReadTextFile(const std::string& path);

int CountKey(const std::vector<std::string>& keys, const std::string& key);

class CCaptureSink : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};
} // namespace unv_test
