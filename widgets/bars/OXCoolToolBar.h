// COXCoolToolBar: the framework's toolbar drawn flat and transparent, with a gripper of its own,
// drop-down arrows, text labels taken from the command strings or the menu, hot and default
// text colours, indent and button widths, an optional icon at the leading edge, a custom-draw
// notice to its frame, caches of bitmaps and image lists, and its state kept in the profile
// with the common controls' own customisation and an advanced customisation mode.
//
// A frame keeps one as a member and uses it as the framework's toolbar:
//   m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP |
//                      CBRS_FLYBY | CBRS_TOOLTIPS, CRect(0, 0, 0, 0), id);
//   m_toolBar.LoadToolBar(resourceId);
//   m_toolBar.EnableDocking(CBRS_ALIGN_ANY); EnableDocking(CBRS_ALIGN_ANY);
//   DockControlBar(&m_toolBar);
// and before the frame goes, SetCustomizationMode(FALSE, nullptr). A window over a separator
// (the load-case combo box) is a child of the toolbar placed at GetItemRect of that separator.
#pragma once

#include "platform/bars/toolbar.h"
#include "widgets/bars/OXCustomTBButton.h"
#include "widgets/bars/OXDragDropSupport.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CArchive;

// WM_NOTIFY codes the bar sends to its frame.
constexpr UINT OXCTBN_CUSTOMDRAW = 32891;   // OXCustomDrawNotify, before the bar's own drawing
constexpr UINT OXCTBN_CUSTOMIZECMD = 32899; // OXCustomizeNotify, before a context-menu command

// The frame sees every custom-draw stage first; clearing doDefault makes result the answer
// and leaves the bar's own drawing out.
struct OXCustomDrawNotify
{
    NMHDR hdr;
    NMCUSTOMDRAW* customDraw;
    LRESULT result;
    BOOL doDefault;
};

// A context-menu command of the advanced customisation; a non-zero answer cancels the bar's
// own action.
struct OXCustomizeNotify
{
    NMHDR hdr;
    UINT command;
    LPARAM reserved; // 0
};

class COXCoolToolBar : public CToolBar
{
    FW_CLASS(COXCoolToolBar, CToolBar)

public:
    // What SetButtonTextFromID puts on the buttons.
    enum TextType
    {
        textPrompt = 0,  // the command string up to its line feed (the status-bar prompt)
        textTooltip = 1, // the command string after the line feed
        textMenu = 2,    // the command's item text in the main window's menu, up to a tab
        textUser = 3,    // the texts stay as they are
        textNone = 4     // images only
    };

    COXCoolToolBar();
    ~COXCoolToolBar() override;

    // The framework's toolbar creation, then the flat and transparent look (not transparent in
    // an MDI child frame), no borders, drop-down arrows, the drop target and an empty string
    // in the control's string pool. The borders asked for are overridden.
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT id = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  const RECT& borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);

    // The common-controls version as (major << 16) | minor, read once per process; 4.0 when
    // the query fails.
    static DWORD GetComCtlVersion();
    // E_INVALIDARG for null pointers, E_FAIL when the library is missing or its version call
    // fails; a library without a version call is 4.0.
    static HRESULT GetComCtlVersion(DWORD* major, DWORD* minor);

    // Look.
    BOOL IsFlat() const { return (GetStyle() & TBSTYLE_FLAT) != 0; }
    void SetFlat(BOOL flat);
    BOOL IsList() const { return (GetStyle() & TBSTYLE_LIST) != 0; }
    void SetList(BOOL list);
    BOOL IsCool() const { return m_bCool; }
    void SetCool(BOOL cool);
    BOOL IsGripper() const { return m_bGripper; }
    void SetGripper(BOOL gripper);
    BOOL IsSeparator() const { return m_bSeparator; }
    void SetSeparator(BOOL separator);
    void SetDropDownArrow(BOOL on);
    BOOL GetDropDownArrow() const;
    // The icon shown at the leading edge (not owned); null for none.
    void SetBarIcon(HICON icon);
    HICON GetBarIcon() const { return m_hIcon; }

    // Texts: for every button whose command lies in [firstId, lastId]; any other type than
    // the five becomes textNone.
    void SetButtonTextFromID(UINT firstId = 0, UINT lastId = 0xFFFF, int textType = textUser);
    int GetTextType() const { return m_textType; }
    void SetDefaultTextColor(COLORREF color);
    COLORREF GetDefaultTextColor() const { return m_defaultTextColor; }
    void SetHotTextColor(COLORREF color);
    COLORREF GetHotTextColor() const { return m_hotTextColor; }
    BOOL SetIndent(int indent);
    int GetIndent() const { return m_indent; }
    BOOL SetMaxTextRows(int rows);
    int GetTextRows() const;
    // Minimum and maximum button width in pixels (-1: not set); kept only when the control
    // takes the pair.
    BOOL SetButtonsMinMaxWidth(int minWidth, int maxWidth);
    int GetMinButtonsWidth() const { return m_minButtonWidth; }
    int GetMaxButtonsWidth() const { return m_maxButtonWidth; }
    // The tip of a button: the command string after its line feed.
    CString GetButtonTooltip(int index) const;

    // Docks bar on leftOf's dock bar just right of (or below) it.
    void DockControlBarLeftOf(CControlBar* bar, CControlBar* leftOf);

    // Images, cached per resource id for the bar's lifetime. LoadBitmap also makes the
    // bitmap the buttons' images.
    BOOL LoadBitmap(UINT resourceId);
    HIMAGELIST LoadImageList(UINT resourceId, int cx, int grow, COLORREF mask,
                             UINT type = IMAGE_BITMAP, UINT flags = LR_DEFAULTCOLOR);
    HIMAGELIST CreateImageList(UINT resourceId, int cx, COLORREF mask, UINT flags = ILC_COLOR24,
                               int initial = 0, int grow = 4);

    // Sizes taken from the control again and, for a shown docked bar, the frame laid out.
    void UpdateSizes();

    // Persistence and customisation (OXCoolToolBar_state.cpp, OXCoolToolBar_customize.cpp).
    virtual BOOL IsCustomizable(BOOL advanced) const;
    void SetCustomizable(BOOL customizable, BOOL advanced);
    // The commands offered by the Customize dialog; the position is also the image index.
    void SetCustomizableButtons(const UINT* ids, int count);
    void SetCustomizationMode(BOOL on, HWND notify);
    BOOL IsInCustomizationMode() const { return m_bCustomizationMode; }
    int GetMarkedButton() const { return m_markedButton; }
    virtual BOOL SaveBarState(const char* sub, const char* name, BOOL withProperties = TRUE);
    virtual BOOL LoadBarState(const char* sub, const char* name, BOOL withProperties = TRUE);
    virtual void ShowCustomizeContextMenu(int index, int x, int y);
    virtual BOOL DeleteButton(int index);

    // Windows in buttons (OXCoolToolBar_windows.cpp). Templates are process-wide: the index of
    // a template registered under its command id, or of the one it changed (-1 on failure).
    static int AddCustomButtonTemplate(const OXCustomTBButtonRecord& record);
    static int GetTemplateIndex(UINT commandId);
    static int GetTemplateIndex(const CWnd* wnd);
    // Forgets every template (tests; the windows stay with their bars).
    static void RemoveAllCustomButtonTemplates();
    // A separator at index (the button count appends) that holds a window of the template.
    BOOL InsertCustomButton(int index, int templateIndex, DWORD style, DWORD exStyle,
                            const char* className, const char* text);
    BOOL InsertComboBox(int index, int templateIndex, DWORD style = CBS_DROPDOWNLIST);
    BOOL InsertEditBox(int index, int templateIndex, const char* text = "",
                       DWORD style = ES_AUTOHSCROLL, DWORD exStyle = WS_EX_CLIENTEDGE);
    BOOL InsertRichEditBox(int index, int templateIndex, DWORD style = ES_AUTOHSCROLL);
    BOOL InsertStatic(int index, int templateIndex, const char* text, DWORD style = SS_LEFT);
    BOOL InsertHotKey(int index, int templateIndex, DWORD style = 0);
    BOOL InsertCheckBox(int index, int templateIndex, const char* text,
                        DWORD style = BS_AUTOCHECKBOX);
    BOOL InsertRadioButton(int index, int templateIndex, const char* text,
                           DWORD style = BS_AUTORADIOBUTTON);
    BOOL InsertProgressBar(int index, int templateIndex, DWORD style = 0);
    BOOL InsertSlider(int index, int templateIndex, DWORD style = TBS_HORZ);
    BOOL InsertDateTimePicker(int index, int templateIndex, DWORD style = 0);
    BOOL InsertIPAddress(int index, int templateIndex, DWORD style = 0);
    BOOL InsertDropDownCombo(int index, int templateIndex, DWORD style = CBS_DROPDOWN);
    // The window a button holds, null for none.
    CWnd* GetCustomButtonWnd(int index) const;
    const OXCustomTBButtonRecord* GetCustomButton(int index) const;
    int GetCustomButtonCount() const { return static_cast<int>(m_customButtons.size()); }
    BOOL MoveButton(int from, int to);
    // Moves the windows of the buttons first to last (-1: the last) into their places.
    void RepositionCustomButtons(int first = 0, int last = -1);

    virtual COXDropSource* GetDropSource() { return &m_dropSource; }
    virtual COXDropTarget* GetDropTarget() { return &m_dropTarget; }

    CSize CalcSize(const TBBUTTON* buttons, int count) const override;
    int WrapToolBar(TBBUTTON* buttons, int count, int width) const override;
    void CalcInsideRect(CRect& rect, BOOL horz) const override;
    void DrawGripper(CDC* dc, const CRect& rect) override;

    FW_MESSAGE_TABLE()

protected:
    CSize CalcLayout(DWORD mode, int length = -1) override;
    int ItemWidth(const TBBUTTON& button, int index) const override;
    int WrapGap(const TBBUTTON& separator) const override;

    // Drawing at the leading edge and extra space for derived bars (none here).
    virtual void DrawIcon(CDC* dc, CRect& rect);
    virtual void DrawMarkFrame(HDC dc, const RECT* rect);
    // Space taken off each side; orientation 2 for a horizontal bar, else 0.
    virtual void GetExtraBorders(CRect& borders, int orientation) const;
    virtual void DrawExtraNonClient(CDC* dc, CRect& rect);
    // The bar went from docked to floating or back, or to another side.
    virtual void OnFloatingDocking(BOOL floating);
    virtual void OnChangeDockSide(DWORD side);
    // Drag and drop over the bar (advanced customisation only); effects in the record.
    virtual void OnDragEnter(OXDropRecord* record);
    virtual void OnDragOver(OXDropRecord* record);
    virtual void OnDragLeave(OXDropRecord* record);
    virtual void OnDrop(OXDropRecord* record);

    // Messages.
    void OnDestroy();
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnSettingChange(UINT flags, const char* section);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    BOOL OnCustomDraw(NMHDR* header, LRESULT* result);
    // Customisation and bookkeeping (OXCoolToolBar_customize.cpp).
    void OnLButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    LRESULT OnInsertButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnMoveButton(WPARAM wParam, LPARAM lParam);
    BOOL OnGetButtonInfo(NMHDR* header, LRESULT* result);
    BOOL OnQueryInsertOrDelete(NMHDR* header, LRESULT* result);
    BOOL OnEndDrag(NMHDR* header, LRESULT* result);
    BOOL OnBeginDrag(NMHDR* header, LRESULT* result);
    BOOL OnToolbarChange(NMHDR* header, LRESULT* result);
    BOOL OnRestoreButton(NMHDR* header, LRESULT* result);
    LRESULT OnDragEnterMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragOverMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragLeaveMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropMessage(WPARAM wParam, LPARAM lParam);

    // The frame that gets the bar's notices and lays it out.
    CFrameWnd* GetNotifyFrame() const;
    CString MenuTextOf(UINT id) const;
    // The text of a button by the text type; textUser gives the current one.
    CString TextFor(int index, UINT id, int textType) const;
    BOOL HasButtonText(int index) const;
    void MeasureDropDownArrow();
    // Moves the marked and second indexes with an insertion (+1), deletion (-1) at index.
    void ShiftMarks(int index, int delta);
    void SetMarkedButton(int index);
    // The context menu of a button, its items enabled as they apply (the caller destroys
    // it), and one of its commands run after the notice to the frame.
    HMENU BuildCustomizeMenu(int index) const;
    void DoCustomizeCommand(UINT command, int index);

    // Persistence steps (OXCoolToolBar_state.cpp).
    struct ButtonRecord
    {
        int32_t id;
        int32_t image;
        BYTE style;
        int32_t hasText;
        CString text;
    };
    void StoreButtons(CArchive& archive) const;
    void SaveProperties(const CString& section);
    // TRUE when the buttons must be sized again.
    BOOL LoadProperties(const CString& section);
    void LoadTemplates(const char* sub);
    BOOL LoadButtons(const char* sub, const char* name);
    static bool ParseButtons(CArchive& archive, UINT length, std::vector<ButtonRecord>& records);
    void ApplyButtons(const std::vector<ButtonRecord>& records);
    BOOL RestoreControlState(HKEY root, const char* sub, const char* name);
    // The buttons before the control's restore, which fill the buttons it restores.
    std::vector<TBBUTTON> m_restoreSnapshot;
    void ResizeButtons();

    // A button's window record; copy owns the template a second bar's window came from.
    struct CustomButton
    {
        OXCustomTBButtonRecord record;
        std::unique_ptr<COXCustomTBTemplate> copy;
    };
    // The placement bit of the bar's state (0x4 floating, 0x2 horizontal, 0x1 vertical).
    DWORD CurrentPlacement(BOOL horizontal) const;
    // Buttons whose window is shown here become separators as wide as it, the others plain
    // buttons with the record's image.
    void ApplyPlacements(DWORD placement);
    BOOL AttachWindow(int index, const OXCustomTBButtonRecord& record, DWORD style, DWORD exStyle,
                      const char* className, const char* text);
    void ShiftCustomButtons(int index, int delta);
    void SavePositions(CArchive& archive) const;
    // Each saved (index, control id), refused when cut short, oversized or naming a template
    // that is not registered.
    static bool ParsePositions(CArchive& archive, UINT length,
                               std::vector<std::pair<int32_t, int32_t>>& positions);
    // Deletes the buttons that hold windows; their records come back by control id.
    std::map<UINT, CustomButton> TakeWindowsOut();
    void PlaceWindows(const std::vector<std::pair<int32_t, int32_t>>& positions,
                      std::map<UINT, CustomButton>& kept);
    static void SaveTemplates(CArchive& archive);
    static bool ParseTemplates(CArchive& archive, UINT length);

    // Process-wide: only the first bar saved or loaded writes or reads the templates.
    static BOOL m_bTemplatesSaved;
    static BOOL m_bTemplatesLoaded;

    // Pending work for the next idle pass while the bar is shown.
    enum PendingWork : BYTE
    {
        pendingSizes = 0x1,
        pendingWindows = 0x2
    };

    int m_textType = textUser;
    BOOL m_bCool = FALSE;
    BOOL m_bGripper = TRUE;
    BOOL m_bSeparator = TRUE;
    BOOL m_bDropDownArrow = FALSE;
    int m_indent = 0;
    int m_minButtonWidth = -1;
    int m_maxButtonWidth = -1;
    COLORREF m_defaultTextColor;
    COLORREF m_hotTextColor;
    int m_lastFloating = 3;        // neither FALSE nor TRUE: the first change is reported
    DWORD m_lastDockSide = 0xFFFF; // CBRS_ALIGN_* bits; no side yet
    HICON m_hIcon = nullptr;       // not owned
    CRect m_rectIcon;              // window coordinates; empty until drawn
    int m_markedButton = -1;       // selected while customising
    int m_secondButton = -1;       // moves in step with the marked one
    BOOL m_bAdvancedCustomizable = FALSE;
    BOOL m_bCustomizationMode = FALSE;
    HWND m_hWndCustomizeNotify = nullptr;
    COXDropSource m_dropSource;
    COXDropTarget m_dropTarget;
    int m_dropDownArrowWidth = 0;
    std::map<UINT, HBITMAP> m_bitmaps;           // owned
    std::map<UINT, HIMAGELIST> m_imageLists;     // owned
    std::map<UINT, CString> m_savedTexts;        // command id -> text while image-only
    std::vector<UINT> m_customizableIds;         // the Customize dialog's buttons
    std::map<int, CustomButton> m_customButtons; // button index -> its window
    BYTE m_pending = 0;
    BOOL m_bRestoring = FALSE;     // buttons deleted and inserted in bulk: no resizing
    BOOL m_bLayoutRequest = FALSE; // asking the frame to lay out
    BOOL m_bDragOver = FALSE;
    BOOL m_bDragStartedHere = FALSE;
};
