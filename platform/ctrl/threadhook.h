// Keyboard and mouse hooks of the user-interface thread. Every ThreadHook of one kind shares a
// single system hook; events go to the newest handler first, and on to the next hook in the
// system's chain (CallNextHookEx) unless a handler used them.
#pragma once

#include <windows.h>

#include <functional>

namespace fw
{
class ThreadHook
{
public:
    // Returns true when it used the event; *result is then what the hook procedure returns
    // (for a keyboard hook, non-zero discards the key). Codes below 0 never reach a handler.
    using Handler = std::function<bool(int code, WPARAM wParam, LPARAM lParam, LRESULT* result)>;

    ThreadHook() = default;
    ~ThreadHook() { Remove(); }
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;

    // WH_KEYBOARD or WH_MOUSE for the calling thread; false for another kind, when already
    // installed, or when the system refuses.
    bool Install(int kind, Handler handler);
    void Remove();
    bool IsInstalled() const { return m_kind != 0; }

    // Runs the thread's hook procedure of a kind as the system would; for tests, since Wine
    // does not pass posted input through thread hooks.
    static LRESULT Call(int kind, int code, WPARAM wParam, LPARAM lParam);

private:
    int m_kind = 0;
    Handler m_handler;
};
} // namespace fw
