// CToolBar: the common-controls toolbar window as a control bar. Buttons come from a toolbar
// resource (commands, button size) and a bitmap of the same id; a separator's image value is
// its width, so a separator can make room for a window such as a combo box. At idle each
// button takes its state from the owner frame's update handlers, and a state is sent to the
// control only when it changes. Tooltips show the text after "\n" of a command's string; with
// CBRS_FLYBY the status bar shows the text before it while the mouse is over a button.
// NM_CUSTOMDRAW from the control is reflected to the toolbar's own table first.
#pragma once

#include "platform/bars/ctlbar.h"
#include "platform/win/platform_ids.h"

#include <commctrl.h>
#include <vector>

// Button styles for the framework's button calls: the control's style in the low byte and
// its state in the high word, with enabled turned into disabled.
constexpr UINT TBBS_BUTTON = TBSTYLE_BUTTON;
constexpr UINT TBBS_SEPARATOR = TBSTYLE_SEP;
constexpr UINT TBBS_CHECKBOX = TBSTYLE_CHECK;
constexpr UINT TBBS_GROUP = TBSTYLE_GROUP;
constexpr UINT TBBS_CHECKGROUP = TBSTYLE_CHECKGROUP;
constexpr UINT TBBS_DROPDOWN = TBSTYLE_DROPDOWN;
constexpr UINT TBBS_AUTOSIZE = TBSTYLE_AUTOSIZE;
constexpr UINT TBBS_NOPREFIX = TBSTYLE_NOPREFIX;
constexpr UINT TBBS_CHECKED = TBSTATE_CHECKED << 16;
constexpr UINT TBBS_PRESSED = TBSTATE_PRESSED << 16;
constexpr UINT TBBS_DISABLED = TBSTATE_ENABLED << 16;
constexpr UINT TBBS_INDETERMINATE = TBSTATE_INDETERMINATE << 16;
constexpr UINT TBBS_HIDDEN = TBSTATE_HIDDEN << 16;
constexpr UINT TBBS_WRAPPED = TBSTATE_WRAP << 16;

class CToolBar : public CControlBar
{
    FW_CLASS(CToolBar, CControlBar)

public:
    CToolBar();
    ~CToolBar() override;

    // A toolbar child of parent (usually its frame, which becomes its owner). style holds
    // window and CBRS_* bits; ctrlStyle the control's TBSTYLE_* bits; borders the border
    // space inside the bar.
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT id = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  const RECT& borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);

    // Buttons and images.
    BOOL LoadToolBar(UINT resourceId);
    // The images of resource bitmap id, cut at the image size.
    BOOL LoadBitmap(UINT resourceId);
    // The images of bitmap (the caller keeps it); light grey (192, 192, 192) is transparent.
    BOOL SetBitmap(HBITMAP bitmap);
    // One button per id, images in order; ID_SEPARATOR makes a separator.
    BOOL SetButtons(const UINT* ids, int count);
    void SetSizes(SIZE buttonSize, SIZE imageSize);

    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    // The button's rectangle in the toolbar's client coordinates.
    void GetItemRect(int index, LPRECT rect) const;
    UINT GetButtonStyle(int index) const;
    void SetButtonStyle(int index, UINT style);
    void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
    // For a separator, image is its width in pixels.
    void SetButtonInfo(int index, UINT id, UINT style, int image);
    BOOL SetButtonText(int index, const char* text);
    CString GetButtonText(int index) const;
    int GetCount() const override;

    // The control's own saved layout (TB_SAVERESTORE) under root\subKey, value valueName.
    BOOL SaveState(HKEY root, const char* subKey, const char* valueName);
    BOOL RestoreState(HKEY root, const char* subKey, const char* valueName);

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    FW_MESSAGE_TABLE()

protected:
    // Lays the buttons out for mode (LM_*) and length; LM_COMMIT writes the rows back.
    virtual CSize CalcLayout(DWORD mode, int length = -1);
    // The size of the buttons laid out by their wrap flags, borders excluded.
    virtual CSize CalcSize(const TBBUTTON* buttons, int count) const;
    // Sets the wrap flags for rows no wider than width; returns the number of rows.
    virtual int WrapToolBar(TBBUTTON* buttons, int count, int width) const;
    // Wraps to length: the narrowest wrap with as many rows as length gives (a width), or
    // the first whose height fits (vertical, length a height).
    virtual void SizeToolBar(TBBUTTON* buttons, int count, int length, BOOL vertical = FALSE) const;
    // Length of button index along its row, and the space a separator that ends a row
    // leaves before the next one; for bars whose buttons the control sizes otherwise.
    virtual int ItemWidth(const TBBUTTON& button, int index) const;
    virtual int WrapGap(const TBBUTTON& separator) const;

    BOOL GetButton(int index, TBBUTTON* button) const;
    // Replaces a button (the control takes no other way to change a style).
    void SetButton(int index, const TBBUTTON& button);
    std::vector<TBBUTTON> GetButtons() const;
    void InvalidateLayout();

    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    BOOL OnHotItemChange(NMHDR* header, LRESULT* result);

    // The button under a client point, -1 over no button (separators count as none).
    int HitButton(CPoint point) const;

    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    HIMAGELIST m_hImageList = nullptr; // owned
};
