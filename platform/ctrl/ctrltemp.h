// Temporary wrappers of a given control class for windows that have no object of their own,
// such as the header of a list view. Never keep one.
#pragma once

#include "platform/win/wnd.h"

#include <map>
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
    struct Temporaries
    {
        std::map<HWND, std::unique_ptr<Control>> wrappers;
        ~Temporaries()
        {
            for (auto& entry : wrappers)
                entry.second->m_hWnd = nullptr; // owns nothing
        }
    };
    thread_local Temporaries temporaries;
    auto& slot = temporaries.wrappers[hwnd];
    if (!slot)
    {
        slot = std::make_unique<Control>();
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}
} // namespace fw
