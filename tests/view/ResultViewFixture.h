// A fixture for the tests of a view that shows a result: the view is made as the result display
// makes it (a new view of the model view's camera) and sized by its client area.
#pragma once

#include "ViewTestFrame.h"
#include "ViewTestSupport.h"
#include "platform/test/pump.h"

namespace view_window_test
{
class ResultViewFixture : public ViewFixture
{
protected:
    // A new view showing the contour of resultId (component 1, nodal), its client area
    // width x height, with the renderer's frame count given; null when it cannot be made.
    CWendraView* ShowResult(UINT resultId, int width, int height, int frames = 10)
    {
        CWendraView* model = OpenView(width, height);
        if (model == nullptr)
            return nullptr;
        model->Renderer().AutoScale(model);
        model->DisplayResultView(static_cast<int>(resultId), 1, 2, TRUE);
        auto* view = dynamic_cast<CWendraView*>(Frame().GetFrameView(Frame().m_viewCounter));
        if (view == nullptr || view == model)
            return nullptr;
        SetClientSize(view, width, height);
        view->Renderer().SetMaxLCSteps(frames);
        return view;
    }

    static void SetClientSize(CWnd* view, int width, int height)
    {
        CRect outer;
        CRect client;
        view->GetWindowRect(&outer);
        view->GetClientRect(&client);
        view->MoveWindow(0, 0, width + outer.Width() - client.Width(),
                         height + outer.Height() - client.Height());
        fw::test::Pump();
    }

    view_test::EnglishStrings m_strings;
};
} // namespace view_window_test
