// Message tables: constant arrays of entries whose thunks call member handlers directly.
// A handler is a non-type template argument, so no member pointer is ever cast or stored.
//
//   FW_TABLE(CMyView, CView,
//            fw::on<WM_SIZE, &CMyView::OnSize>(),                  // cracked message
//            fw::command<ID_VIEW_SHADE, &CMyView::OnShade>(),      // void () or BOOL (UINT)
//            fw::update<ID_VIEW_SHADE, &CMyView::OnUpdShade>(),    // void (CCmdUI*)
//            fw::control<CBN_SELCHANGE, 32898, &CMyView::OnCase>(), // void ()
//            fw::notify<TBN_DROPDOWN, 59396, &CMyView::OnDrop>(),  // void (NMHDR*, LRESULT*)
//            fw::raw<0x80B6, &CMyView::OnBarResized>(),            // LRESULT (WPARAM, LPARAM)
//            fw::registered<&g_nDockCmd, &CMyView::OnToggle>())    // number read at dispatch
#pragma once

#include "platform/win/privmsg.h"

#include <windows.h>

#include <cstddef>
#include <iterator>
#include <type_traits>

class CCmdTarget;
class CCmdUI;
class CDC;

// Command codes of OnCmdMsg besides control notification codes and MAKELONG(code, WM_NOTIFY).
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

namespace fw
{
enum class EntryKind : unsigned char
{
    None,            // the leading placeholder of every table
    Message,         // a window message with a cracker
    Raw,             // any message, handler takes WPARAM and LPARAM
    Registered,      // a raw message whose number is read from a variable at dispatch
    Command,         // menu, accelerator or button command: void () or BOOL (UINT) ("ex")
    Update,          // command-UI update: void (CCmdUI*)
    Control,         // a control's notification code by id: void () or void (UINT) in ranges
    Notify,          // WM_NOTIFY code by id: void (NMHDR*, LRESULT*)
    NotifyEx,        // BOOL (UINT, NMHDR*, LRESULT*): FALSE lets routing go on
    ReflectControl,  // WM_COMMAND notification reflected to the control itself
    ReflectNotify,   // WM_NOTIFY reflected to the sender: void (NMHDR*, LRESULT*)
    ReflectNotifyEx, // BOOL (NMHDR*, LRESULT*): FALSE lets the parent handle it too
    Reflect          // another message reflected to the child (colours, owner draw, scrolling)
};

// Message entries get (wParam, lParam); command-family entries get (id, extra), where extra
// is the CCmdUI* or NotifyInfo*. A command-family thunk returns TRUE when handled.
using Thunk = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MsgEntry
{
    EntryKind kind;
    UINT msg;  // window message; WM_COMMAND or WM_NOTIFY for command-family entries
    UINT code; // notification code (a WORD, as WM_NOTIFY codes are matched)
    UINT idFirst;
    UINT idLast;
    const UINT* dynId; // registered entries: the message number lives here
    Thunk thunk;
};

struct MsgTable
{
    const MsgTable* (*base)(); // null for the root
    const MsgEntry* entries;
    std::size_t count;
};

// What OnCmdMsg passes as extra for WM_NOTIFY routing.
struct NotifyInfo
{
    LRESULT* result;
    NMHDR* header;
};

// Filled by OnCmdMsg when a handler exists and handlerInfo is given; nothing is called then.
struct CmdHandlerInfo
{
    CCmdTarget* target = nullptr;
    const MsgEntry* entry = nullptr;
};

// Base of the root table.
struct NoTable
{
    static const MsgTable* Table() { return nullptr; }
};

// First message entry (Message, Raw, Registered) for msg, from the derived table to its bases.
const MsgEntry* FindMessageEntry(const MsgTable* table, UINT msg);
// First command-family entry for an OnCmdMsg code and id; null if none.
const MsgEntry* FindCommandEntry(const MsgTable* table, int code, UINT id);
// First reflection entry for a message reflected from the parent (WM_COMMAND: code is the
// notification; WM_NOTIFY: the NMHDR code; WM_CTLCOLOR* map to WM_CTLCOLOR).
const MsgEntry* FindReflectEntry(const MsgTable* table, UINT msg, UINT code);

// One cracker per handled message: the handler signature and how arguments are decoded.
template <UINT Msg>
struct Cracker;
// One reflect cracker per reflectable message.
template <UINT Msg>
struct ReflectCracker;

template <class M>
struct MemberOf;

template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)>
{
    using Class = C;
};

template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;

template <UINT Msg, auto Handler>
constexpr MsgEntry on()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), typename Cracker<Msg>::template Handler<T>>,
                  "handler signature does not match its message; see crackers.h");
    return {EntryKind::Message, Msg, 0, 0, 0, nullptr, &Cracker<Msg>::template Call<T, Handler>};
}

template <class T, LRESULT (T::*Handler)(WPARAM, LPARAM)>
LRESULT CallRaw(CCmdTarget* target, WPARAM wParam, LPARAM lParam)
{
    return (static_cast<T*>(target)->*Handler)(wParam, lParam);
}

// Any message without a cracker, private messages included.
template <UINT Msg, auto Handler>
constexpr MsgEntry raw()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), LRESULT (T::*)(WPARAM, LPARAM)>,
                  "raw handler must be LRESULT (WPARAM, LPARAM)");
    return {EntryKind::Raw, Msg, 0, 0, 0, nullptr, &CallRaw<T, Handler>};
}

// A message number from RegisterWindowMessage, stored in *Number before the first dispatch.
template <const UINT* Number, auto Handler>
constexpr MsgEntry registered()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), LRESULT (T::*)(WPARAM, LPARAM)>,
                  "registered handler must be LRESULT (WPARAM, LPARAM)");
    return {EntryKind::Registered, 0, 0, 0, 0, Number, &CallRaw<T, Handler>};
}

// Command-family thunks: wParam is the id, lParam the extra pointer.
template <class T, auto Handler>
LRESULT CallCommand(CCmdTarget* target, WPARAM id, LPARAM extra)
{
    T* t = static_cast<T*>(target);
    using H = decltype(Handler);
    if constexpr (std::is_same_v<H, void (T::*)()>)
    {
        (t->*Handler)();
        return TRUE;
    }
    else if constexpr (std::is_same_v<H, void (T::*)(UINT)>)
    {
        (t->*Handler)(static_cast<UINT>(id));
        return TRUE;
    }
    else if constexpr (std::is_same_v<H, BOOL (T::*)(UINT)>)
    {
        return (t->*Handler)(static_cast<UINT>(id));
    }
    else if constexpr (std::is_same_v<H, void (T::*)(CCmdUI*)>)
    {
        (t->*Handler)(reinterpret_cast<CCmdUI*>(extra));
        return TRUE;
    }
    else if constexpr (std::is_same_v<H, void (T::*)(NMHDR*, LRESULT*)>)
    {
        const NotifyInfo* info = reinterpret_cast<const NotifyInfo*>(extra);
        (t->*Handler)(info->header, info->result);
        return TRUE;
    }
    else if constexpr (std::is_same_v<H, void (T::*)(UINT, NMHDR*, LRESULT*)>)
    {
        const NotifyInfo* info = reinterpret_cast<const NotifyInfo*>(extra);
        (t->*Handler)(static_cast<UINT>(id), info->header, info->result);
        return TRUE;
    }
    else
    {
        static_assert(std::is_same_v<H, BOOL (T::*)(UINT, NMHDR*, LRESULT*)>,
                      "unsupported command handler signature");
        const NotifyInfo* info = reinterpret_cast<const NotifyInfo*>(extra);
        return (t->*Handler)(static_cast<UINT>(id), info->header, info->result);
    }
}

template <class H, class... Allowed>
constexpr bool kIsOneOf = (std::is_same_v<H, Allowed> || ...);

// A menu or accelerator command, or a button's BN_CLICKED: void (), void (UINT id) for a
// handler that several commands share, or BOOL (UINT) whose FALSE lets routing go on to the
// next target.
template <UINT Id, auto Handler>
constexpr MsgEntry command()
{
    using T = ClassOf<Handler>;
    static_assert(kIsOneOf<decltype(Handler), void (T::*)(), void (T::*)(UINT), BOOL (T::*)(UINT)>,
                  "command handler must be void (), void (UINT) or BOOL (UINT)");
    return {EntryKind::Command, WM_COMMAND, 0, Id, Id, nullptr, &CallCommand<T, Handler>};
}

// Commands First..Last: void (UINT id), or BOOL (UINT id).
template <UINT First, UINT Last, auto Handler>
constexpr MsgEntry command_range()
{
    using T = ClassOf<Handler>;
    static_assert(kIsOneOf<decltype(Handler), void (T::*)(UINT), BOOL (T::*)(UINT)>,
                  "command range handler must be void (UINT) or BOOL (UINT)");
    static_assert(First <= Last, "empty command range");
    return {EntryKind::Command, WM_COMMAND, 0, First, Last, nullptr, &CallCommand<T, Handler>};
}

template <UINT Id, auto Handler>
constexpr MsgEntry update()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)(CCmdUI*)>,
                  "update handler must be void (CCmdUI*)");
    return {EntryKind::Update, WM_COMMAND, 0, Id, Id, nullptr, &CallCommand<T, Handler>};
}

template <UINT First, UINT Last, auto Handler>
constexpr MsgEntry update_range()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)(CCmdUI*)>,
                  "update handler must be void (CCmdUI*)");
    return {EntryKind::Update, WM_COMMAND, 0, First, Last, nullptr, &CallCommand<T, Handler>};
}

// A control notification (WM_COMMAND with the control in lParam) by code and control id.
template <UINT Code, UINT Id, auto Handler>
constexpr MsgEntry control()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)()>,
                  "control handler must be void ()");
    return {EntryKind::Control, WM_COMMAND, Code, Id, Id, nullptr, &CallCommand<T, Handler>};
}

template <UINT Code, UINT First, UINT Last, auto Handler>
constexpr MsgEntry control_range()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)(UINT)>,
                  "control range handler must be void (UINT)");
    return {EntryKind::Control, WM_COMMAND, Code, First, Last, nullptr, &CallCommand<T, Handler>};
}

// WM_NOTIFY from a child by code and id. Codes are negative ints; the low word is matched.
template <int Code, UINT Id, auto Handler>
constexpr MsgEntry notify()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)(NMHDR*, LRESULT*)>,
                  "notify handler must be void (NMHDR*, LRESULT*)");
    return {EntryKind::Notify,       WM_NOTIFY, static_cast<WORD>(Code), Id, Id, nullptr,
            &CallCommand<T, Handler>};
}

template <int Code, UINT First, UINT Last, auto Handler>
constexpr MsgEntry notify_range()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)(UINT, NMHDR*, LRESULT*)>,
                  "notify range handler must be void (UINT, NMHDR*, LRESULT*)");
    return {EntryKind::Notify,       WM_NOTIFY, static_cast<WORD>(Code), First, Last, nullptr,
            &CallCommand<T, Handler>};
}

// BOOL (UINT id, NMHDR*, LRESULT*); FALSE lets routing go on.
template <int Code, UINT First, UINT Last, auto Handler>
constexpr MsgEntry notify_ex()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), BOOL (T::*)(UINT, NMHDR*, LRESULT*)>,
                  "notify_ex handler must be BOOL (UINT, NMHDR*, LRESULT*)");
    return {EntryKind::NotifyEx,     WM_NOTIFY, static_cast<WORD>(Code), First, Last, nullptr,
            &CallCommand<T, Handler>};
}

template <class T, auto Handler>
LRESULT CallReflectNotify(CCmdTarget* target, WPARAM, LPARAM extra)
{
    const NotifyInfo* info = reinterpret_cast<const NotifyInfo*>(extra);
    T* t = static_cast<T*>(target);
    if constexpr (std::is_same_v<decltype(Handler), void (T::*)(NMHDR*, LRESULT*)>)
    {
        (t->*Handler)(info->header, info->result);
        return TRUE;
    }
    else
    {
        return (t->*Handler)(info->header, info->result);
    }
}

// A notification the control sent to its parent, handled by the control's own object.
template <int Code, auto Handler>
constexpr MsgEntry reflect_notify()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)(NMHDR*, LRESULT*)>,
                  "reflect_notify handler must be void (NMHDR*, LRESULT*)");
    return {EntryKind::ReflectNotify,      WM_NOTIFY, static_cast<WORD>(Code), 0, 0, nullptr,
            &CallReflectNotify<T, Handler>};
}

// As reflect_notify, but FALSE lets the parent handle it as well.
template <int Code, auto Handler>
constexpr MsgEntry reflect_notify_ex()
{
    using T = ClassOf<Handler>;
    static_assert(std::is_same_v<decltype(Handler), BOOL (T::*)(NMHDR*, LRESULT*)>,
                  "reflect_notify_ex handler must be BOOL (NMHDR*, LRESULT*)");
    return {EntryKind::ReflectNotifyEx,    WM_NOTIFY, static_cast<WORD>(Code), 0, 0, nullptr,
            &CallReflectNotify<T, Handler>};
}

template <class T, auto Handler>
LRESULT CallReflectControl(CCmdTarget* target, WPARAM, LPARAM)
{
    T* t = static_cast<T*>(target);
    if constexpr (std::is_same_v<decltype(Handler), void (T::*)()>)
    {
        (t->*Handler)();
        return TRUE;
    }
    else
    {
        return (t->*Handler)();
    }
}

// A WM_COMMAND notification the control sent to its parent: void () handles it, BOOL ()
// returning FALSE lets the parent handle it as well.
template <UINT Code, auto Handler>
constexpr MsgEntry reflect_control()
{
    using T = ClassOf<Handler>;
    static_assert(kIsOneOf<decltype(Handler), void (T::*)(), BOOL (T::*)()>,
                  "reflect_control handler must be void () or BOOL ()");
    return {EntryKind::ReflectControl,      WM_COMMAND, Code, 0, 0, nullptr,
            &CallReflectControl<T, Handler>};
}

// Another message reflected to the child; WM_CTLCOLOR stands for every WM_CTLCOLOR*.
template <UINT Msg, auto Handler>
constexpr MsgEntry reflect()
{
    using T = ClassOf<Handler>;
    static_assert(
        std::is_same_v<decltype(Handler), typename ReflectCracker<Msg>::template Handler<T>>,
        "reflected handler signature does not match its message; see crackers.h");
    return {
        EntryKind::Reflect, Msg, 0, 0, 0, nullptr, &ReflectCracker<Msg>::template Call<T, Handler>};
}

constexpr MsgEntry kTableStart = {EntryKind::None, 0, 0, 0, 0, nullptr, nullptr};
} // namespace fw

// In a class body derived from CCmdTarget; leaves the following members public.
#define FW_MESSAGE_TABLE()                                                                         \
public:                                                                                            \
    static const fw::MsgTable* Table();                                                            \
    const fw::MsgTable* GetMessageTable() const override;

// In the .cpp: FW_TABLE(CMyWnd, CWnd, fw::on<WM_SIZE, &CMyWnd::OnSize>(), ...). Entries may
// be absent; a leading placeholder keeps the initializer valid then.
#define FW_TABLE(Class, Base, ...)                                                                 \
    const fw::MsgTable* Class::Table()                                                             \
    {                                                                                              \
        static constexpr fw::MsgEntry kEntries[] = {fw::kTableStart, __VA_ARGS__};                 \
        static constexpr fw::MsgTable kTable = {&Base::Table, kEntries, std::size(kEntries)};      \
        return &kTable;                                                                            \
    }                                                                                              \
    const fw::MsgTable* Class::GetMessageTable() const                                             \
    {                                                                                              \
        return Table();                                                                            \
    }
