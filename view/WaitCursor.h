// The wait cursor of the main window for the life of a scope.
#pragma once

#include "render/SceneView.h"

class CWaitCursorScope
{
public:
    explicit CWaitCursorScope(CSceneView& view)
        : m_view(view)
    {
        m_view.BeginWaitCursor();
    }
    ~CWaitCursorScope() { m_view.EndWaitCursor(); }
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;

private:
    CSceneView& m_view;
};
