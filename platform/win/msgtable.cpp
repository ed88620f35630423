// Message-table lookup: message entries through a per-thread cache, command-family and
// reflection entries by walking the tables (their match depends on the id and code too).
#include "platform/win/msgtable.h"

#include "platform/win/thread_state.h"

namespace fw
{
namespace
{
template <class Match>
const MsgEntry* Walk(const MsgTable* table, Match match)
{
    for (; table; table = table->base ? table->base() : nullptr)
    {
        for (std::size_t i = 0; i < table->count; ++i)
        {
            const MsgEntry& entry = table->entries[i];
            if (entry.kind != EntryKind::None && match(entry))
                return &entry;
        }
    }
    return nullptr;
}

bool InRange(const MsgEntry& entry, UINT id)
{
    return id >= entry.idFirst && id <= entry.idLast;
}

bool IsCtlColor(UINT msg)
{
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}
} // namespace

const MsgEntry* FindMessageEntry(const MsgTable* table, UINT msg)
{
    if (!table)
        return nullptr;
    auto& cache = GetThreadState().lookups[table];
    const auto found = cache.find(msg);
    if (found != cache.end())
        return found->second;
    const MsgEntry* entry = Walk(table,
                                 [msg](const MsgEntry& e)
                                 {
                                     switch (e.kind)
                                     {
                                     case EntryKind::Message:
                                     case EntryKind::Raw: return e.msg == msg;
                                     // A number not registered yet (0) never matches WM_NULL.
                                     case EntryKind::Registered:
                                         return *e.dynId != 0 && *e.dynId == msg;
                                     default: return false;
                                     }
                                 });
    cache.emplace(msg, entry);
    return entry;
}

const MsgEntry* FindCommandEntry(const MsgTable* table, int code, UINT id)
{
    if (code == CN_UPDATE_COMMAND_UI)
    {
        return Walk(table, [id](const MsgEntry& e)
                    { return e.kind == EntryKind::Update && InRange(e, id); });
    }
    const UINT ucode = static_cast<UINT>(code);
    if (HIWORD(ucode) == WM_NOTIFY)
    {
        const UINT notifyCode = LOWORD(ucode);
        return Walk(table,
                    [id, notifyCode](const MsgEntry& e)
                    {
                        return (e.kind == EntryKind::Notify || e.kind == EntryKind::NotifyEx) &&
                               e.code == notifyCode && InRange(e, id);
                    });
    }
    return Walk(table,
                [id, ucode](const MsgEntry& e)
                {
                    if (!InRange(e, id))
                        return false;
                    // BN_CLICKED is CN_COMMAND, so a button reaches command entries.
                    if (e.kind == EntryKind::Command)
                        return ucode == static_cast<UINT>(CN_COMMAND);
                    return e.kind == EntryKind::Control && e.code == ucode;
                });
}

const MsgEntry* FindReflectEntry(const MsgTable* table, UINT msg, UINT code)
{
    if (msg == WM_COMMAND)
    {
        return Walk(table, [code](const MsgEntry& e)
                    { return e.kind == EntryKind::ReflectControl && e.code == code; });
    }
    if (msg == WM_NOTIFY)
    {
        const UINT notifyCode = LOWORD(code);
        return Walk(table,
                    [notifyCode](const MsgEntry& e)
                    {
                        return (e.kind == EntryKind::ReflectNotify ||
                                e.kind == EntryKind::ReflectNotifyEx) &&
                               e.code == notifyCode;
                    });
    }
    const UINT key = IsCtlColor(msg) ? static_cast<UINT>(WM_CTLCOLOR) : msg;
    return Walk(table,
                [key](const MsgEntry& e) { return e.kind == EntryKind::Reflect && e.msg == key; });
}
} // namespace fw
