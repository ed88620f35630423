// The model file named on the command line, read into a new project on a thread of its own
// while the main window is made: a million elements take seconds to read, the window a good
// part of one. The main frame takes the project over once the read has ended.
#pragma once

#include "app/ModelFileRead.h"
#include "platform/base/string.h"

#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class CProjectData;

class CStartUpRead
{
public:
    CStartUpRead();
    // Waits for a read still running: its project goes with it.
    ~CStartUpRead();
    CStartUpRead(const CStartUpRead&) = delete;
    CStartUpRead& operator=(const CStartUpRead&) = delete;

    // Starts reading when path names an existing model file (resolved to its full path);
    // false, and nothing started, otherwise.
    bool Start(const CString& path);

    // Waits for the read to end. Rethrows what the read threw.
    void Wait();
    // After Wait: the project the file was read into (ownership moves to the caller), the
    // read, and the file.
    std::unique_ptr<CProjectData> TakeProject();
    const CModelFileRead& Read() const { return m_read; }
    ModelFileKind Kind() const { return m_kind; }
    const CString& Path() const { return m_path; }
    const CString& Name() const { return m_name; }
    // After Wait: the lines the read reported, in their order, given to sink once.
    void ReplayMessages(COutputSink& sink);

private:
    void Run();

    CString m_path;
    CString m_name;
    ModelFileKind m_kind = ModelFileKind::kNone;
    std::unique_ptr<CProjectData> m_project;
    CModelFileRead m_read;
    std::vector<std::string> m_lines;
    std::exception_ptr m_failure;
    std::thread m_thread;
};
