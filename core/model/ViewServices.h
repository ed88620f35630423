// What the model asks of a 3-D view: whether its element filter shows an element. The
// operations that follow a view's filter take the view from their caller.
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
