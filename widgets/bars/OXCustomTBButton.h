// Windows in toolbar buttons: a template describes a window once per process (its class, style,
// size and text), and each cool toolbar that shows it gets a window of its own made from it.
//
//   static COXCustomTBWndTemplate caseList("ComboBox", CSize(125, 200));
//   OXCustomTBButtonRecord record;
//   record.tmpl = &caseList;
//   record.id = 32898;
//   const int index = COXCoolToolBar::AddCustomButtonTemplate(record);
//   bar.InsertComboBox(3, index, CBS_DROPDOWNLIST | WS_VSCROLL);
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <cstdint>

class CArchive;
class COXCoolToolBar;

// What a toolbar asks of a template.
class COXCustomTBTemplate
{
public:
    virtual ~COXCustomTBTemplate() = default;

    // The window that shows the template (its handle is null until it is made).
    virtual CWnd* GetWindow() = 0;
    // Makes the template's own window on bar; className null keeps the class of the last one.
    virtual BOOL Create(UINT id, COXCoolToolBar* bar, DWORD style, DWORD exStyle,
                        const char* className, const char* text) = 0;
    // A template of the same kind with a window of its own on bar; the caller owns it.
    virtual COXCustomTBTemplate* CreateCopy(COXCoolToolBar* bar) = 0;
    // The template's own data in the saved templates; LoadState returns false on bad data.
    virtual void SaveState(CArchive&) const {}
    virtual bool LoadState(CArchive&) { return true; }
    virtual void SetCustomizationMode(BOOL) {}
    // Whether a bar whose state is reloaded keeps the window it has.
    virtual BOOL IsWindowReused() const { return TRUE; }
    // A drag of the button in customisation mode.
    virtual void OnBeginDrag(COXCoolToolBar*, int) {}
};

// A template whose window is a window class made by name: each bar gets one of the same class,
// styles, size and text.
class COXCustomTBWndTemplate : public COXCustomTBTemplate
{
public:
    COXCustomTBWndTemplate(const char* className, CSize size);
    ~COXCustomTBWndTemplate() override;

    CWnd* GetWindow() override { return &m_wnd; }
    BOOL Create(UINT id, COXCoolToolBar* bar, DWORD style, DWORD exStyle, const char* className,
                const char* text) override;
    COXCustomTBTemplate* CreateCopy(COXCoolToolBar* bar) override;
    CSize GetSize() const { return m_size; }

private:
    CWnd m_wnd;
    CString m_className;
    CSize m_size;
    UINT m_id = 0;
    DWORD m_style = WS_CHILD | WS_VISIBLE;
    DWORD m_exStyle = 0;
    CString m_text;
};

// Ties a template, or a button of a bar, to its window's values.
struct OXCustomTBButtonRecord
{
    COXCustomTBTemplate* tmpl = nullptr; // not owned
    UINT id = 0;                         // the window's control id
    int32_t size1 = -1;
    int32_t size2 = -1;
    // Where the window shows: 0x4 floating, 0x2 docked horizontally, 0x1 docked vertically;
    // elsewhere the button is an ordinary one with the image below.
    DWORD placement = 0x7;
    int32_t image = -1;
};
