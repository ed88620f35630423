// CToolBar: creation, buttons and images, command UI, mouse and flyby prompts.
#include "platform/bars/toolbar.h"

#include "platform/ctrl/stdctrl.h"
#include "platform/docview/frame.h"
#include "platform/win/resource.h"

FW_TABLE(CToolBar, CControlBar, fw::on<WM_LBUTTONDOWN, &CToolBar::OnLButtonDown>(),
         fw::on<WM_LBUTTONDBLCLK, &CToolBar::OnLButtonDblClk>(),
         fw::on<WM_ERASEBKGND, &CToolBar::OnEraseBkgnd>(), fw::on<WM_PAINT, &CToolBar::OnPaint>(),
         fw::reflect_notify_ex<static_cast<int>(TBN_HOTITEMCHANGE), &CToolBar::OnHotItemChange>())

namespace
{
// The colour of a toolbar bitmap that shows the button face.
constexpr COLORREF kTransparentGrey = RGB(192, 192, 192);

// Command UI of one button: a state goes to the control only when it changes.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        const BYTE state = State();
        SetState(on ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED), state);
    }

    void SetCheck(int check) override
    {
        const BYTE state = State();
        BYTE wanted = state & ~(TBSTATE_CHECKED | TBSTATE_INDETERMINATE);
        if (check == 1)
            wanted |= TBSTATE_CHECKED;
        else if (check == 2)
            wanted |= TBSTATE_INDETERMINATE;
        SetState(wanted, state);
    }

    void SetText(const char*) override {}

private:
    BYTE State() const
    {
        TBBUTTON button = {};
        ::SendMessageA(m_pOther->m_hWnd, TB_GETBUTTON, m_nIndex, reinterpret_cast<LPARAM>(&button));
        return button.fsState;
    }

    void SetState(BYTE wanted, BYTE current) const
    {
        if (wanted != current)
            ::SendMessageA(m_pOther->m_hWnd, TB_SETSTATE, m_nID, MAKELPARAM(wanted, 0));
    }
};

UINT StyleOf(const TBBUTTON& button)
{
    return button.fsStyle | (static_cast<UINT>(button.fsState ^ TBSTATE_ENABLED) << 16);
}

void ApplyStyle(TBBUTTON& button, UINT style)
{
    button.fsStyle = static_cast<BYTE>(LOBYTE(LOWORD(style)));
    button.fsState = static_cast<BYTE>(LOBYTE(HIWORD(style)) ^ TBSTATE_ENABLED);
}

} // namespace

CToolBar::CToolBar()
{
    SetBorders(1, 1, 1, 1);
}

CToolBar::~CToolBar()
{
    // The control must let go of the image list before it goes.
    if (m_hWnd)
        DestroyWindow();
    if (m_hImageList)
        ::ImageList_Destroy(m_hImageList);
}

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id)
{
    return CreateEx(parent, 0, style, GetBorders(), id);
}

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, const RECT& borders, UINT id)
{
    fw::InitCommonControls();
    SetBorders(&borders);
    m_dwStyle = style & CBRS_ALL;
    if (m_dwStyle & CBRS_TOOLTIPS)
        ctrlStyle |= TBSTYLE_TOOLTIPS;
    // The bar, not the control, decides its size and place.
    const DWORD windowStyle = (style & ~CBRS_ALL) | ctrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                              CCS_NORESIZE | CCS_NODIVIDER;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetOwner(parent);
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetSizes(SIZE buttonSize, SIZE imageSize)
{
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize.cx, imageSize.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonSize.cx, buttonSize.cy));
    m_sizeImage = imageSize;
    // The control may enlarge buttons to fit its images: keep what it took.
    const LRESULT taken = SendMessage(TB_GETBUTTONSIZE);
    m_sizeButton = CSize(LOWORD(taken), HIWORD(taken));
    InvalidateLayout();
}

BOOL CToolBar::LoadToolBar(UINT resourceId)
{
    fw::ToolBarResource resource;
    if (!fw::LoadToolBarResource(resourceId, resource))
        return FALSE;
    // Buttons are 7 pixels larger than their images, as drawn by the control.
    SetSizes(CSize(resource.width + 7, resource.height + 7),
             CSize(resource.width, resource.height));
    if (!SetButtons(resource.items.data(), static_cast<int>(resource.items.size())))
        return FALSE;
    return LoadBitmap(resourceId);
}

BOOL CToolBar::LoadBitmap(UINT resourceId)
{
    const HBITMAP bitmap = fw::LoadResourceBitmap(resourceId);
    if (!bitmap)
        return FALSE;
    const BOOL done = SetBitmap(bitmap);
    ::DeleteObject(bitmap);
    return done;
}

BOOL CToolBar::SetBitmap(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info) || m_sizeImage.cx <= 0)
        return FALSE;
    // Masking marks the source's transparent pixels: work on a copy.
    const HBITMAP copy =
        static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!copy)
        return FALSE;
    const int count = info.bmWidth / m_sizeImage.cx;
    const HIMAGELIST list = ::ImageList_Create(m_sizeImage.cx, m_sizeImage.cy,
                                               ILC_COLOR24 | ILC_MASK, count > 0 ? count : 1, 4);
    const bool added = list && ::ImageList_AddMasked(list, copy, kTransparentGrey) >= 0;
    ::DeleteObject(copy);
    if (!added)
    {
        if (list)
            ::ImageList_Destroy(list);
        return FALSE;
    }
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    if (m_hImageList)
        ::ImageList_Destroy(m_hImageList);
    m_hImageList = list;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* ids, int count)
{
    while (SendMessage(TB_DELETEBUTTON, 0))
    {
    }
    std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
    int image = 0;
    for (int i = 0; i < count; ++i)
    {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.iString = -1;
        if (!ids || ids[i] == ID_SEPARATOR)
        {
            button.fsStyle = TBSTYLE_SEP;
            continue;
        }
        button.idCommand = static_cast<int>(ids[i]);
        button.iBitmap = image++;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = TBSTYLE_BUTTON;
    }
    const BOOL added = count == 0 || SendMessage(TB_ADDBUTTONS, static_cast<WPARAM>(count),
                                                 reinterpret_cast<LPARAM>(buttons.data()));
    InvalidateLayout();
    return added;
}

int CToolBar::GetCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

BOOL CToolBar::GetButton(int index, TBBUTTON* button) const
{
    *button = TBBUTTON{};
    return static_cast<BOOL>(
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(button)));
}

std::vector<TBBUTTON> CToolBar::GetButtons() const
{
    std::vector<TBBUTTON> buttons(static_cast<size_t>(GetCount()));
    for (size_t i = 0; i < buttons.size(); ++i)
        GetButton(static_cast<int>(i), &buttons[i]);
    return buttons;
}

void CToolBar::SetButton(int index, const TBBUTTON& button)
{
    TBBUTTON current;
    if (!GetButton(index, &current))
        return;
    if (current.idCommand == button.idCommand && current.iBitmap == button.iBitmap &&
        current.fsStyle == button.fsStyle && current.fsState == button.fsState &&
        current.iString == button.iString && current.dwData == button.dwData)
        return;
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
    SendMessage(TB_INSERTBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    InvalidateLayout();
}

int CToolBar::CommandToIndex(UINT id) const
{
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id));
}

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON button;
    GetButton(index, &button);
    return static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int index, LPRECT rect) const
{
    *rect = RECT{};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

UINT CToolBar::GetButtonStyle(int index) const
{
    TBBUTTON button;
    return GetButton(index, &button) ? StyleOf(button) : 0;
}

void CToolBar::SetButtonStyle(int index, UINT style)
{
    TBBUTTON button;
    if (!GetButton(index, &button))
        return;
    ApplyStyle(button, style);
    SetButton(index, button);
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const
{
    TBBUTTON button;
    GetButton(index, &button);
    id = static_cast<UINT>(button.idCommand);
    style = StyleOf(button);
    image = button.iBitmap;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image)
{
    TBBUTTON button;
    if (!GetButton(index, &button))
        return;
    button.idCommand = static_cast<int>(id);
    button.iBitmap = image;
    ApplyStyle(button, style);
    SetButton(index, button);
}

BOOL CToolBar::SetButtonText(int index, const char* text)
{
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = const_cast<char*>(text ? text : "");
    const BOOL done = static_cast<BOOL>(SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index),
                                                    reinterpret_cast<LPARAM>(&info)));
    InvalidateLayout();
    return done;
}

CString CToolBar::GetButtonText(int index) const
{
    char text[256] = {};
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = text;
    info.cchText = static_cast<int>(sizeof text);
    SendMessage(TB_GETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    return CString(text);
}

BOOL CToolBar::SaveState(HKEY root, const char* subKey, const char* valueName)
{
    TBSAVEPARAMSA params = {root, subKey, valueName};
    return static_cast<BOOL>(SendMessage(TB_SAVERESTOREA, TRUE, reinterpret_cast<LPARAM>(&params)));
}

BOOL CToolBar::RestoreState(HKEY root, const char* subKey, const char* valueName)
{
    TBSAVEPARAMSA params = {root, subKey, valueName};
    const BOOL done =
        static_cast<BOOL>(SendMessage(TB_SAVERESTOREA, FALSE, reinterpret_cast<LPARAM>(&params)));
    InvalidateLayout();
    return done;
}

void CToolBar::InvalidateLayout()
{
    if (!m_hWnd)
        return;
    if (CFrameWnd* frame = GetParentFrame())
        frame->DelayRecalcLayout();
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        TBBUTTON button;
        if (!GetButton(static_cast<int>(state.m_nIndex), &button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nID = static_cast<UINT>(button.idCommand);
        // The toolbar's own handlers come before the target's.
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(target, disableIfNoHandler);
    }
    // Windows in the toolbar (a combo box over a separator) by their ids.
    UpdateDialogControls(target, disableIfNoHandler);
}

int CToolBar::HitButton(CPoint point) const
{
    POINT where = point;
    const int hit = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&where)));
    TBBUTTON button;
    if (hit < 0 || !GetButton(hit, &button) || (button.fsStyle & TBSTYLE_SEP))
        return -1;
    return hit;
}

void CToolBar::OnLButtonDown(UINT flags, CPoint point)
{
    // A button takes its own press; anywhere else the bar is dragged.
    if (HitButton(point) >= 0 || !StartDragAt(point))
        CWnd::OnLButtonDown(flags, point);
}

void CToolBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (HitButton(point) >= 0 || !ToggleDockingNow())
        CWnd::OnLButtonDblClk(flags, point);
}

BOOL CToolBar::OnEraseBkgnd(CDC* dc)
{
    return CWnd::OnEraseBkgnd(dc);
}

void CToolBar::OnPaint()
{
    Default();
}

BOOL CToolBar::OnHotItemChange(NMHDR* header, LRESULT*)
{
    if (!(m_dwStyle & CBRS_FLYBY))
        return FALSE;
    // The status bar shows the prompt of the button under the mouse.
    const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(header);
    if (CFrameWnd* frame = GetCommandTarget())
    {
        const UINT prompt =
            (hot->dwFlags & HICF_LEAVING) ? AFX_IDS_IDLEMESSAGE : static_cast<UINT>(hot->idNew);
        frame->SendMessage(WM_SETMESSAGESTRING, prompt);
    }
    return FALSE; // the parent may want it too
}
