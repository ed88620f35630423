// What the model asks of the 3-D views: whether the active view's element filter shows an
// element, and which view is active. The main frame registers itself as the source of the
// active view; with no source, or no active view, the visibility operations visit nothing.
#pragma once

class CFEElement;
class CFENode;

// Implemented by the 3-D view.
class CVisibilityView
{
public:
    virtual ~CVisibilityView() = default;
    // Nonzero when the view's active element filter shows the element; 0 for null.
    virtual int IsEntityVisible(const CFEElement* element) const = 0;
    // True when at least one element that uses the node is shown.
    virtual bool HasVisibleElement(const CFENode* node) const = 0;
};

// Implemented by the main frame: the active child frame's active view, or null.
class CActiveViewSource
{
public:
    virtual ~CActiveViewSource() = default;
    virtual CVisibilityView* GetActiveVisibilityView() = 0;
};

// The process-wide source (borrowed; pass null when it goes away).
void SetActiveViewSource(CActiveViewSource* source);
CActiveViewSource* GetActiveViewSource();

// The active view, or null when there is no source or no active view.
CVisibilityView* GetActiveVisibilityView();
