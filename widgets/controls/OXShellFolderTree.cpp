// Shell folder tree: filling, lazy enumeration, paths to items and back, refreshing, filter.
#include "widgets/controls/OXShellFolderTree.h"

#include "platform/win/cmdtarget.h"

#include <windows.h>

#include <shellapi.h>

namespace
{
constexpr int kShell32DesktopIcon = 34;
constexpr DWORD kEnumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
const char kDesktopText[] = "Desktop";

// Orders two children of one parent as their folder does.
int CALLBACK CompareShellItems(LPARAM first, LPARAM second, LPARAM)
{
    const auto* a = reinterpret_cast<const OXShellItemInfo*>(first);
    const auto* b = reinterpret_cast<const OXShellItemInfo*>(second);
    if (a == nullptr || b == nullptr || a->parentFolder == nullptr)
        return 0;
    const HRESULT result = a->parentFolder->CompareIDs(0, a->relativeIdList, b->relativeIdList);
    return FAILED(result) ? 0 : static_cast<short>(LOWORD(result));
}

// The next level of an ID list, null after the last.
LPCITEMIDLIST NextLevel(LPCITEMIDLIST level)
{
    const auto* next =
        reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(level) + level->mkid.cb);
    return next->mkid.cb == 0 ? nullptr : next;
}
} // namespace

FW_TABLE(
    COXShellFolderTree, CTreeCtrl,
    fw::reflect_notify<static_cast<int>(TVN_ITEMEXPANDINGA),
                       &COXShellFolderTree::OnItemExpanding>(),
    fw::reflect_notify<static_cast<int>(TVN_DELETEITEMA), &COXShellFolderTree::OnDeleteItem>(),
    fw::reflect_notify<static_cast<int>(TVN_BEGINLABELEDITA),
                       &COXShellFolderTree::OnBeginLabelEdit>(),
    fw::reflect_notify<static_cast<int>(TVN_ENDLABELEDITA), &COXShellFolderTree::OnEndLabelEdit>(),
    fw::on<WM_RBUTTONDOWN, &COXShellFolderTree::OnRButtonDown>(),
    fw::on<WM_MOUSEMOVE, &COXShellFolderTree::OnMouseMove>(),
    fw::on<WM_RBUTTONUP, &COXShellFolderTree::OnRButtonUp>(),
    fw::on<WM_LBUTTONDOWN, &COXShellFolderTree::OnLButtonDown>(),
    fw::on<WM_LBUTTONDBLCLK, &COXShellFolderTree::OnLButtonDblClk>(),
    fw::on<WM_CANCELMODE, &COXShellFolderTree::OnCancelMode>(),
    fw::on<WM_CAPTURECHANGED, &COXShellFolderTree::OnCaptureChanged>(),
    fw::on<WM_DESTROY, &COXShellFolderTree::OnDestroy>())

COXShellFolderTree::COXShellFolderTree(BOOL contextMenu, BOOL fileSystemOnly, BOOL ownerWindow,
                                       BOOL desktopRoot, BOOL showFiles, const char* filter)
    : m_contextMenu(contextMenu)
    , m_fileSystemOnly(fileSystemOnly)
    , m_ownerWindow(ownerWindow)
    , m_desktopRoot(desktopRoot)
    , m_showFiles(showFiles)
{
    SetFileFilter(filter);
}

COXShellFolderTree::~COXShellFolderTree()
{
    // The items' data needs the navigator, which goes before the window would.
    if (m_hWnd != nullptr)
        FreeSubtreeData(TVI_ROOT);
}

BOOL COXShellFolderTree::InitializeTree(const char* startPath)
{
    if (m_hWnd == nullptr)
        return FALSE;
    m_navigator.SetOwnerWindow(m_ownerWindow ? m_hWnd : nullptr);
    const bool isDesktop = startPath == nullptr || *startPath == '\0';
    LPITEMIDLIST startList =
        isDesktop ? m_navigator.CopyIDList(nullptr) : m_navigator.GetIDListFromPath(startPath);
    if (startList == nullptr)
        return FALSE;
    IShellFolder* folder = m_navigator.GetShellFolder("");
    if (folder != nullptr && !isDesktop)
    {
        IShellFolder* const desktop = folder;
        folder = m_navigator.BindToChildFolder(desktop, startList);
        m_navigator.ReleaseFolder(desktop);
    }
    if (folder == nullptr)
    {
        m_navigator.FreeIDList(startList);
        return FALSE;
    }
    Select(nullptr, TVGN_CARET);
    DeleteChildren(TVI_ROOT);
    if (!CreateImages())
    {
        m_navigator.ReleaseFolder(folder);
        m_navigator.FreeIDList(startList);
        return FALSE;
    }
    HTREEITEM top = TVI_ROOT;
    if (m_desktopRoot)
    {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask =
            TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(kDesktopText);
        insert.item.state = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        insert.item.stateMask = insert.item.state;
        insert.item.cChildren = 1;
        top = InsertItem(&insert);
    }
    PopulateChildren(top, folder, startList);
    m_navigator.ReleaseFolder(folder);
    m_navigator.FreeIDList(startList);
    SortShellChildren(top);
    return TRUE;
}

// The system's small pictures are copied into a list of our own on first use: the tree may
// destroy its list, which it must never do to the system's.
BOOL COXShellFolderTree::CreateImages()
{
    if (m_systemImages == nullptr)
    {
        SHFILEINFOA info = {};
        m_systemImages = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        if (m_systemImages == nullptr)
            return FALSE;
    }
    SetImageList(nullptr, TVSIL_NORMAL);
    m_images.DeleteImageList();
    m_iconMap.clear();
    int cx = 16;
    int cy = 16;
    ::ImageList_GetIconSize(m_systemImages, &cx, &cy);
    if (!m_images.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 8))
        return FALSE;
    HICON desktop = ::ExtractIconA(::GetModuleHandleA(nullptr), "shell32.dll", kShell32DesktopIcon);
    if (desktop != nullptr && desktop != reinterpret_cast<HICON>(1))
    {
        m_images.Add(desktop);
        ::DestroyIcon(desktop);
    }
    else
    {
        // Picture 0 stays the root's picture even without shell32's.
        HICON folder = ::ImageList_GetIcon(m_systemImages, 0, ILD_NORMAL);
        m_images.Add(folder);
        ::DestroyIcon(folder);
    }
    SetImageList(&m_images, TVSIL_NORMAL);
    return TRUE;
}

int COXShellFolderTree::GetPrivateIcon(int systemIndex)
{
    const auto found = m_iconMap.find(systemIndex);
    if (found != m_iconMap.end())
        return found->second;
    HICON icon = ::ImageList_GetIcon(m_systemImages, systemIndex, ILD_NORMAL);
    const int index = icon != nullptr ? m_images.Add(icon) : 0;
    if (icon != nullptr)
        ::DestroyIcon(icon);
    m_iconMap[systemIndex] = index < 0 ? 0 : index;
    return m_iconMap[systemIndex];
}

BOOL COXShellFolderTree::PopulateChildren(HTREEITEM parent, IShellFolder* folder,
                                          LPCITEMIDLIST parentAbsolute)
{
    CWaitCursor wait;
    if (!m_navigator.EnumerateObjects(folder, kEnumFlags))
        return FALSE;
    int added = 0;
    while (OXShellItemInfo* info = m_navigator.GetNextChild(parentAbsolute))
    {
        if (!IsItemShown(*info) || InsertShellItem(parent, info) == nullptr)
            m_navigator.FreeItemInfo(info);
        else
            ++added;
    }
    m_navigator.EndEnumeration();
    // A folder that turned out empty loses its button.
    if (added == 0 && parent != TVI_ROOT)
        SetChildCount(parent, 0);
    return TRUE;
}

BOOL COXShellFolderTree::IsItemShown(OXShellItemInfo& info)
{
    const ULONG attributes = info.attributes;
    const bool isFileSystem = (attributes & SFGAO_FILESYSTEM) != 0;
    const bool isFolder = (attributes & SFGAO_FOLDER) != 0;
    const bool isAncestor = (attributes & SFGAO_FILESYSANCESTOR) != 0;
    const bool hasSubfolders = (attributes & SFGAO_HASSUBFOLDER) != 0;
    bool isShown = false;
    if (m_fileSystemOnly && !m_showFiles)
        isShown = (isAncestor && hasSubfolders) || (isFileSystem && isFolder);
    else if (m_fileSystemOnly)
        isShown = isFileSystem || isAncestor;
    else if (m_showFiles)
        isShown = true;
    else
        isShown = isFolder || hasSubfolders;
    if (!isShown)
        return FALSE;
    m_navigator.DescribeItem(&info);
    if (isFileSystem && !isFolder && !IsFileShown(info.displayName))
        return FALSE;
    return AcceptItem(info);
}

HTREEITEM COXShellFolderTree::InsertShellItem(HTREEITEM parent, OXShellItemInfo* info)
{
    const ULONG attributes = info->attributes;
    const bool announcesChild = (attributes & (SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR)) != 0 ||
                                (m_showFiles && (attributes & SFGAO_FOLDER) != 0);
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = info->displayName;
    insert.item.iImage = GetPrivateIcon(info->smallIcon);
    insert.item.iSelectedImage = GetPrivateIcon(info->smallOpenIcon);
    insert.item.cChildren = announcesChild ? 1 : 0;
    insert.item.lParam = reinterpret_cast<LPARAM>(info);
    return InsertItem(&insert);
}

void COXShellFolderTree::SortShellChildren(HTREEITEM parent)
{
    SortChildrenCB(parent, &CompareShellItems, 0);
}

void COXShellFolderTree::ExpandShellItem(HTREEITEM item)
{
    const OXShellItemInfo* info = GetItemInfo(item);
    if (info == nullptr)
        return;
    CWaitCursor wait;
    IShellFolder* folder = m_navigator.BindToChildFolder(info->parentFolder, info->relativeIdList);
    if (folder == nullptr)
    {
        SetChildCount(item, 0);
        return;
    }
    PopulateChildren(item, folder, info->absoluteIdList);
    m_navigator.ReleaseFolder(folder);
    SortShellChildren(item);
}

void COXShellFolderTree::OnItemExpanding(NMHDR* header, LRESULT* result)
{
    const auto* view = reinterpret_cast<const NMTREEVIEWA*>(header);
    *result = FALSE; // never refuses the expansion
    const HTREEITEM item = view->itemNew.hItem;
    if ((view->action & TVE_EXPAND) == 0 ||
        (GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) != 0)
        return;
    ExpandShellItem(item);
}

void COXShellFolderTree::OnDeleteItem(NMHDR* header, LRESULT* result)
{
    const auto* view = reinterpret_cast<const NMTREEVIEWA*>(header);
    m_navigator.FreeItemInfo(reinterpret_cast<OXShellItemInfo*>(view->itemOld.lParam));
    *result = 0;
}

void COXShellFolderTree::OnDestroy()
{
    FreeSubtreeData(TVI_ROOT);
    CTreeCtrl::OnDestroy();
}

OXShellItemInfo* COXShellFolderTree::GetItemInfo(HTREEITEM item) const
{
    if (item == nullptr || item == TVI_ROOT)
        return nullptr;
    return reinterpret_cast<OXShellItemInfo*>(GetItemData(item));
}

void COXShellFolderTree::FreeSubtreeData(HTREEITEM item)
{
    for (HTREEITEM child = GetFirstChild(item); child != nullptr; child = GetNextSiblingItem(child))
        FreeSubtreeData(child);
    if (item == TVI_ROOT)
        return;
    OXShellItemInfo* info = GetItemInfo(item);
    if (info != nullptr)
    {
        SetItemData(item, 0);
        m_navigator.FreeItemInfo(info);
    }
}

void COXShellFolderTree::DeleteChildren(HTREEITEM parent)
{
    HTREEITEM child = GetFirstChild(parent);
    while (child != nullptr)
    {
        const HTREEITEM next = GetNextSiblingItem(child);
        FreeSubtreeData(child);
        DeleteItem(child);
        child = next;
    }
}

void COXShellFolderTree::SetChildCount(HTREEITEM item, int children)
{
    TVITEMA update = {};
    update.mask = TVIF_CHILDREN;
    update.hItem = item;
    update.cChildren = children;
    SetItem(&update);
}

HTREEITEM COXShellFolderTree::GetFirstChild(HTREEITEM parent) const
{
    return parent == TVI_ROOT ? GetRootItem() : GetChildItem(parent);
}

HTREEITEM COXShellFolderTree::GetFirstTopItem() const
{
    const HTREEITEM root = GetRootItem();
    return m_desktopRoot && root != nullptr ? GetChildItem(root) : root;
}

HTREEITEM COXShellFolderTree::WalkToIdList(LPCITEMIDLIST absolute, bool expandOnTheWay,
                                           bool requireExpanded)
{
    HTREEITEM level = GetFirstTopItem();
    HTREEITEM found = nullptr;
    for (LPCITEMIDLIST id = absolute->mkid.cb != 0 ? absolute : nullptr; id != nullptr;
         id = NextLevel(id))
    {
        found = level;
        while (found != nullptr)
        {
            const OXShellItemInfo* info = GetItemInfo(found);
            if (info != nullptr && COXShellNamespaceNavigator::IsSameItem(info->parentFolder,
                                                                          info->relativeIdList, id))
                break;
            found = GetNextSiblingItem(found);
        }
        if (found == nullptr || NextLevel(id) == nullptr)
            return found;
        if (expandOnTheWay)
            Expand(found, TVE_EXPAND);
        else if (requireExpanded && (GetItemState(found, TVIS_EXPANDED) & TVIS_EXPANDED) == 0)
            return nullptr;
        level = GetChildItem(found);
    }
    return nullptr;
}

BOOL COXShellFolderTree::SelectPath(const char* path, BOOL expand)
{
    if (path == nullptr || *path == '\0')
        return TRUE;
    LPITEMIDLIST absolute = m_navigator.GetIDListFromPath(path);
    if (absolute == nullptr)
        return FALSE;
    const HTREEITEM item = WalkToIdList(absolute, true, false);
    m_navigator.FreeIDList(absolute);
    if (item == nullptr)
        return FALSE;
    SelectItem(item);
    if (expand)
        Expand(item, TVE_EXPAND);
    EnsureVisible(item);
    return TRUE;
}

HTREEITEM COXShellFolderTree::FindItemByPath(const char* path) const
{
    if (path == nullptr || *path == '\0')
        return nullptr;
    auto* self = const_cast<COXShellFolderTree*>(this); // the walk expands nothing here
    LPITEMIDLIST absolute = self->m_navigator.GetIDListFromPath(path);
    if (absolute == nullptr)
        return nullptr;
    const HTREEITEM item = self->WalkToIdList(absolute, false, true);
    self->m_navigator.FreeIDList(absolute);
    return item;
}

CString COXShellFolderTree::GetItemPath(HTREEITEM item) const
{
    const OXShellItemInfo* info = GetItemInfo(item);
    char path[MAX_PATH] = {};
    if (info == nullptr || !::SHGetPathFromIDListA(info->absoluteIdList, path))
        return CString();
    return CString(path);
}

BOOL COXShellFolderTree::RefreshItem(HTREEITEM item)
{
    if (item == nullptr)
        return FALSE;
    const CString caretPath = GetItemPath(GetSelectedItem());
    Select(nullptr, TVGN_CARET);
    const bool isRoot = item == TVI_ROOT;
    const bool wasExpanded = !isRoot && (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    std::vector<CString> expandedPaths;
    if (isRoot || wasExpanded)
    {
        const HTREEITEM end = isRoot ? nullptr : GetNextSiblingItem(item);
        for (HTREEITEM visible = isRoot ? GetFirstTopItem() : GetChildItem(item);
             visible != nullptr && visible != end; visible = GetNextVisibleItem(visible))
        {
            const CString path = GetItemPath(visible);
            if ((GetItemState(visible, TVIS_EXPANDED) & TVIS_EXPANDED) != 0 && !path.IsEmpty())
                expandedPaths.push_back(path);
        }
    }
    LockRedraw();
    if (isRoot)
    {
        InitializeTree("");
    }
    else
    {
        // A folder shown collapsed forgets its children, so that the next expansion lists
        // them anew instead of adding them a second time.
        DeleteChildren(item);
        SetChildCount(item, 1);
        SetItemState(item, 0, TVIS_EXPANDEDONCE);
        if (wasExpanded)
        {
            ExpandShellItem(item);
            SetItemState(item, TVIS_EXPANDEDONCE, TVIS_EXPANDEDONCE);
            Expand(item, TVE_EXPAND);
        }
    }
    for (const CString& path : expandedPaths)
        SelectPath(path, TRUE);
    if (!caretPath.IsEmpty())
        SelectPath(caretPath, FALSE);
    UnlockRedraw();
    return TRUE;
}

BOOL COXShellFolderTree::RefreshItem(const char* path)
{
    const HTREEITEM item = FindItemByPath(path);
    return item != nullptr && RefreshItem(item);
}

void COXShellFolderTree::LockRedraw()
{
    if (m_redrawLocks++ == 0)
        SetRedraw(FALSE);
}

void COXShellFolderTree::UnlockRedraw()
{
    if (m_redrawLocks > 0 && --m_redrawLocks == 0)
    {
        SetRedraw(TRUE);
        Invalidate();
    }
}

void COXShellFolderTree::SetFileFilter(const char* filter)
{
    m_filter.clear();
    const std::string text = filter != nullptr ? filter : "";
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t bar = text.find('|', start);
        const size_t end = bar == std::string::npos ? text.size() : bar;
        if (end > start)
            m_filter.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

CString COXShellFolderTree::GetFileFilter() const
{
    CString joined;
    for (size_t i = 0; i < m_filter.size(); ++i)
    {
        if (i > 0)
            joined += "|";
        joined += m_filter[i];
    }
    return joined;
}

BOOL COXShellFolderTree::AcceptItem(const OXShellItemInfo&)
{
    return TRUE;
}

BOOL COXShellFolderTree::IsFileShown(const char* name) const
{
    if (m_filter.empty())
        return TRUE;
    const std::string text = name != nullptr ? name : "";
    const size_t dot = text.find('.');
    const std::string extension = dot == std::string::npos ? text : text.substr(dot + 1);
    if (dot == 0)
        return FALSE; // ".profile" has no extension to match
    for (const CString& entry : m_filter)
    {
        if (entry.CompareNoCase(extension.c_str()) == 0)
            return TRUE;
    }
    return FALSE;
}
