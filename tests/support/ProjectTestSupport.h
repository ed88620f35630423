// Shared by the project tests: a scratch product layout (bin, ini, string, log and a data
// folder, the string files copied from the repository), a fake main frame with fake views that
// record what the project does to them, and small file helpers.
#pragma once

#include "core/services/AppEnvironment.h"
#include "project/ProjectHost.h"
#include "project/ProjectView.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// <root>/bin is the executable folder; restores the process-wide folder on destruction.
class CProjectFolders
{
public:
    explicit CProjectFolders(const std::string& name)
        : m_root(testing_support::MakeTempDir(name))
        , m_savedFolder(GetExecutableFolder())
    {
        namespace fs = std::filesystem;
        for (const char* sub : {"bin", "string", "ini", "log", "data"})
            fs::create_directories(m_root / sub);
        for (const fs::directory_entry& entry : fs::directory_iterator("resources/string"))
            fs::copy_file(entry.path(), m_root / "string" / entry.path().filename());
        SetExecutableFolder((m_root / "bin").string());
    }
    ~CProjectFolders() { SetExecutableFolder(m_savedFolder); }

    std::string Path(const std::string& sub) const { return (m_root / sub).string(); }
    // A path in the data folder as the program passes it (backslash before the name).
    std::string DataFile(const std::string& name) const
    {
        return (m_root / "data").string() + "\\" + name;
    }
    void WriteIni(const std::string& text) const { WriteBytes(Path("ini/Gravik.ini"), text); }
    std::string ReadIni() const { return ReadBytes(Path("ini/Gravik.ini")); }

    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(Native(path), std::ios::binary);
        out << bytes;
    }
    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(Native(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool Exists(const std::string& path)
    {
        std::error_code ec;
        return std::filesystem::exists(Native(path), ec);
    }
    // The program's paths hold backslashes; the native build opens them with slashes.
    static std::string Native(std::string path)
    {
#ifndef _WIN32
        for (char& c : path)
            c = c == '\\' ? '/' : c;
#endif
        return path;
    }

private:
    std::filesystem::path m_root;
    std::string m_savedFolder;
};

// Every entry of a folder and its sub-folders by relative name: "file <mode> <bytes>",
// "link -> <target>", "folder" or "other", so that a test sees any file changed, added or
// removed. The mode holds the write permissions (the read-only attribute under Windows).
inline void SnapshotInto(const std::filesystem::path& root, const std::filesystem::path& folder,
                         std::map<std::string, std::string>& entries)
{
    namespace fs = std::filesystem;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    {
        // Links are not followed: a loop of them must not stop the walk.
        const std::string name = entry.path().lexically_relative(root).generic_string();
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status))
            entries[name] = "link -> " + fs::read_symlink(entry.path()).string();
        else if (fs::is_directory(status))
        {
            entries[name] = "folder";
            SnapshotInto(root, entry.path(), entries);
        }
        else if (fs::is_regular_file(status))
        {
            const bool isWritable =
                (status.permissions() & fs::perms::owner_write) != fs::perms::none;
            entries[name] = std::string("file ") + (isWritable ? "rw " : "ro ") +
                            CProjectFolders::ReadBytes(entry.path().string());
        }
        else
            entries[name] = "other";
    }
}

inline std::map<std::string, std::string> SnapshotFolder(const std::string& folder)
{
    std::map<std::string, std::string> entries;
    const std::filesystem::path root(CProjectFolders::Native(folder));
    SnapshotInto(root, root, entries);
    return entries;
}

// Lines joined with CR LF, each line ended by one: the profile functions' file form.
inline std::string CrLf(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text.append(line).append("\r\n");
    return text;
}

// A view that keeps what it is given and records each call by name.
class CFakeProjectView : public CProjectView
{
public:
    CViewFileState GetFileState() const override { return state; }
    CResultDisplayAttr GetDisplayAttr() const override { return displayAttr; }
    const CVectorDisplayAttr* FindVectorAttr(UINT packedId) const override
    {
        const auto it = vectorAttrs.find(packedId);
        return it == vectorAttrs.end() ? nullptr : &it->second;
    }

    void SetCurrentGroup(CGroupSet* group) override
    {
        currentGroup = group;
        calls.push_back("SetCurrentGroup");
    }
    void ShowFrameMinimized() override
    {
        state.windowState = CViewFileState::kMinimized;
        calls.push_back("ShowFrameMinimized");
    }
    void RestoreFrame(int left, int top, int width, int height) override
    {
        state.windowState = CViewFileState::kNormal;
        state.left = left;
        state.top = top;
        state.width = width;
        state.height = height;
        calls.push_back("RestoreFrame");
    }
    void MaximizeFrame() override
    {
        state.windowState = CViewFileState::kMaximized;
        calls.push_back("MaximizeFrame");
    }
    void ApplyFileState(const CViewFileState& applied) override
    {
        const CViewCamera camera = state.camera; // the camera comes with SetCamera
        const int windowState = state.windowState;
        state = applied;
        state.camera = camera;
        state.windowState = windowState;
        calls.push_back("ApplyFileState");
    }
    void LoadElementFilter(CModelSet* model) override
    {
        filterModel = model;
        calls.push_back("LoadElementFilter");
    }
    void LoadViewIdMaps(CGroupSet* group) override
    {
        idMapGroup = group;
        calls.push_back("LoadViewIdMaps");
    }
    void SetBackgroundColor(const CColorRGBA& color) override
    {
        background = color;
        calls.push_back("SetBackgroundColor");
    }
    void SetCurrentResult(CResultData* result) override
    {
        currentResult = result;
        calls.push_back("SetCurrentResult");
    }
    CResultDisplayAttr GetOwnDisplayAttr() const override { return ownAttr; }
    void SetOwnDisplayAttr(const CResultDisplayAttr& attr) override
    {
        ownAttr = attr;
        displayAttr = attr;
        calls.push_back("SetOwnDisplayAttr");
    }
    void DisplayContourView(int resultId, int) override
    {
        shownContourId = resultId;
        calls.push_back("DisplayContourView");
    }
    void DisplayVectorView(int resultId, const CVectorDisplayAttr& attr, int) override
    {
        shownVectorId = resultId;
        shownVector = attr;
        calls.push_back("DisplayVectorView");
    }
    void BuildResultTitle() override { calls.push_back("BuildResultTitle"); }
    void ActivateFrame() override { calls.push_back("ActivateFrame"); }
    void SetCamera(const CViewCamera& camera) override
    {
        state.camera = camera;
        calls.push_back("SetCamera");
    }
    void RenderAll() override { calls.push_back("RenderAll"); }
    void UpdateAndInvalidate() override { calls.push_back("UpdateAndInvalidate"); }
    void OnProjectClosed() override { calls.push_back("OnProjectClosed"); }

    CViewFileState state;
    CResultDisplayAttr displayAttr; // in effect
    CResultDisplayAttr ownAttr;
    std::map<UINT, CVectorDisplayAttr> vectorAttrs;
    CGroupSet* currentGroup = nullptr;
    CGroupSet* idMapGroup = nullptr;
    CModelSet* filterModel = nullptr;
    CResultData* currentResult = nullptr;
    CColorRGBA background;
    int shownContourId = -1;
    int shownVectorId = -1;
    CVectorDisplayAttr shownVector;
    std::vector<std::string> calls;
};

// A main frame with a frame map in insertion order; frames may lack a view.
class CFakeProjectHost : public CProjectHost
{
public:
    struct Frame
    {
        int id = 0;
        std::unique_ptr<CFakeProjectView> view; // null: a frame without an active view
        bool isDestroyed = false;
    };

    void AddOutputLine(const std::string& line) override { lines.push_back(line); }
    void ShowMessage(const char* section, const char* key, const char*) override
    {
        messages.push_back(std::string(section) + "/" + key);
    }
    void ShowMessageWithArg(const char* section, const char* key, const char*,
                            const char* argument) override
    {
        messages.push_back(std::string(section) + "/" + key + ":" + argument);
    }
    void SetStatusText(const char* text) override { statusTexts.push_back(text); }
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override { --waitDepth; }

    std::vector<int> GetFrameIds() const override
    {
        std::vector<int> ids;
        for (const Frame& frame : frames)
            ids.push_back(frame.id);
        return ids;
    }
    int GetActiveFrameId() const override { return activeFrameId; }
    CProjectView* GetFrameView(int frameId) override
    {
        Frame* frame = Find(frameId);
        return frame != nullptr ? frame->view.get() : nullptr;
    }
    CProjectView* CreateMainView(int displayMode, bool, const char*) override
    {
        if (++creations == throwOnCreation)
            throw std::runtime_error("view creation failed");
        Frame frame;
        frame.id = ++frameCounter;
        frame.view = std::make_unique<CFakeProjectView>();
        frame.view->state.displayMode = displayMode;
        frames.push_back(std::move(frame));
        activeFrameId = frames.back().id;
        return frames.back().view.get();
    }
    void DestroyFrame(int frameId) override
    {
        if (Frame* frame = Find(frameId))
            frame->isDestroyed = true;
    }
    void RemoveAllFrames() override
    {
        for (Frame& frame : frames)
            closedFrames.push_back(std::move(frame));
        frames.clear();
        frameCounter = 0;
    }
    void FillLoadCaseCombo(int resultId) override { comboResultIds.push_back(resultId); }

    // A frame added by hand, as a project's views are before saving.
    CFakeProjectView* AddFrame(int id, bool withView = true)
    {
        Frame frame;
        frame.id = id;
        if (withView)
            frame.view = std::make_unique<CFakeProjectView>();
        frames.push_back(std::move(frame));
        frameCounter = std::max(frameCounter, id);
        return frames.back().view.get();
    }
    CFakeProjectView* View(int frameId)
    {
        Frame* frame = Find(frameId);
        return frame != nullptr ? frame->view.get() : nullptr;
    }
    Frame* Find(int frameId)
    {
        for (Frame& frame : frames)
        {
            if (frame.id == frameId)
                return &frame;
        }
        return nullptr;
    }

    std::vector<Frame> frames;
    std::vector<Frame> closedFrames; // emptied from the map, kept for inspection
    int activeFrameId = 0;
    int frameCounter = 0;
    int creations = 0;
    int throwOnCreation = 0; // the creation (counted from 1) that throws; 0 none
    int waitDepth = 0;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    std::vector<std::string> statusTexts;
    std::vector<int> comboResultIds;
};
