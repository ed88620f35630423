// The registered source of the active 3-D view.
#include "core/model/ViewServices.h"

namespace
{
CActiveViewSource* g_activeViewSource = nullptr;
} // namespace

void SetActiveViewSource(CActiveViewSource* source)
{
    g_activeViewSource = source;
}

CActiveViewSource* GetActiveViewSource()
{
    return g_activeViewSource;
}

CVisibilityView* GetActiveVisibilityView()
{
    return g_activeViewSource ? g_activeViewSource->GetActiveVisibilityView() : nullptr;
}
