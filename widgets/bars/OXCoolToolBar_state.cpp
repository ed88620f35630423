// COXCoolToolBar state in the application profile: the bar's properties, its buttons' images,
// styles and texts, the places of windows in buttons, the process's button templates, and the
// common control's own saved layout. Every blob read back is parsed whole, bounded by its real
// length, before anything of it is applied; a blob cut short or inconsistent is ignored.
#include "platform/base/archive.h"
#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "platform/win/app.h"
#include "widgets/bars/OXCoolToolBar.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

BOOL COXCoolToolBar::m_bTemplatesSaved = FALSE;
BOOL COXCoolToolBar::m_bTemplatesLoaded = FALSE;

namespace
{
constexpr const char* kTemplatesEntry = "Toolbars_CustomButtonsSettings";
constexpr const char* kTemplatesSizeEntry = "Toolbars_CustomButtonsSettings_Size";
constexpr int kAbsent = -1;

// Writes what fill puts into a storing archive as one binary value and its length.
template <class Fill>
BOOL WriteBlob(CWinApp* app, const char* section, const CString& entry, Fill fill)
{
    CMemFile file(1024);
    {
        CArchive archive(&file, CArchive::store, 4096);
        fill(archive);
        archive.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> bytes(file.Detach(), &std::free);
    return app->WriteProfileBinary(section, entry, bytes.get(), length) &&
           app->WriteProfileInt(section, entry + "_Size", static_cast<int>(length));
}

// Reads one binary value through parse; false when it is absent, cut short or inconsistent.
template <class Parse>
bool ReadBlob(CWinApp* app, const char* section, const CString& entry, Parse parse)
{
    BYTE* raw = nullptr;
    UINT length = 0;
    if (!app->GetProfileBinary(section, entry, &raw, &length))
        return false;
    std::unique_ptr<BYTE[]> owned(raw);
    if (!raw || length == 0)
        return false;
    try
    {
        CMemFile file(raw, length);
        CArchive archive(&file, CArchive::load, 4096);
        const bool parsed = parse(archive, length);
        archive.Close();
        return parsed;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

// A count read from a blob, refused when even its smallest entries could not fit.
bool ReadCount(CArchive& archive, UINT length, UINT smallestEntry, int32_t& count)
{
    archive >> count;
    return count >= 0 && static_cast<uint64_t>(count) * smallestEntry <= length;
}

bool HasValue(CWinApp* app, const char* section, const char* entry)
{
    return static_cast<int>(app->GetProfileInt(section, entry, kAbsent)) != kAbsent;
}
} // namespace

BOOL COXCoolToolBar::SaveBarState(const char* sub, const char* name, BOOL withProperties)
{
    CWinApp* app = AfxGetApp();
    if (!app || !m_hWnd)
        return FALSE;
    if (IsCustomizable(TRUE) || IsCustomizable(FALSE))
    {
        if (!app->m_pszRegistryKey || !*app->m_pszProfileName)
            return FALSE;
        const HKEY section = app->GetSectionKey(sub);
        if (!section)
            return FALSE;
        ::RegCloseKey(section);
        WriteBlob(app, sub, CString(name) + "_ButtonsSettings",
                  [this](CArchive& archive) { StoreButtons(archive); });
        WriteBlob(app, sub, CString(name) + "_CustomButtonsPositions",
                  [this](CArchive& archive) { SavePositions(archive); });
        const HKEY root = app->GetAppRegistryKey();
        if (root)
        {
            SaveState(root, sub, name);
            ::RegCloseKey(root);
        }
    }
    if (!m_bTemplatesSaved)
    {
        // Only the first bar of a process writes the templates.
        WriteBlob(app, sub, kTemplatesEntry, [](CArchive& archive) { SaveTemplates(archive); });
        m_bTemplatesSaved = TRUE;
    }
    if (withProperties)
        SaveProperties(CString(sub) + "_" + name);
    return TRUE;
}

void COXCoolToolBar::StoreButtons(CArchive& archive) const
{
    const int count = GetCount();
    archive << int32_t{count};
    for (int i = 0; i < count; ++i)
    {
        TBBUTTON button;
        GetButton(i, &button);
        const CString text = GetButtonText(i);
        const bool hasText = !text.IsEmpty();
        const auto saved = m_savedTexts.find(static_cast<UINT>(button.idCommand));
        archive << int32_t{button.idCommand} << int32_t{button.iBitmap} << button.fsStyle
                << int32_t{hasText ? 1 : 0};
        if (hasText)
            archive << text;
        else
            archive << (saved != m_savedTexts.end() ? saved->second : CString());
    }
}

void COXCoolToolBar::SaveProperties(const CString& section)
{
    CWinApp* app = AfxGetApp();
    const struct
    {
        const char* entry;
        int value;
    } values[] = {{"Cool", m_bCool},
                  {"Gripper", m_bGripper},
                  {"Separator", m_bSeparator},
                  {"Flat", IsFlat() ? 1 : 0},
                  {"List", IsList() ? 1 : 0},
                  {"DropDownArrow", GetDropDownArrow() ? 1 : 0},
                  {"Indent", m_indent},
                  {"DefaultTextColor", static_cast<int>(m_defaultTextColor)},
                  {"HotTextColor", static_cast<int>(m_hotTextColor)},
                  {"TextType", m_textType},
                  {"TextRows", GetTextRows()},
                  {"MinButtonsWidth", m_minButtonWidth},
                  {"MaxButtonsWidth", m_maxButtonWidth},
                  {"Customizable", IsCustomizable(TRUE) ? 1 : 0}};
    for (const auto& value : values)
        app->WriteProfileInt(section, value.entry, value.value);
}

BOOL COXCoolToolBar::LoadBarState(const char* sub, const char* name, BOOL withProperties)
{
    CWinApp* app = AfxGetApp();
    if (!app || !m_hWnd)
        return FALSE;
    BOOL resize = FALSE;
    if (withProperties)
        resize = LoadProperties(CString(sub) + "_" + name);
    if (!m_bTemplatesLoaded && HasValue(app, sub, kTemplatesSizeEntry))
    {
        LoadTemplates(sub);
        m_bTemplatesLoaded = TRUE;
    }
    BOOL result = TRUE;
    if (IsCustomizable(TRUE) || IsCustomizable(FALSE))
        result = LoadButtons(sub, name);
    m_bRestoring = FALSE;
    if (resize)
    {
        ResizeButtons();
    }
    else
    {
        // The windows' separators may have changed width.
        if (!m_customButtons.empty())
            UpdateSizes();
        RepositionCustomButtons();
    }
    return result;
}

BOOL COXCoolToolBar::LoadButtons(const char* sub, const char* name)
{
    CWinApp* app = AfxGetApp();
    if (!app->m_pszRegistryKey || !*app->m_pszProfileName)
        return FALSE;
    // The places of windows in buttons are checked first: the control's own layout holds
    // their separators, so a bad blob leaves the whole saved state unused.
    const CString positionsEntry = CString(name) + "_CustomButtonsPositions";
    const bool hasPositions = HasValue(app, sub, positionsEntry + "_Size");
    std::vector<std::pair<int32_t, int32_t>> positions;
    if (hasPositions && !ReadBlob(app, sub, positionsEntry,
                                  [&positions](CArchive& archive, UINT length)
                                  { return ParsePositions(archive, length, positions); }))
        return FALSE;
    const HKEY root = app->GetAppRegistryKey();
    if (!root)
        return FALSE;
    m_bRestoring = TRUE;
    std::map<UINT, CustomButton> kept;
    if (hasPositions && app->GetProfileInt(sub, positionsEntry + "_Size", 0) > 0)
        kept = TakeWindowsOut();
    // The control's own layout first: it may reorder or drop buttons.
    RestoreControlState(root, sub, name);
    ::RegCloseKey(root);

    const CString buttonsEntry = CString(name) + "_ButtonsSettings";
    std::vector<ButtonRecord> records;
    if (HasValue(app, sub, buttonsEntry + "_Size") &&
        ReadBlob(app, sub, buttonsEntry,
                 [&records](CArchive& archive, UINT length)
                 { return ParseButtons(archive, length, records); }))
        ApplyButtons(records);
    if (hasPositions)
        PlaceWindows(positions, kept);
    SetButtonTextFromID(0, 0xFFFF, m_textType);
    return TRUE;
}

bool COXCoolToolBar::ParseButtons(CArchive& archive, UINT length,
                                  std::vector<ButtonRecord>& records)
{
    // Smallest entry: id, image, style, flag and an empty text.
    int32_t count = 0;
    if (!ReadCount(archive, length, 14, count))
        return false;
    records.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
    {
        ButtonRecord record;
        archive >> record.id >> record.image >> record.style >> record.hasText >> record.text;
        records.push_back(record);
    }
    return true;
}

void COXCoolToolBar::ApplyButtons(const std::vector<ButtonRecord>& records)
{
    for (const ButtonRecord& record : records)
    {
        if (record.style & TBSTYLE_SEP)
            continue;
        const int index = CommandToIndex(static_cast<UINT>(record.id));
        if (index < 0)
            continue; // no longer on the bar
        UINT id = 0;
        UINT style = 0;
        int image = 0;
        GetButtonInfo(index, id, style, image);
        SetButtonInfo(index, id, (style & 0xFFFF0000u) | record.style, record.image);
        if (record.hasText)
            SetButtonText(index, record.text);
        else if (!record.text.IsEmpty())
            m_savedTexts[id] = record.text;
    }
}

void COXCoolToolBar::LoadTemplates(const char* sub)
{
    ReadBlob(AfxGetApp(), sub, kTemplatesEntry,
             [](CArchive& archive, UINT length) { return ParseTemplates(archive, length); });
}

BOOL COXCoolToolBar::RestoreControlState(HKEY root, const char* sub, const char* name)
{
    // The control rebuilds its buttons from the saved commands, asking for each (see
    // OnRestoreButton); a layout it cannot use leaves the bar empty, and the buttons it had
    // are put back then.
    m_restoreSnapshot = GetButtons();
    std::vector<CString> texts;
    for (size_t i = 0; i < m_restoreSnapshot.size(); ++i)
        texts.push_back(GetButtonText(static_cast<int>(i)));
    const BOOL restored = RestoreState(root, sub, name);
    const std::vector<TBBUTTON> before = std::move(m_restoreSnapshot);
    m_restoreSnapshot.clear();
    if (GetCount() > 0 || before.empty())
    {
        // The control keeps no texts: a button it kept shows its text again until the
        // button blob says otherwise.
        for (size_t i = 0; i < before.size(); ++i)
        {
            const int index = CommandToIndex(static_cast<UINT>(before[i].idCommand));
            if (before[i].idCommand != 0 && index >= 0 && !texts[i].IsEmpty())
                SetButtonText(index, texts[i]);
        }
        return restored;
    }
    for (size_t i = 0; i < before.size(); ++i)
    {
        TBBUTTON button = before[i];
        button.iString = -1;
        SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (!texts[i].IsEmpty())
            SetButtonText(static_cast<int>(i), texts[i]);
    }
    return FALSE;
}

BOOL COXCoolToolBar::OnRestoreButton(NMHDR* header, LRESULT* result)
{
    *result = 0; // go on restoring
    auto* restore = reinterpret_cast<NMTBRESTORE*>(header);
    if (restore->iItem < 0)
        return TRUE;
    // A saved command 0 is a separator (some controls save separators so); a command the
    // bar had keeps that button's image, style and state. Anything else is left to the
    // Customize list, and dropped by the control when the list does not know it either.
    TBBUTTON& button = restore->tbButton;
    if (button.idCommand == 0 || (button.fsStyle & TBSTYLE_SEP))
    {
        button.fsStyle = TBSTYLE_SEP;
        button.iBitmap = std::max(button.iBitmap, 0);
        return TRUE;
    }
    for (const TBBUTTON& had : m_restoreSnapshot)
    {
        if (had.idCommand == button.idCommand)
        {
            button.iBitmap = had.iBitmap;
            button.fsStyle = had.fsStyle;
            button.fsState = had.fsState;
            button.dwData = had.dwData;
            break;
        }
    }
    return TRUE;
}

BOOL COXCoolToolBar::LoadProperties(const CString& section)
{
    CWinApp* app = AfxGetApp();
    auto read = [app, &section](const char* entry)
    { return static_cast<int>(app->GetProfileInt(section, entry, kAbsent)); };
    BOOL resize = FALSE;
    if (const int value = read("Customizable"); value != kAbsent)
        SetCustomizable(value, TRUE);
    if (const int value = read("Cool"); value != kAbsent)
        m_bCool = value;
    if (const int value = read("Gripper"); value != kAbsent)
        m_bGripper = value;
    if (const int value = read("Separator"); value != kAbsent)
        m_bSeparator = value;
    if (const int value = read("Flat"); value != kAbsent)
        ModifyStyle(value ? 0 : TBSTYLE_FLAT, value ? TBSTYLE_FLAT : 0);
    if (const int value = read("List"); value != kAbsent)
    {
        ModifyStyle(value ? 0 : TBSTYLE_LIST, value ? TBSTYLE_LIST : 0);
        resize = TRUE;
    }
    if (const int value = read("DropDownArrow"); value != kAbsent)
        SetDropDownArrow(value);
    if (const int value = read("Indent"); value != kAbsent && SendMessage(TB_SETINDENT, value))
        m_indent = value;
    if (const int value = read("DefaultTextColor"); value != kAbsent)
        m_defaultTextColor = static_cast<COLORREF>(value);
    if (const int value = read("HotTextColor"); value != kAbsent)
        m_hotTextColor = static_cast<COLORREF>(value);
    if (const int value = read("TextType"); value != kAbsent && value != m_textType)
    {
        // Texts of the user's own come back from the button blob: start from none.
        if (value == textUser)
            SetButtonTextFromID(0, 0xFFFF, textNone);
        SetButtonTextFromID(0, 0xFFFF, value);
        resize = TRUE;
    }
    if (const int value = read("TextRows"); value != kAbsent && value != GetTextRows())
    {
        SendMessage(TB_SETMAXTEXTROWS, static_cast<WPARAM>(value));
        resize = TRUE;
    }
    if (const int value = read("MinButtonsWidth"); value != kAbsent && value != m_minButtonWidth)
    {
        if (SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(value, m_maxButtonWidth)))
            m_minButtonWidth = value;
    }
    if (const int value = read("MaxButtonsWidth"); value != kAbsent && value != m_maxButtonWidth)
    {
        if (SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(m_minButtonWidth, value)))
            m_maxButtonWidth = value;
        resize = TRUE;
    }
    return resize;
}

void COXCoolToolBar::ResizeButtons()
{
    CSize button;
    if (GetTextRows() > 0)
    {
        const LRESULT size = SendMessage(TB_GETBUTTONSIZE);
        button = CSize(LOWORD(size), HIWORD(size));
    }
    else
    {
        button = CSize(m_sizeImage.cx + 8, m_sizeImage.cy + 6);
    }
    SetSizes(button, m_sizeImage);
    SendMessage(TB_AUTOSIZE);
    UpdateSizes();
}
