// Windows in COXCoolToolBar buttons: the process's templates, separators that hold windows,
// their places after every layout, insertion, deletion and move, and what of them the bar's
// saved state keeps. Saved blobs are parsed whole, bounded by their length, before use.
#include "platform/base/archive.h"
#include "platform/docview/frame.h"
#include "platform/win/app.h"
#include "widgets/bars/OXCoolToolBar.h"

#include <algorithm>

namespace
{
// The process's templates: the index of a template is its place in the id list.
std::vector<UINT>& TemplateIds()
{
    static std::vector<UINT> ids;
    return ids;
}

std::map<UINT, OXCustomTBButtonRecord>& Templates()
{
    static std::map<UINT, OXCustomTBButtonRecord> templates;
    return templates;
}

const OXCustomTBButtonRecord* TemplateAt(int templateIndex)
{
    const std::vector<UINT>& ids = TemplateIds();
    if (templateIndex < 0 || templateIndex >= static_cast<int>(ids.size()))
        return nullptr;
    const auto found = Templates().find(ids[static_cast<size_t>(templateIndex)]);
    return found == Templates().end() ? nullptr : &found->second;
}

// The windows sit 2 pixels inside their separators on each side.
constexpr int kWindowInset = 2;
// Smallest saved entries: a template (id, two sizes, placement, image) and a position.
constexpr UINT kTemplateEntryBytes = 20;
constexpr UINT kPositionEntryBytes = 8;
} // namespace

COXCustomTBWndTemplate::COXCustomTBWndTemplate(const char* className, CSize size)
    : m_className(className)
    , m_size(size)
{
}

COXCustomTBWndTemplate::~COXCustomTBWndTemplate()
{
    if (m_wnd.GetSafeHwnd())
        m_wnd.DestroyWindow();
}

BOOL COXCustomTBWndTemplate::Create(UINT id, COXCoolToolBar* bar, DWORD style, DWORD exStyle,
                                    const char* className, const char* text)
{
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return FALSE;
    if (className && *className)
        m_className = className;
    if (text)
        m_text = text;
    m_id = id;
    m_style = style | WS_CHILD;
    m_exStyle = exStyle;
    if (m_wnd.GetSafeHwnd())
        m_wnd.DestroyWindow();
    const HWND hwnd = ::CreateWindowExA(
        m_exStyle, m_className, m_text, m_style, 0, 0, m_size.cx, m_size.cy, bar->GetSafeHwnd(),
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
    if (!hwnd || !m_wnd.SubclassWindow(hwnd))
        return FALSE;
    m_wnd.SendMessage(WM_SETFONT, static_cast<WPARAM>(bar->SendMessage(WM_GETFONT)));
    return TRUE;
}

COXCustomTBTemplate* COXCustomTBWndTemplate::CreateCopy(COXCoolToolBar* bar)
{
    auto copy = std::make_unique<COXCustomTBWndTemplate>(m_className, m_size);
    if (!copy->Create(m_id, bar, m_style, m_exStyle, m_className, m_text))
        return nullptr;
    return copy.release();
}

int COXCoolToolBar::AddCustomButtonTemplate(const OXCustomTBButtonRecord& record)
{
    if (record.tmpl == nullptr)
        return -1;
    std::vector<UINT>& ids = TemplateIds();
    const auto found = std::find(ids.begin(), ids.end(), record.id);
    if (found == ids.end())
    {
        ids.push_back(record.id);
        Templates()[record.id] = record;
        return static_cast<int>(ids.size()) - 1;
    }
    Templates()[record.id] = record;
    // Every bar of the main frame that shows the template takes its new values.
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (frame)
    {
        POSITION position = frame->m_listControlBars.GetHeadPosition();
        while (position)
        {
            auto* bar = dynamic_cast<COXCoolToolBar*>(
                static_cast<CControlBar*>(frame->m_listControlBars.GetNext(position)));
            if (!bar || !bar->GetSafeHwnd())
                continue;
            bool shows = false;
            for (auto& [index, button] : bar->m_customButtons)
            {
                if (button.record.id != record.id)
                    continue;
                button.record.size1 = record.size1;
                button.record.size2 = record.size2;
                button.record.placement = record.placement;
                button.record.image = record.image;
                shows = true;
            }
            if (shows)
            {
                bar->UpdateSizes();
                bar->RepositionCustomButtons();
            }
        }
    }
    return static_cast<int>(found - ids.begin());
}

int COXCoolToolBar::GetTemplateIndex(UINT commandId)
{
    const std::vector<UINT>& ids = TemplateIds();
    const auto found = std::find(ids.begin(), ids.end(), commandId);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

int COXCoolToolBar::GetTemplateIndex(const CWnd* wnd)
{
    return wnd && wnd->GetSafeHwnd() ? GetTemplateIndex(static_cast<UINT>(wnd->GetDlgCtrlID()))
                                     : -1;
}

void COXCoolToolBar::RemoveAllCustomButtonTemplates()
{
    TemplateIds().clear();
    Templates().clear();
}

BOOL COXCoolToolBar::InsertCustomButton(int index, int templateIndex, DWORD style, DWORD exStyle,
                                        const char* className, const char* text)
{
    const OXCustomTBButtonRecord* registered = TemplateAt(templateIndex);
    if (!m_hWnd || index < 0 || index > GetCount() || registered == nullptr)
        return FALSE;
    TBBUTTON placeholder = {};
    placeholder.iBitmap = -1;
    placeholder.fsStyle = TBSTYLE_SEP;
    placeholder.iString = -1;
    const BOOL wasRestoring = m_bRestoring;
    m_bRestoring = TRUE;
    const BOOL inserted = static_cast<BOOL>(SendMessage(
        TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&placeholder)));
    m_bRestoring = wasRestoring;
    if (!inserted)
        return FALSE;
    if (!AttachWindow(index, *registered, style, exStyle, className, text))
    {
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
        return FALSE;
    }
    ApplyPlacements(CurrentPlacement((m_dwStyle & CBRS_ORIENT_HORZ) != 0));
    UpdateSizes();
    RepositionCustomButtons();
    return TRUE;
}

// The template's own window when it has none yet, else a copy for this bar.
BOOL COXCoolToolBar::AttachWindow(int index, const OXCustomTBButtonRecord& registered, DWORD style,
                                  DWORD exStyle, const char* className, const char* text)
{
    CustomButton button;
    button.record = registered;
    CWnd* own = registered.tmpl->GetWindow();
    if (own && own->GetSafeHwnd())
    {
        button.copy.reset(registered.tmpl->CreateCopy(this));
        if (!button.copy)
            return FALSE;
        button.record.tmpl = button.copy.get();
    }
    else if (!registered.tmpl->Create(registered.id, this, style, exStyle, className, text))
    {
        return FALSE;
    }
    button.record.tmpl->SetCustomizationMode(m_bCustomizationMode);
    m_customButtons[index] = std::move(button);
    return TRUE;
}

BOOL COXCoolToolBar::InsertComboBox(int index, int templateIndex, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0,
                              "ComboBox", "");
}

BOOL COXCoolToolBar::InsertEditBox(int index, int templateIndex, const char* text, DWORD style,
                                   DWORD exStyle)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, exStyle, "Edit",
                              text);
}

BOOL COXCoolToolBar::InsertRichEditBox(int index, int templateIndex, DWORD style)
{
    ::LoadLibraryA("riched32.dll"); // registers the class
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE,
                              "RICHEDIT", "");
}

BOOL COXCoolToolBar::InsertStatic(int index, int templateIndex, const char* text, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0, "Static",
                              text);
}

BOOL COXCoolToolBar::InsertHotKey(int index, int templateIndex, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0, HOTKEY_CLASSA,
                              "");
}

BOOL COXCoolToolBar::InsertCheckBox(int index, int templateIndex, const char* text, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0, "Button",
                              text);
}

BOOL COXCoolToolBar::InsertRadioButton(int index, int templateIndex, const char* text, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0, "Button",
                              text);
}

BOOL COXCoolToolBar::InsertProgressBar(int index, int templateIndex, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0,
                              PROGRESS_CLASSA, "");
}

BOOL COXCoolToolBar::InsertSlider(int index, int templateIndex, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0,
                              TRACKBAR_CLASSA, "");
}

BOOL COXCoolToolBar::InsertDateTimePicker(int index, int templateIndex, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0,
                              DATETIMEPICK_CLASSA, "");
}

BOOL COXCoolToolBar::InsertIPAddress(int index, int templateIndex, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE, 0, WC_IPADDRESSA,
                              "");
}

BOOL COXCoolToolBar::InsertDropDownCombo(int index, int templateIndex, DWORD style)
{
    return InsertCustomButton(index, templateIndex, style | WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0,
                              "ComboBox", "");
}

CWnd* COXCoolToolBar::GetCustomButtonWnd(int index) const
{
    const auto found = m_customButtons.find(index);
    if (found == m_customButtons.end() || !found->second.record.tmpl)
        return nullptr;
    CWnd* wnd = found->second.record.tmpl->GetWindow();
    return wnd && wnd->GetSafeHwnd() ? wnd : nullptr;
}

const OXCustomTBButtonRecord* COXCoolToolBar::GetCustomButton(int index) const
{
    const auto found = m_customButtons.find(index);
    return found == m_customButtons.end() ? nullptr : &found->second.record;
}

BOOL COXCoolToolBar::MoveButton(int from, int to)
{
    const bool holdsWindow = m_customButtons.count(from) != 0;
    const BOOL moved = static_cast<BOOL>(
        SendMessage(TB_MOVEBUTTON, static_cast<WPARAM>(from), static_cast<LPARAM>(to)));
    if (moved && holdsWindow)
        UpdateSizes();
    if (moved)
        RepositionCustomButtons();
    return moved;
}

void COXCoolToolBar::ShiftCustomButtons(int index, int delta)
{
    std::map<int, CustomButton> shifted;
    for (auto& [at, button] : m_customButtons)
    {
        if (at < index)
            shifted[at] = std::move(button);
        else if (delta > 0)
            shifted[at + 1] = std::move(button);
        else if (at > index)
            shifted[at - 1] = std::move(button);
        // the deleted button's record goes with it
    }
    m_customButtons = std::move(shifted);
}

DWORD COXCoolToolBar::CurrentPlacement(BOOL horizontal) const
{
    if (IsFloating())
        return 0x4;
    return horizontal ? 0x2 : 0x1;
}

void COXCoolToolBar::ApplyPlacements(DWORD placement)
{
    for (const auto& [index, button] : m_customButtons)
    {
        CWnd* wnd = button.record.tmpl ? button.record.tmpl->GetWindow() : nullptr;
        if (!wnd || !wnd->GetSafeHwnd() || index >= GetCount())
            continue;
        TBBUTTON current = {};
        GetButton(index, &current);
        const bool shown = (button.record.placement & placement) != 0;
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_COMMAND | TBIF_IMAGE | TBIF_SIZE;
        if (shown)
        {
            CRect window;
            wnd->GetWindowRect(&window);
            info.fsStyle = TBSTYLE_SEP;
            info.idCommand = 0;
            info.iImage = -1;
            info.cx = static_cast<WORD>(window.Width() + 2 * kWindowInset);
            if ((current.fsStyle & TBSTYLE_SEP) && current.iBitmap == info.cx)
                continue;
        }
        else
        {
            // An ordinary button of the window's command with the record's image.
            info.fsStyle = TBSTYLE_BUTTON;
            info.idCommand = static_cast<int>(button.record.id);
            info.iImage = button.record.image;
            info.cx = 0;
            info.dwMask &= ~TBIF_SIZE;
            if (!(current.fsStyle & TBSTYLE_SEP))
                continue;
        }
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    }
}

void COXCoolToolBar::RepositionCustomButtons(int first, int last)
{
    if (!m_hWnd)
        return;
    if (last < 0)
        last = GetCount() - 1;
    const DWORD placement = CurrentPlacement((m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    for (const auto& [index, button] : m_customButtons)
    {
        if (index < first || index > last)
            continue;
        CWnd* wnd = button.record.tmpl ? button.record.tmpl->GetWindow() : nullptr;
        if (!wnd || !wnd->GetSafeHwnd())
            continue;
        if (!(button.record.placement & placement))
        {
            wnd->ShowWindow(SW_HIDE);
            continue;
        }
        CRect item;
        GetItemRect(index, &item);
        CRect window;
        wnd->GetWindowRect(&window);
        const int y = item.top + std::max(0, (item.Height() - window.Height()) / 2);
        wnd->SetWindowPos(nullptr, item.left + kWindowInset, y, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

CSize COXCoolToolBar::CalcLayout(DWORD mode, int length)
{
    if (!m_customButtons.empty())
        ApplyPlacements(CurrentPlacement((mode & LM_HORZ) != 0));
    const CSize size = CToolBar::CalcLayout(mode, length);
    if ((mode & LM_COMMIT) && !m_customButtons.empty())
    {
        // The wrap states just written move the buttons: the windows follow now, and again
        // once the bar has its new size.
        RepositionCustomButtons();
        m_pending |= pendingWindows;
    }
    return size;
}

// A drag of the marked button that holds a window is the window's record's to handle.
BOOL COXCoolToolBar::OnBeginDrag(NMHDR*, LRESULT* result)
{
    *result = 0;
    const auto found = m_customButtons.find(m_markedButton);
    if (!m_bCustomizationMode || found == m_customButtons.end() || !found->second.record.tmpl)
        return FALSE;
    found->second.record.tmpl->OnBeginDrag(this, m_markedButton);
    return TRUE;
}

void COXCoolToolBar::SavePositions(CArchive& archive) const
{
    archive << static_cast<int32_t>(m_customButtons.size());
    for (const auto& [index, button] : m_customButtons)
        archive << int32_t{index} << static_cast<int32_t>(button.record.id);
}

bool COXCoolToolBar::ParsePositions(CArchive& archive, UINT length,
                                    std::vector<std::pair<int32_t, int32_t>>& positions)
{
    int32_t count = 0;
    archive >> count;
    if (count < 0 || static_cast<uint64_t>(count) * kPositionEntryBytes + 4 > length)
        return false;
    for (int32_t i = 0; i < count; ++i)
    {
        int32_t index = 0;
        int32_t id = 0;
        archive >> index >> id;
        if (index < 0 || GetTemplateIndex(static_cast<UINT>(id)) < 0)
            return false;
        positions.emplace_back(index, id);
    }
    std::sort(positions.begin(), positions.end());
    return true;
}

std::map<UINT, COXCoolToolBar::CustomButton> COXCoolToolBar::TakeWindowsOut()
{
    std::map<UINT, CustomButton> kept;
    while (!m_customButtons.empty())
    {
        const auto last = std::prev(m_customButtons.end());
        const int index = last->first;
        CustomButton button = std::move(last->second);
        if (button.record.tmpl && !button.record.tmpl->IsWindowReused())
            button.record.tmpl = nullptr;
        kept[button.record.id] = std::move(button);
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
        m_customButtons.erase(index);
    }
    return kept;
}

// The restored layout normally holds the windows' separators at their saved places; where it
// does not (the control kept the buttons it had), a separator is put in.
void COXCoolToolBar::PlaceWindows(const std::vector<std::pair<int32_t, int32_t>>& positions,
                                  std::map<UINT, CustomButton>& kept)
{
    for (const auto& [savedIndex, id] : positions)
    {
        const int index = std::min(static_cast<int>(savedIndex), GetCount());
        TBBUTTON there = {};
        const bool separatorThere = index < GetCount() && GetButton(index, &there) &&
                                    (there.fsStyle & TBSTYLE_SEP) && there.idCommand == 0;
        const auto found = kept.find(static_cast<UINT>(id));
        CWnd* wnd = found != kept.end() && found->second.record.tmpl
                        ? found->second.record.tmpl->GetWindow()
                        : nullptr;
        if (!separatorThere)
        {
            TBBUTTON placeholder = {};
            placeholder.iBitmap = -1;
            placeholder.fsStyle = TBSTYLE_SEP;
            placeholder.iString = -1;
            SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&placeholder));
        }
        if (wnd && wnd->GetSafeHwnd())
        {
            m_customButtons[index] = std::move(found->second);
            kept.erase(found);
            continue;
        }
        if (found != kept.end())
            kept.erase(found); // its window is gone: the template makes one again
        if (!AttachWindow(index, *TemplateAt(GetTemplateIndex(static_cast<UINT>(id))),
                          WS_CHILD | WS_VISIBLE, 0, nullptr, ""))
        {
            SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
        }
    }
    // Windows the saved state has no place for go.
    for (auto& [id, button] : kept)
    {
        CWnd* wnd = button.record.tmpl ? button.record.tmpl->GetWindow() : nullptr;
        if (wnd && wnd->GetSafeHwnd())
            wnd->DestroyWindow();
    }
    ApplyPlacements(CurrentPlacement((m_dwStyle & CBRS_ORIENT_HORZ) != 0));
}

void COXCoolToolBar::SaveTemplates(CArchive& archive)
{
    const std::vector<UINT>& ids = TemplateIds();
    archive << static_cast<int32_t>(ids.size());
    for (UINT id : ids)
    {
        const OXCustomTBButtonRecord& record = Templates()[id];
        archive << static_cast<int32_t>(id) << record.size1 << record.size2
                << static_cast<int32_t>(record.placement) << record.image;
        record.tmpl->SaveState(archive);
    }
}

// A template's own data has no length to skip it by: an entry of an unknown template ends the
// read, and nothing of the blob is used.
bool COXCoolToolBar::ParseTemplates(CArchive& archive, UINT length)
{
    int32_t count = 0;
    archive >> count;
    if (count < 0 || static_cast<uint64_t>(count) * kTemplateEntryBytes + 4 > length)
        return false;
    std::vector<OXCustomTBButtonRecord> read;
    for (int32_t i = 0; i < count; ++i)
    {
        int32_t id = 0;
        int32_t placement = 0;
        OXCustomTBButtonRecord record;
        archive >> id >> record.size1 >> record.size2 >> placement >> record.image;
        const auto found = Templates().find(static_cast<UINT>(id));
        if (found == Templates().end() || !found->second.tmpl->LoadState(archive))
            return false;
        record.tmpl = found->second.tmpl;
        record.id = static_cast<UINT>(id);
        record.placement = static_cast<DWORD>(placement);
        read.push_back(record);
    }
    for (const OXCustomTBButtonRecord& record : read)
        Templates()[record.id] = record;
    return true;
}
