// Menu texts from the string files.
#include "app/MenuTexts.h"

#include "core/services/StringFile.h"

#include <cctype>
#include <vector>

namespace
{
constexpr const char* kMenuFile = "standard.str";
constexpr const char* kMenuSection = "Menu";

bool LookUp(const CString& key, CString* text)
{
    CString value;
    if (!LoadStringFromFile(CString(kMenuFile), CString(kMenuSection), key, &value))
        return false;
    value.Replace("\\t", "\t");
    *text = value;
    return true;
}

CString ItemText(HMENU menu, int position)
{
    const int length =
        ::GetMenuStringA(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    ::GetMenuStringA(menu, static_cast<UINT>(position), buffer.data(), length + 1, MF_BYPOSITION);
    return CString(buffer.data());
}

void SetItemText(HMENU menu, int position, const CString& text)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.GetString());
    ::SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}
} // namespace

CString MenuPopupKey(const CString& label)
{
    CString key;
    for (int i = 0; i < label.GetLength(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(label[i]);
        if (c == '(' || c == '\t')
            break;
        if (std::isalnum(c))
            key += static_cast<char>(c);
    }
    return key;
}

CString MenuCommandKey(UINT id)
{
    CString key;
    key.Format("ID%u", id);
    return key;
}

void LocalizeMenu(HMENU menu)
{
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
    {
        const HMENU popup = ::GetSubMenu(menu, position);
        const UINT id = ::GetMenuItemID(menu, position);
        if (popup == nullptr && id == 0)
            continue; // a separator
        const CString key =
            popup != nullptr ? MenuPopupKey(ItemText(menu, position)) : MenuCommandKey(id);
        CString text;
        if (!key.IsEmpty() && LookUp(key, &text))
            SetItemText(menu, position, text);
        if (popup != nullptr)
            LocalizeMenu(popup);
    }
}
