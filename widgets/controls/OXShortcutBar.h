// A vertical bar of groups, each a header button and a child window (by default an item list).
// One group is expanded at a time: the headers up to it stand at the top, the others at the
// bottom, and its child window fills the space between. Headers expand their group on a click
// (optionally animated), can be dragged to reorder the groups, edited in place and hovered
// during drag and drop to expand them. Owners hear of everything through WM_NOTIFY.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/tooltip.h"
#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"
#include "widgets/bars/OXDragDropSupport.h"
#include "widgets/controls/OXSHBEdit.h"
#include "widgets/controls/OXShortcutBarTypes.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

class COXSHBListCtrl;

class COXShortcutBar : public CWnd
{
    FW_CLASS(COXShortcutBar, CWnd)

public:
    static constexpr UINT_PTR kPressTimer = 2;
    static constexpr UINT_PTR kDragExpandTimer = 3;
    static constexpr UINT_PTR kHotTimer = 4;
    static constexpr UINT kHeaderEditorId = 0xFFFF;
    static constexpr UINT_PTR kToolId = 1000;
    static constexpr int kDefaultHeaderHeight = 18;
    static constexpr UINT kDefaultHeaderFormat = 0x8025; // centred, single line, end ellipsis

    COXShortcutBar();
    ~COXShortcutBar() override;

    // Registers the window class "OXShortcutBar" (for dialog templates that name it).
    static BOOL RegisterWindowClass();

    BOOL Create(CWnd* parent, const RECT& rect, DWORD barStyle, UINT id,
                DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0);

    DWORD GetBarStyle() const { return m_barStyle; }
    void SetBarStyle(DWORD barStyle);
    // The images of the headers (16 by 16).
    void SetImageList(CImageList* images) { m_images = images; }
    CImageList* GetImageList() const { return m_images; }

    // Groups. InsertGroup returns null when refused or invalid.
    HSHBGROUP InsertGroup(const OXShbGroupInfo* info);
    BOOL DeleteGroup(HSHBGROUP group);
    BOOL DeleteAllGroups();
    // Group null sets every group.
    BOOL SetGroupInfo(HSHBGROUP group, const OXShbGroupInfo* info);
    // Fills the fields info's mask asks for; the text is the bar's (not to be freed).
    BOOL GetGroupInfo(HSHBGROUP group, OXShbGroupInfo* info) const;
    BOOL SetGroupText(HSHBGROUP group, const char* text);
    CString GetGroupText(HSHBGROUP group) const;
    BOOL SetGroupOrder(HSHBGROUP group, int order);
    int GetGroupOrder(HSHBGROUP group) const;
    BOOL SetGroupView(HSHBGROUP group, int view);
    int GetGroupView(HSHBGROUP group) const;
    BOOL SetGroupDescriptor(HSHBGROUP group, const OXShbGroupDescriptor* descriptor);
    BOOL SetGroupChildWnd(HSHBGROUP group, CWnd* child);
    CWnd* GetGroupChildWnd(HSHBGROUP group) const;
    LPARAM GetGroupData(HSHBGROUP group) const;
    // Descriptor fields with their defaults.
    COLORREF GetGroupBkColor(HSHBGROUP group) const;
    COLORREF GetGroupTextColor(HSHBGROUP group) const;
    COLORREF GetGroupHeaderBkColor(HSHBGROUP group) const;
    COLORREF GetGroupHeaderTextColor(HSHBGROUP group) const;
    UINT GetGroupHeaderTextFormat(HSHBGROUP group) const;
    BOOL GetGroupTextFont(HSHBGROUP group, LOGFONTA* font) const;
    BOOL GetGroupHeaderFont(HSHBGROUP group, LOGFONTA* font) const;
    int GetGroupHeaderHeight(HSHBGROUP group) const;
    BOOL SetGroupBkColor(HSHBGROUP group, COLORREF color);
    BOOL SetGroupTextColor(HSHBGROUP group, COLORREF color);
    BOOL SetGroupHeaderBkColor(HSHBGROUP group, COLORREF color);
    BOOL SetGroupHeaderTextColor(HSHBGROUP group, COLORREF color);
    BOOL SetGroupHeaderHeight(HSHBGROUP group, int height);

    HSHBGROUP FindGroupByOrder(int order) const;
    int GetGroupCount() const { return static_cast<int>(m_order.size()); }
    BOOL IsValidGroup(HSHBGROUP group) const { return m_groups.count(group) != 0; }
    // FALSE when the owner cancels or the group is unknown; TRUE when already expanded.
    BOOL ExpandGroup(HSHBGROUP group);
    HSHBGROUP GetExpandedGroup() const { return m_expandedGroup; }
    BOOL EditGroupHeader(HSHBGROUP group);
    COXSHBEdit* GetHeaderEditor() { return &m_editor; }
    // Sorts by text, case-insensitively; direction 1 ascending, -1 descending.
    void SortGroups(int direction = 1);

    // Geometry.
    CRect GetHeaderRect(HSHBGROUP group) const;
    CRect GetChildWndRect() const { return m_childRect; }
    HSHBGROUP HitTestHeader(CPoint point) const;
    HSHBGROUP GetHotGroup() const { return m_hotGroup; }
    HSHBGROUP GetPressedGroup() const { return m_pressedGroup; }
    HSHBGROUP GetDraggedGroup() const { return m_dragGroup; }
    // The group whose header commands 33017 and 33018 act on: the header under the pointer
    // when the last context menu was asked for.
    HSHBGROUP GetContextGroup() const { return m_contextGroup; }
    void SetContextGroup(HSHBGROUP group) { m_contextGroup = group; }

    // The icons of images at indexes as a block for the owner to keep (the framework's archive
    // in a memory file: their count, then each as a sized one-image list); empty when an index
    // has no image.
    static std::vector<BYTE> SaveImageList(HIMAGELIST images, const std::vector<int>& indexes);
    // A list of the icons a saved block holds (the caller destroys it); null for any other
    // bytes.
    static HIMAGELIST LoadImageList(const BYTE* data, size_t size);

    // Delays in milliseconds; the drag-expand timer runs at a quarter of its delay.
    UINT GetHoverDelay() const { return m_hoverDelay; }
    UINT GetScrollDelay() const { return m_scrollDelay; }
    UINT GetDragExpandDelay() const { return m_dragExpandDelay; }
    void SetDragExpandDelay(UINT delayMs) { m_dragExpandDelay = delayMs; }
    CSize GetScrollButtonSize() const { return m_scrollButtonSize; }

    // Asks the owner for a header's tip text (SHBN_GETHEADERINFOTIP); empty when none given.
    CString GetHeaderTipText(HSHBGROUP group);
    // The tip of the header under the pointer.
    void OnToolTipText(NMTTDISPINFOA* info);
    CToolTipCtrl& GetToolTipCtrl() { return m_toolTip; }

    // A notification to the owner (the parent when it has none): the record of the bar.
    LRESULT Notify(UINT code, HSHBGROUP group, int item = -1, LPARAM value = 0);

    // Overridables, in the order the bar calls them.
    // The image shown under the pointer while a header is dragged (SHBS_DRAWHEADERDRAGIMAGE);
    // the caller destroys it.
    virtual HIMAGELIST CreateHeaderDragImage(HSHBGROUP group);
    virtual void DrawHeader(HDC dc, HSHBGROUP group);
    virtual void DrawBackground(HDC dc);
    virtual COXSHBListCtrl* NewGroupList();
    virtual void CalculateLayout();
    // Both must be valid; every field that a's mask names must equal b's (b's mask holding
    // a's); texts compared over a's length.
    virtual BOOL CompareGroups(const OXShbGroupInfo* a, const OXShbGroupInfo* b) const;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnCaptureChanged(CWnd* wnd);
    BOOL IsDragImageShown() const { return m_dragImage != nullptr; }
    void OnLargeIcon();
    void OnSmallIcon();
    void OnUpdateLargeIcon(CCmdUI* ui);
    void OnUpdateSmallIcon(CCmdUI* ui);
    void OnAddNewGroup();
    void OnRemoveGroup();
    void OnRenameGroup();
    void OnRemoveItem();
    void OnRenameItem();
    LRESULT OnDropMessage(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    FW_MESSAGE_TABLE()

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Group
    {
        CString text;
        int image = -1;
        int imageExpanded = -1;
        LPARAM param = 0;
        int view = SHB_LARGEICON;
        OXShbGroupDescriptor descriptor;
        HWND child = nullptr;
        std::unique_ptr<COXSHBListCtrl> list; // the list the bar made for the group, if any
        CRect header;
    };

    void PostCreate();
    // Places the headers and the child area; false when the headers overflow the bar.
    bool LayoutHeaders();
    BOOL ValidateInfo(const OXShbGroupInfo* info, HSHBGROUP group) const;
    void ApplyInfo(Group& record, const OXShbGroupInfo* info);
    Group* Find(HSHBGROUP group);
    const Group* Find(HSHBGROUP group) const;
    BOOL CreateGroupList(HSHBGROUP group, Group& record);
    COXSHBListCtrl* ExpandedList() const;
    void Animate(HSHBGROUP from, HSHBGROUP to);
    void TellChildren(UINT msg, WPARAM wParam, LPARAM lParam);
    void RedrawHeader(HSHBGROUP group);
    HFONT HeaderFont(HSHBGROUP group);
    void EndHeaderDrag(CPoint point, bool drop);

    DWORD m_barStyle = 0;
    HSHBGROUP m_expandedGroup = nullptr;
    HSHBGROUP m_pressedGroup = nullptr;
    HSHBGROUP m_dragGroup = nullptr;
    BOOL m_dragging = FALSE;
    HSHBGROUP m_hotGroup = nullptr;
    HSHBGROUP m_dragHoverGroup = nullptr;
    HSHBGROUP m_contextGroup = nullptr;
    HSHBGROUP m_editGroup = nullptr;
    HSHBGROUP m_dropTargetGroup = nullptr; // where a dragged header would land
    std::map<HSHBGROUP, Group> m_groups;
    std::vector<HSHBGROUP> m_order;
    UINT_PTR m_groupCounter = 0;
    COXSHBEdit m_editor;
    CToolTipCtrl m_toolTip;
    CRect m_childRect;
    CSize m_scrollButtonSize{20, 20};
    int m_headerSpacing = 0;
    UINT m_hoverDelay = 200;
    UINT m_scrollDelay = 400;
    UINT m_dragExpandDelay = 800;
    int m_sortDirection = 1;
    CPoint m_gripOffset;
    BOOL m_pressTimerRan = FALSE;
    COXDropTarget m_dropTarget;
    CImageList* m_images = nullptr; // borrowed
    CFont m_font;
    std::map<HSHBGROUP, CFont> m_headerFonts;
    bool m_creating = false;
    HIMAGELIST m_dragImage = nullptr; // owned while a header is dragged
};
