// COXWorkspaceState: the window layout of the application (the main window's placement, where
// every control bar is, the open MDI child frames and splitter sizes) captured from the
// windows and applied back, kept in a binary stream in a file, a byte array or a registry
// value. COXChildFrameState records one MDI child frame and COXSplitterColRowState one row or
// column of a splitter window.
//
// The main frame keeps its layout in a file: while closing
//   COXWorkspaceState state;
//   state.SetIncludeChildFrames(FALSE);
//   if (!state.StoreToFile(path, TRUE, TRUE, TRUE)) ... report
// and after it is shown at start-up
//   COXWorkspaceState state;
//   state.SetIncludeChildFrames(FALSE);
//   state.LoadFromFile(path, TRUE); // FALSE: no or a bad file; nothing was applied
// Child frames stay out: restoring them would open views with no project behind them. A part
// left out before loading stays out whatever the file holds.
//
// The stream: magic 0x1234FEDC, version 1, the screen size, the main window flag and its
// placement (flags, show command, minimized and maximized positions, normal rectangle, all
// 32-bit), the bars flag and the dock state (an object), the child-frame and splitter flags,
// the child frames (an object array), the splitter flag again and the main frame's splitters.
#pragma once

#include "platform/base/archive.h"
#include "platform/base/coll_array.h"
#include "platform/base/object.h"
#include "platform/base/string.h"

#include <windows.h>

class CDockState;
class CFrameWnd;

// One row or column of a splitter window.
class COXSplitterColRowState : public CObject
{
    FW_SERIAL(COXSplitterColRowState, CObject, VERSIONABLE_SCHEMA | 1)

public:
    void Serialize(CArchive& archive) override;

    BOOL m_bRow = TRUE;
    int m_nIndex = 0;
    int m_nIdealSize = 0;
    int m_nMinSize = 0;
    int m_nVersion = -1; // the schema read
};

// One MDI child frame: its placement and the classes of its document, frame and view.
class COXChildFrameState : public CObject
{
    FW_SERIAL(COXChildFrameState, CObject, VERSIONABLE_SCHEMA | 1)

public:
    COXChildFrameState();
    ~COXChildFrameState() override;
    COXChildFrameState(const COXChildFrameState&) = delete;
    COXChildFrameState& operator=(const COXChildFrameState&) = delete;

    // FALSE when the frame shows no view with a document.
    virtual BOOL CaptureFrame(CFrameWnd* frame);
    // Opens the document (or another frame on it when open already) with the template of the
    // recorded classes; FALSE when none is registered or opening fails.
    virtual BOOL ApplyFrame();
    virtual BOOL CaptureSplitters(CFrameWnd* frame);
    virtual BOOL ApplySplitters(CFrameWnd* frame);
    void Serialize(CArchive& archive) override;

    BOOL GetIncludeSplitters() const { return m_bIncludeSplitters; }
    void SetIncludeSplitters(BOOL include) { m_bIncludeSplitters = include; }

    WINDOWPLACEMENT m_placement;
    CString m_sDocPath;
    CString m_sDocClass;
    CString m_sFrameClass;
    CString m_sViewClass;
    BOOL m_bIncludeSplitters = TRUE;
    CObArray* m_pSplitterStates; // owned, with its elements
    int m_nVersion = -1;

protected:
    virtual void StoreContents(CArchive& archive);
    virtual void LoadContents(CArchive& archive);
};

class COXWorkspaceState : public CObject
{
    FW_SERIAL(COXWorkspaceState, CObject, VERSIONABLE_SCHEMA | 1)

public:
    static constexpr int32_t kMagic = 0x1234FEDC;
    static constexpr int32_t kVersion = 1;

    COXWorkspaceState();
    ~COXWorkspaceState() override;
    COXWorkspaceState(const COXWorkspaceState&) = delete;
    COXWorkspaceState& operator=(const COXWorkspaceState&) = delete;

    // From the windows of the application's main window, and back to them. Applying throws
    // what the windows throw.
    virtual BOOL CaptureState();
    virtual BOOL ApplyState();

    // The file: storing saves modified documents first (saveModified; markClean then marks
    // them all clean) and captures the windows (capture). FALSE on any failure; loading
    // applies nothing then, and a failure while applying also gives FALSE.
    virtual BOOL StoreToFile(const char* path, BOOL saveModified = TRUE, BOOL capture = TRUE,
                             BOOL markClean = TRUE);
    virtual BOOL LoadFromFile(const char* path, BOOL apply = TRUE);
    // A REG_BINARY value under root\Software\company\application\WorkspaceState; empty
    // arguments take "Main", the application's registry key and its profile name.
    virtual BOOL SaveToRegistry(const char* valueName = "", const char* company = "",
                                const char* application = "", HKEY root = HKEY_CURRENT_USER,
                                BOOL saveModified = TRUE, BOOL capture = TRUE,
                                BOOL markClean = TRUE);
    virtual BOOL LoadFromRegistry(const char* valueName = "", const char* company = "",
                                  const char* application = "", HKEY root = HKEY_CURRENT_USER,
                                  BOOL apply = TRUE);
    virtual BOOL CaptureChildFrames();
    virtual BOOL ApplyChildFrames();
    virtual BOOL CaptureSplitters(CFrameWnd* frame);
    virtual BOOL ApplySplitters(CFrameWnd* frame);
    virtual void WriteContents(CArchive& archive);
    virtual void ReadContents(CArchive& archive);
    // Runs Serialize over the file; throws CFileException* or CArchiveException*.
    virtual void ArchiveFile(const char* path, BOOL storing);
    virtual BOOL LoadFromBytes(const CByteArray& bytes);
    virtual BOOL SaveToBytes(CByteArray& bytes);
    virtual BOOL AccessRegistryValue(BOOL storing, const char* valueName, const char* company,
                                     const char* application, HKEY root, CByteArray& bytes);
    void Serialize(CArchive& archive) override;

    // Empties an owned object array, deleting its elements.
    static void DeleteObjects(CObArray& objects);
    // A placement as the layout stream keeps it (no length), and back.
    static void StorePlacement(CArchive& archive, const WINDOWPLACEMENT& placement);
    static void LoadPlacement(CArchive& archive, WINDOWPLACEMENT& placement);

    BOOL GetIncludeMainWindow() const { return m_bIncludeMainWindow; }
    void SetIncludeMainWindow(BOOL include) { m_bIncludeMainWindow = include; }
    BOOL GetIncludeBars() const { return m_bIncludeBars; }
    void SetIncludeBars(BOOL include) { m_bIncludeBars = include; }
    BOOL GetIncludeChildFrames() const { return m_bIncludeChildFrames; }
    void SetIncludeChildFrames(BOOL include) { m_bIncludeChildFrames = include; }
    BOOL GetIncludeSplitters() const { return m_bIncludeSplitters; }
    void SetIncludeSplitters(BOOL include) { m_bIncludeSplitters = include; }

    int m_nScreenWidth;
    int m_nScreenHeight;
    BOOL m_bIncludeMainWindow = TRUE;
    WINDOWPLACEMENT m_mainWindowPlacement;
    BOOL m_bIncludeBars = TRUE;
    CDockState* m_pDockState; // owned
    BOOL m_bIncludeChildFrames = TRUE;
    CObArray* m_pChildFrameStates; // owned, with its elements
    BOOL m_bIncludeSplitters = TRUE;
    CObArray* m_pSplitterStates; // owned, with its elements
    int m_nVersion = -1;

private:
    // Steps that run before storing.
    void PrepareStore(BOOL saveModified, BOOL capture, BOOL markClean);
};
