// COXWorkspaceState: the layout stream, capturing and applying the main window, its bars and
// child frames, and keeping the stream in a file, a byte array or the registry.
#include "framework/OXWorkspaceState.h"

#include "platform/bars/dockstate.h"
#include "platform/bars/toolbar.h"
#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/mdi.h"
#include "platform/docview/view.h"
#include "platform/win/app.h"

#include <memory>
#include <set>
#include <vector>

namespace
{
// The application's main window and the frame it belongs to.
CWnd* MainWindow()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

CFrameWnd* FrameOf(CWnd* main)
{
    if (!main || !main->GetSafeHwnd())
        return nullptr;
    if (main->IsFrameWnd())
        return static_cast<CFrameWnd*>(main);
    return main->GetTopLevelFrame();
}

// Every open document of every template.
template <class Visit>
void ForEachDocument(CWinApp* app, Visit visit)
{
    for (POSITION templates = app->GetFirstDocTemplatePosition(); templates;)
    {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(templates);
        for (POSITION docs = docTemplate->GetFirstDocPosition(); docs;)
            visit(docTemplate->GetNextDoc(docs));
    }
}

// Runs a step that may throw what files, archives and windows throw; FALSE when it did.
template <class Step>
BOOL Guarded(Step step)
{
    try
    {
        step();
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return FALSE;
}

struct ObjectsDeleter
{
    void operator()(CObArray* objects) const
    {
        COXWorkspaceState::DeleteObjects(*objects);
        delete objects;
    }
};
using OwnedArray = std::unique_ptr<CObArray, ObjectsDeleter>;

// An array read from a stream: a new one of its own, holding only new objects of a class. A
// stream that shares objects between places, or holds others, is refused: they would be
// owned twice or read as what they are not.
OwnedArray ReadOwnedArray(CArchive& archive, const CRuntimeClass* elementClass)
{
    bool created = false;
    CObject* object = archive.ReadObject(RUNTIME_CLASS(CObArray), &created);
    if (!created)
        fw::ThrowArchiveException(CArchiveException::badIndex);
    OwnedArray array(static_cast<CObArray*>(object));
    bool valid = true;
    for (CObject* element : *array)
        valid = valid && element && element->IsKindOf(elementClass) &&
                archive.IsCreatedBy(element, array.get());
    if (valid)
        return array;
    std::set<CObject*> made;
    for (CObject* element : *array)
    {
        if (element && archive.IsCreatedBy(element, array.get()))
            made.insert(element);
    }
    array->RemoveAll();
    for (CObject* element : made)
        delete element;
    fw::ThrowArchiveException(CArchiveException::badClass);
}
} // namespace

void COXWorkspaceState::DeleteObjects(CObArray& objects)
{
    for (CObject* object : objects)
        delete object;
    objects.RemoveAll();
}

void COXWorkspaceState::StorePlacement(CArchive& archive, const WINDOWPLACEMENT& placement)
{
    archive << static_cast<int32_t>(placement.flags) << static_cast<int32_t>(placement.showCmd)
            << int32_t{placement.ptMinPosition.x} << int32_t{placement.ptMinPosition.y}
            << int32_t{placement.ptMaxPosition.x} << int32_t{placement.ptMaxPosition.y}
            << int32_t{placement.rcNormalPosition.left} << int32_t{placement.rcNormalPosition.top}
            << int32_t{placement.rcNormalPosition.right}
            << int32_t{placement.rcNormalPosition.bottom};
}

void COXWorkspaceState::LoadPlacement(CArchive& archive, WINDOWPLACEMENT& placement)
{
    int32_t values[10] = {};
    for (int32_t& value : values)
        archive >> value;
    placement = WINDOWPLACEMENT{};
    placement.length = sizeof placement;
    placement.flags = static_cast<UINT>(values[0]);
    placement.showCmd = static_cast<UINT>(values[1]);
    placement.ptMinPosition = {values[2], values[3]};
    placement.ptMaxPosition = {values[4], values[5]};
    placement.rcNormalPosition = {values[6], values[7], values[8], values[9]};
}

COXWorkspaceState::COXWorkspaceState()
    : m_nScreenWidth(::GetSystemMetrics(SM_CXSCREEN))
    , m_nScreenHeight(::GetSystemMetrics(SM_CYSCREEN))
    , m_mainWindowPlacement()
    , m_pDockState(new CDockState)
    , m_pChildFrameStates(new CObArray)
    , m_pSplitterStates(new CObArray)
{
    m_pDockState->Clear();
}

COXWorkspaceState::~COXWorkspaceState()
{
    DeleteObjects(*m_pChildFrameStates);
    delete m_pChildFrameStates;
    DeleteObjects(*m_pSplitterStates);
    delete m_pSplitterStates;
    delete m_pDockState;
}

void COXWorkspaceState::Serialize(CArchive& archive)
{
    CObject::Serialize(archive);
    if (archive.IsStoring())
        WriteContents(archive);
    else
        ReadContents(archive);
}

void COXWorkspaceState::WriteContents(CArchive& archive)
{
    m_nScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_nScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    archive << kMagic << kVersion << int32_t{m_nScreenWidth} << int32_t{m_nScreenHeight}
            << int32_t{m_bIncludeMainWindow};
    StorePlacement(archive, m_mainWindowPlacement);
    archive << int32_t{m_bIncludeBars};
    archive << static_cast<const CObject*>(m_pDockState);
    archive << int32_t{m_bIncludeChildFrames} << int32_t{m_bIncludeSplitters};
    archive << static_cast<const CObject*>(m_pChildFrameStates);
    archive << int32_t{m_bIncludeSplitters};
    archive << static_cast<const CObject*>(m_pSplitterStates);
}

void COXWorkspaceState::ReadContents(CArchive& archive)
{
    // Read as an object, the stored schema must be one this class knows.
    const UINT schema = archive.GetObjectSchema();
    if (schema != 0xFFFFFFFFu && schema > 1)
        fw::ThrowArchiveException(CArchiveException::badSchema);
    int32_t magic = 0;
    int32_t version = 0;
    archive >> magic >> version;
    if (magic != kMagic || version > kVersion)
        fw::ThrowArchiveException(CArchiveException::badSchema);
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    int32_t includeMain = 0;
    archive >> screenWidth >> screenHeight >> includeMain;
    WINDOWPLACEMENT placement;
    LoadPlacement(archive, placement);
    int32_t includeBars = 0;
    archive >> includeBars;
    bool created = false;
    CObject* read = archive.ReadObject(RUNTIME_CLASS(CDockState), &created);
    if (!created)
        fw::ThrowArchiveException(CArchiveException::badIndex);
    std::unique_ptr<CObject> dockObject(read);
    int32_t includeChildren = 0;
    int32_t includeSplitters = 0;
    archive >> includeChildren >> includeSplitters;
    OwnedArray children = ReadOwnedArray(archive, RUNTIME_CLASS(COXChildFrameState));
    archive >> includeSplitters;
    OwnedArray splitters = ReadOwnedArray(archive, RUNTIME_CLASS(COXSplitterColRowState));

    // All read: the stream's state takes the place of this one's. A part the caller left out
    // stays out whatever the stream says (child frames would open views with no project).
    m_nVersion = version;
    m_nScreenWidth = screenWidth;
    m_nScreenHeight = screenHeight;
    m_bIncludeMainWindow = m_bIncludeMainWindow && includeMain;
    m_mainWindowPlacement = placement;
    m_bIncludeBars = m_bIncludeBars && includeBars;
    delete m_pDockState;
    m_pDockState = dockObject ? static_cast<CDockState*>(dockObject.release()) : new CDockState;
    m_bIncludeChildFrames = m_bIncludeChildFrames && includeChildren;
    m_bIncludeSplitters = m_bIncludeSplitters && includeSplitters;
    ObjectsDeleter()(m_pChildFrameStates);
    m_pChildFrameStates = children.release();
    ObjectsDeleter()(m_pSplitterStates);
    m_pSplitterStates = splitters.release();
}

BOOL COXWorkspaceState::CaptureState()
{
    CWnd* main = MainWindow();
    CFrameWnd* frame = FrameOf(main);
    m_mainWindowPlacement = WINDOWPLACEMENT{};
    if (m_bIncludeMainWindow && main && main->GetSafeHwnd())
    {
        m_mainWindowPlacement.length = sizeof m_mainWindowPlacement;
        main->GetWindowPlacement(&m_mainWindowPlacement);
    }
    if (m_bIncludeBars && frame)
        frame->GetDockState(*m_pDockState);
    DeleteObjects(*m_pSplitterStates);
    if (m_bIncludeSplitters && frame)
        CaptureSplitters(frame);
    DeleteObjects(*m_pChildFrameStates);
    if (m_bIncludeChildFrames)
        CaptureChildFrames();
    return TRUE;
}

namespace
{
// An empty or inverted rectangle, or one on no screen (a monitor since removed, a damaged file),
// would put the main window where nobody sees it: the default placement stays instead.
bool IsUsableWindowRect(const RECT& rect)
{
    return rect.right > rect.left && rect.bottom > rect.top &&
           MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}
} // namespace

BOOL COXWorkspaceState::ApplyState()
{
    CWnd* main = MainWindow();
    CFrameWnd* frame = FrameOf(main);
    if (m_bIncludeMainWindow && main && main->GetSafeHwnd() &&
        IsUsableWindowRect(m_mainWindowPlacement.rcNormalPosition))
    {
        // A window saved minimized comes back in its normal state.
        WINDOWPLACEMENT placement = m_mainWindowPlacement;
        const UINT startShow =
            placement.showCmd == SW_SHOWMINIMIZED ? SW_SHOWNORMAL : placement.showCmd;
        placement.showCmd = main->IsWindowVisible() ? startShow : SW_HIDE;
        placement.length = sizeof placement;
        main->SetWindowPlacement(&placement);
        if (CWinApp* app = AfxGetApp())
            app->m_nCmdShow = static_cast<int>(startShow);
    }
    if (m_bIncludeBars && frame)
    {
        // Flat toolbars take their places without the flat style, then get it back.
        std::vector<CToolBar*> flat;
        for (INT_PTR i = 0; i < m_pDockState->m_arrBarInfo.GetSize(); ++i)
        {
            CControlBarInfo* info = m_pDockState->m_arrBarInfo[i];
            info->m_pBar = frame->GetControlBar(info->m_nBarID);
            auto* toolBar = dynamic_cast<CToolBar*>(info->m_pBar);
            if (toolBar && toolBar->GetSafeHwnd() && (toolBar->GetStyle() & TBSTYLE_FLAT))
            {
                flat.push_back(toolBar);
                toolBar->ModifyStyle(TBSTYLE_FLAT, 0);
            }
        }
        frame->SetDockState(*m_pDockState);
        for (CToolBar* toolBar : flat)
            toolBar->ModifyStyle(0, TBSTYLE_FLAT);
    }
    if (m_bIncludeSplitters && frame)
        ApplySplitters(frame);
    if (m_bIncludeChildFrames)
        ApplyChildFrames();
    return TRUE;
}

BOOL COXWorkspaceState::CaptureChildFrames()
{
    auto* mdi = dynamic_cast<CMDIFrameWnd*>(MainWindow());
    if (!mdi || !mdi->m_hWndMDIClient)
        return TRUE;
    BOOL result = TRUE;
    // From the topmost child down; windows that are not child frames end the walk.
    for (HWND hwnd = ::GetWindow(mdi->m_hWndMDIClient, GW_CHILD); hwnd;
         hwnd = ::GetWindow(hwnd, GW_HWNDNEXT))
    {
        auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(hwnd));
        if (!child || ::GetWindow(hwnd, GW_OWNER))
            break;
        auto state = std::make_unique<COXChildFrameState>();
        state->SetIncludeSplitters(m_bIncludeSplitters);
        if (state->CaptureFrame(child))
            m_pChildFrameStates->Add(state.release());
        else
            result = FALSE;
    }
    return result;
}

BOOL COXWorkspaceState::ApplyChildFrames()
{
    // The topmost frame was recorded first: it opens last.
    BOOL result = TRUE;
    for (INT_PTR i = m_pChildFrameStates->GetSize() - 1; i >= 0; --i)
    {
        auto* state = static_cast<COXChildFrameState*>(m_pChildFrameStates->GetAt(i));
        if (!state->ApplyFrame())
            result = FALSE;
    }
    return result;
}

BOOL COXWorkspaceState::CaptureSplitters(CFrameWnd*)
{
    // The framework has no splitter windows: a frame shows none.
    return TRUE;
}

BOOL COXWorkspaceState::ApplySplitters(CFrameWnd*)
{
    return TRUE;
}

void COXWorkspaceState::PrepareStore(BOOL saveModified, BOOL capture, BOOL markClean)
{
    CWinApp* app = AfxGetApp();
    if (saveModified && app)
    {
        app->SaveAllModified();
        if (markClean && app->m_pDocManager)
            ForEachDocument(app, [](CDocument* document) { document->SetModifiedFlag(FALSE); });
    }
    if (capture)
        CaptureState();
}

void COXWorkspaceState::ArchiveFile(const char* path, BOOL storing)
{
    const UINT flags = storing ? (CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive)
                               : (CFile::modeRead | CFile::shareDenyWrite);
    CFile file(path, flags);
    CArchive archive(&file, storing ? CArchive::store : CArchive::load, 4096);
    Serialize(archive);
    archive.Close();
    file.Close();
}

BOOL COXWorkspaceState::StoreToFile(const char* path, BOOL saveModified, BOOL capture,
                                    BOOL markClean)
{
    return Guarded(
        [&]
        {
            PrepareStore(saveModified, capture, markClean);
            ArchiveFile(path, TRUE);
        });
}

BOOL COXWorkspaceState::LoadFromFile(const char* path, BOOL apply)
{
    // Windows that refuse a layout must not stop the program that asked for it.
    return Guarded(
        [&]
        {
            ArchiveFile(path, FALSE);
            if (apply)
                ApplyState();
        });
}

BOOL COXWorkspaceState::SaveToBytes(CByteArray& bytes)
{
    return Guarded(
        [&]
        {
            CMemFile file(1024);
            CArchive archive(&file, CArchive::store, 4096);
            Serialize(archive);
            archive.Close();
            const auto length = static_cast<INT_PTR>(file.GetLength());
            bytes.SetSize(length);
            file.SeekToBegin();
            if (length > 0)
                file.Read(bytes.GetData(), static_cast<UINT>(length));
        });
}

BOOL COXWorkspaceState::LoadFromBytes(const CByteArray& bytes)
{
    return Guarded(
        [&]
        {
            CMemFile file(1024);
            if (bytes.GetSize() > 0)
                file.Write(bytes.GetData(), static_cast<UINT>(bytes.GetSize()));
            file.SeekToBegin();
            CArchive archive(&file, CArchive::load, 4096);
            Serialize(archive);
            archive.Close();
        });
}

BOOL COXWorkspaceState::SaveToRegistry(const char* valueName, const char* company,
                                       const char* application, HKEY root, BOOL saveModified,
                                       BOOL capture, BOOL markClean)
{
    if (!Guarded([&] { PrepareStore(saveModified, capture, markClean); }))
        return FALSE;
    CByteArray bytes;
    return SaveToBytes(bytes) &&
           AccessRegistryValue(TRUE, valueName, company, application, root, bytes);
}

BOOL COXWorkspaceState::LoadFromRegistry(const char* valueName, const char* company,
                                         const char* application, HKEY root, BOOL apply)
{
    CByteArray bytes;
    if (!AccessRegistryValue(FALSE, valueName, company, application, root, bytes) ||
        !LoadFromBytes(bytes))
        return FALSE;
    return !apply || Guarded([this] { ApplyState(); });
}

BOOL COXWorkspaceState::AccessRegistryValue(BOOL storing, const char* valueName,
                                            const char* company, const char* application, HKEY root,
                                            CByteArray& bytes)
{
    CWinApp* app = AfxGetApp();
    const char* value = valueName && *valueName ? valueName : "Main";
    const char* companyKey =
        company && *company ? company : (app ? app->m_pszRegistryKey : nullptr);
    const char* appKey =
        application && *application ? application : (app ? app->m_pszProfileName : nullptr);
    if (!storing)
        bytes.RemoveAll();
    if (!companyKey || !*companyKey || !appKey || !*appKey)
        return FALSE;
    const REGSAM access = storing ? (KEY_READ | KEY_WRITE) : KEY_READ;
    // Software, company, application and WorkspaceState, one below the other.
    const char* path[] = {"Software", companyKey, appKey, "WorkspaceState"};
    HKEY key = root;
    for (const char* name : path)
    {
        HKEY next = nullptr;
        const LONG opened = storing
                                ? ::RegCreateKeyExA(key, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                    access, nullptr, &next, nullptr)
                                : ::RegOpenKeyExA(key, name, 0, access, &next);
        if (key != root)
            ::RegCloseKey(key);
        if (opened != ERROR_SUCCESS)
            return FALSE;
        key = next;
    }
    LONG result = ERROR_SUCCESS;
    if (storing)
    {
        result = ::RegSetValueExA(key, value, 0, REG_BINARY, bytes.GetData(),
                                  static_cast<DWORD>(bytes.GetSize()));
    }
    else
    {
        DWORD type = 0;
        DWORD size = 0;
        result = ::RegQueryValueExA(key, value, nullptr, &type, nullptr, &size);
        if (result == ERROR_SUCCESS && type == REG_BINARY)
        {
            bytes.SetSize(static_cast<INT_PTR>(size));
            result = ::RegQueryValueExA(key, value, nullptr, &type, bytes.GetData(), &size);
            bytes.SetSize(result == ERROR_SUCCESS ? static_cast<INT_PTR>(size) : 0);
        }
        else if (result == ERROR_SUCCESS)
        {
            result = ERROR_INVALID_DATA;
        }
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void COXSplitterColRowState::Serialize(CArchive& archive)
{
    CObject::Serialize(archive);
    if (archive.IsStoring())
    {
        archive << int32_t{m_bRow} << int32_t{m_nIndex} << int32_t{m_nIdealSize}
                << int32_t{m_nMinSize};
        return;
    }
    const UINT schema = archive.GetObjectSchema();
    if (schema != 0xFFFFFFFFu && schema > 1)
        fw::ThrowArchiveException(CArchiveException::badSchema);
    int32_t values[4] = {};
    for (int32_t& value : values)
        archive >> value;
    m_nVersion = static_cast<int>(schema);
    m_bRow = values[0];
    m_nIndex = values[1];
    m_nIdealSize = values[2];
    m_nMinSize = values[3];
}

COXChildFrameState::COXChildFrameState()
    : m_placement()
    , m_pSplitterStates(new CObArray)
{
    m_placement.length = sizeof m_placement;
}

COXChildFrameState::~COXChildFrameState()
{
    ObjectsDeleter()(m_pSplitterStates);
}

void COXChildFrameState::Serialize(CArchive& archive)
{
    CObject::Serialize(archive);
    if (archive.IsStoring())
    {
        StoreContents(archive);
        return;
    }
    const UINT schema = archive.GetObjectSchema();
    if (schema != 0xFFFFFFFFu && schema > 1)
        fw::ThrowArchiveException(CArchiveException::badSchema);
    LoadContents(archive);
    m_nVersion = static_cast<int>(schema);
}

void COXChildFrameState::StoreContents(CArchive& archive)
{
    COXWorkspaceState::StorePlacement(archive, m_placement);
    archive << m_sDocPath << m_sDocClass << m_sFrameClass << m_sViewClass
            << int32_t{m_bIncludeSplitters};
    archive << static_cast<const CObject*>(m_pSplitterStates);
}

void COXChildFrameState::LoadContents(CArchive& archive)
{
    WINDOWPLACEMENT placement;
    COXWorkspaceState::LoadPlacement(archive, placement);
    CString path;
    CString docClass;
    CString frameClass;
    CString viewClass;
    int32_t includeSplitters = 0;
    archive >> path >> docClass >> frameClass >> viewClass >> includeSplitters;
    OwnedArray splitters = ReadOwnedArray(archive, RUNTIME_CLASS(COXSplitterColRowState));
    m_placement = placement;
    m_sDocPath = path;
    m_sDocClass = docClass;
    m_sFrameClass = frameClass;
    m_sViewClass = viewClass;
    m_bIncludeSplitters = includeSplitters;
    ObjectsDeleter()(m_pSplitterStates);
    m_pSplitterStates = splitters.release();
}

BOOL COXChildFrameState::CaptureFrame(CFrameWnd* frame)
{
    if (!frame || !frame->GetSafeHwnd())
        return FALSE;
    m_placement = WINDOWPLACEMENT{};
    m_placement.length = sizeof m_placement;
    frame->GetWindowPlacement(&m_placement);
    if (!frame->IsWindowVisible())
        m_placement.showCmd = SW_HIDE;
    CView* view = dynamic_cast<CView*>(frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
    if (!view)
        view = frame->GetActiveView();
    CDocument* document = view ? view->GetDocument() : nullptr;
    if (!document)
        return FALSE;
    m_sDocPath = document->GetPathName();
    m_sDocClass = document->GetRuntimeClass()->m_lpszClassName;
    m_sFrameClass = frame->GetRuntimeClass()->m_lpszClassName;
    m_sViewClass = view->GetRuntimeClass()->m_lpszClassName;
    COXWorkspaceState::DeleteObjects(*m_pSplitterStates);
    if (m_bIncludeSplitters)
        CaptureSplitters(frame);
    return TRUE;
}

BOOL COXChildFrameState::ApplyFrame()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    // The template of all three classes, else the first of the document's class.
    CDocTemplate* exact = nullptr;
    CDocTemplate* byDocument = nullptr;
    for (POSITION position = app->GetFirstDocTemplatePosition(); position && !exact;)
    {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(position);
        const bool sameDocument = m_sDocClass == docTemplate->m_pDocClass->m_lpszClassName;
        if (sameDocument && m_sFrameClass == docTemplate->m_pFrameClass->m_lpszClassName &&
            m_sViewClass == docTemplate->m_pViewClass->m_lpszClassName)
            exact = docTemplate;
        else if (sameDocument && !byDocument)
            byDocument = docTemplate;
    }
    CDocTemplate* found = exact ? exact : byDocument;
    if (!found)
        return FALSE;

    CFrameWnd* frame = nullptr;
    CDocument* open = nullptr;
    if (!m_sDocPath.IsEmpty())
    {
        for (POSITION position = app->GetFirstDocTemplatePosition(); position && !open;)
        {
            CDocument* match = nullptr;
            if (app->GetNextDocTemplate(position)->MatchDocType(m_sDocPath, match) ==
                CDocTemplate::yesAlreadyOpen)
                open = match;
        }
    }
    if (open)
    {
        // Another frame on the document already open.
        frame = found->CreateNewFrame(open, nullptr);
        if (!frame)
            return FALSE;
        found->InitialUpdateFrame(frame, open, TRUE);
    }
    else
    {
        CDocument* document = found->OpenDocumentFile(
            m_sDocPath.IsEmpty() ? nullptr : static_cast<const char*>(m_sDocPath), TRUE);
        POSITION views = document ? document->GetFirstViewPosition() : nullptr;
        CView* view = views ? document->GetNextView(views) : nullptr;
        frame = view ? view->GetParentFrame() : nullptr;
    }
    if (!frame)
        return FALSE;
    WINDOWPLACEMENT placement = m_placement;
    placement.length = sizeof placement;
    frame->SetWindowPlacement(&placement);
    if (m_bIncludeSplitters)
        ApplySplitters(frame);
    return TRUE;
}

BOOL COXChildFrameState::CaptureSplitters(CFrameWnd*)
{
    // The framework has no splitter windows: a frame shows none.
    return TRUE;
}

BOOL COXChildFrameState::ApplySplitters(CFrameWnd*)
{
    return TRUE;
}
