// Shared helpers of the OUTPUT2 reader tests: packed ids, an output capture, fixture files.
#pragma once

#include "core/services/OutputSink.h"
#include "tests/support/Op2TestFile.h"

#include <string>
#include <vector>

class CaptureSink : public COutputSink
{
public:
    void AddOutputLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

inline int PackedId(int resultNumber, int typeBits, int loadCase, int variant)
{
    return (typeBits << 23) | (resultNumber << 13) | (loadCase << 3) | variant;
}

// One OUG entry: node id with device code 1, point type 1, translation and rotation.
inline Op2Words DisplacementEntry(int nodeId, float t1, float t2, float t3, float r1, float r2,
                                  float r3)
{
    return Op2Words().I(nodeId * 10 + 1).I(1).F(t1).F(t2).F(t3).F(r1).F(r2).F(r3);
}
