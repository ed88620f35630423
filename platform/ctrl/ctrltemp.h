// Temporary wrappers of a given control class for windows that have no object of their own,
// such as the header of a list view. They own nothing and go at idle: never keep one.
#pragma once

#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <memory>
#include <typeindex>

namespace fw
{
template <class Control>
Control* ControlFromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (auto* permanent = dynamic_cast<Control*>(CWnd::FromHandlePermanent(hwnd)))
        return permanent;
    auto& slot = GetThreadState().tempWindows[{hwnd, std::type_index(typeid(Control))}];
    if (!slot)
    {
        slot = std::make_unique<Control>();
        slot->m_hWnd = hwnd;
    }
    return static_cast<Control*>(slot.get());
}
} // namespace fw
