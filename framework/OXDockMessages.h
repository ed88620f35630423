// Private window messages of the docking framework.
#pragma once

#include <windows.h>

// To a view bar: wParam the activation flag, lParam its source (1 an activation change, 2 a
// click in the docked wrapper, 3 a click in the floating frame).
constexpr UINT WM_OX_BARACTIVATION = 0x80B6;
// To a bar: append its commands to the menu in lParam.
constexpr UINT WM_OX_APPENDDOCKMENU = 0x80CC;
// To a bar that was just floated.
constexpr UINT WM_OX_BARFLOATED = 0x80CD;
