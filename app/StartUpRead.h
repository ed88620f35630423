// The model file named on the command line, read into a new project on a thread of its own
// while the main window is made and answers: a million elements take seconds to read. The main
// frame takes the project over once the read has ended.
#pragma once

#include "app/ModelFileRead.h"
#include "platform/base/lock.h"
#include "platform/base/string.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CProjectData;

class CStartUpRead
{
public:
    // What reads the file; the tests give a slow or failing one.
    using Reader = std::function<CModelFileRead(CProjectData& project, ModelFileKind kind,
                                                const CString& path, COutputSink& sink)>;

    explicit CStartUpRead(Reader reader = nullptr);
    // Waits for a read still running: its project goes with it.
    ~CStartUpRead();
    CStartUpRead(const CStartUpRead&) = delete;
    CStartUpRead& operator=(const CStartUpRead&) = delete;

    // Starts reading when path names an existing model file (resolved to its full path);
    // false, and nothing started, otherwise.
    bool Start(const CString& path);
    // Runs ended once the read has ended: at once when it has, else on the read's thread.
    void WhenEnded(std::function<void()> ended);

    // Waits for the read to end. A read that threw counts as a read that failed: nothing of
    // the file is kept, and Failure says why.
    void Wait();
    // After Wait: the project the file was read into (ownership moves to the caller), the
    // read, and the file.
    std::unique_ptr<CProjectData> TakeProject();
    const CModelFileRead& Read() const { return m_read; }
    ModelFileKind Kind() const { return m_kind; }
    const CString& Path() const { return m_path; }
    const CString& Name() const { return m_name; }
    // After Wait: what the read threw, empty when it threw nothing.
    const std::string& Failure() const { return m_failure; }
    // After Wait: the lines the read reported, in their order, given to sink once.
    void ReplayMessages(COutputSink& sink);

private:
    void Run() noexcept;
    // In a handler: what was thrown, in words; the project half filled is dropped.
    void NoteFailure() noexcept;
    // A fresh project holding only the file, as it stands before a read.
    std::unique_ptr<CProjectData> NewProject() const;

    Reader m_reader;
    CString m_path;
    CString m_name;
    ModelFileKind m_kind = ModelFileKind::kNone;
    std::unique_ptr<CProjectData> m_project;
    CModelFileRead m_read;
    std::vector<std::string> m_lines;
    bool m_hasFailed = false;
    std::string m_failure;
    fw::Mutex m_endMutex; // guards the two below, shared with the read's thread
    bool m_hasEnded = false;
    std::function<void()> m_ended;
    std::thread m_thread;
};
