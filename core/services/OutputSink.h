// Where readers and import steps send their one-line messages. The main frame's output bar
// implements it in the program (each line also goes to the history's log); tests capture it.
#pragma once

#include <string>

class COutputSink
{
public:
    virtual ~COutputSink() = default;
    virtual void AddOutputLine(const std::string& line) = 0;
};
