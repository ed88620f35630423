// Message tables: constant arrays of entries whose thunks call member handlers directly.
// A handler is a non-type template argument, so no member pointer is ever cast or stored.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>
#include <type_traits>

class CWnd;

namespace fw
{
enum class EntryKind : unsigned char
{
    None,    // the leading placeholder of every table
    Message, // a window message with a cracker
    Command, // WM_COMMAND from a menu, accelerator or control, by id and notification code
    Raw      // any message, handler takes WPARAM and LPARAM
};

using Thunk = LRESULT (*)(CWnd* target, WPARAM wParam, LPARAM lParam);

struct MsgEntry
{
    EntryKind kind;
    UINT msg;
    UINT code; // notification code of a command entry
    UINT idFirst;
    UINT idLast;
    Thunk thunk;
};

struct MsgTable
{
    const MsgTable* (*base)(); // null for the root
    const MsgEntry* entries;
    std::size_t count;
};

// Base of the root table.
struct NoTable
{
    static const MsgTable* Table() { return nullptr; }
};

// First entry matching a message, walking from the derived table to its bases; null if none.
const MsgEntry* FindEntry(const MsgTable* table, UINT msg, WPARAM wParam);

// One cracker per handled message: the handler signature and how arguments are decoded.
template <UINT Msg>
struct Cracker;

template <class M>
struct MemberOf;

template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)>
{
    using Class = C;
};

template <UINT Msg, auto Handler>
constexpr MsgEntry on()
{
    using T = typename MemberOf<decltype(Handler)>::Class;
    static_assert(std::is_same_v<decltype(Handler), typename Cracker<Msg>::template Handler<T>>,
                  "handler signature does not match its message; see crackers.h");
    return {EntryKind::Message, Msg, 0, 0, 0, &Cracker<Msg>::template Call<T, Handler>};
}

template <class T, void (T::*Handler)()>
LRESULT CallCommand(CWnd* target, WPARAM, LPARAM)
{
    (static_cast<T*>(target)->*Handler)();
    return 0;
}

// A menu or accelerator command (notification code 0 or 1) or a control's BN_CLICKED.
template <UINT Id, auto Handler>
constexpr MsgEntry command()
{
    using T = typename MemberOf<decltype(Handler)>::Class;
    static_assert(std::is_same_v<decltype(Handler), void (T::*)()>,
                  "command handler must be void ()");
    return {EntryKind::Command, WM_COMMAND, 0, Id, Id, &CallCommand<T, Handler>};
}

template <class T, LRESULT (T::*Handler)(WPARAM, LPARAM)>
LRESULT CallRaw(CWnd* target, WPARAM wParam, LPARAM lParam)
{
    return (static_cast<T*>(target)->*Handler)(wParam, lParam);
}

// Any message without a cracker, private messages included.
template <UINT Msg, auto Handler>
constexpr MsgEntry raw()
{
    using T = typename MemberOf<decltype(Handler)>::Class;
    static_assert(std::is_same_v<decltype(Handler), LRESULT (T::*)(WPARAM, LPARAM)>,
                  "raw handler must be LRESULT (WPARAM, LPARAM)");
    return {EntryKind::Raw, Msg, 0, 0, 0, &CallRaw<T, Handler>};
}

constexpr MsgEntry kTableStart = {EntryKind::None, 0, 0, 0, 0, nullptr};
} // namespace fw

// In a class body derived from CWnd; leaves the following members public.
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
