#include "engine/view_navigation.h"

#include "engine/fractal_view.h"

void changeView(const std::function<void()>& change)
{
    FractalView* view = theFractalView;
    const VisitedView left = view->visitedView();
    change();
    if (view->visitedView() != left)
        view->history.record(left);
}

void goBack()
{
    FractalView* view = theFractalView;
    if (view->history.canGoBack())
        view->returnTo(view->history.goBack(view->visitedView()));
}

void goForward()
{
    FractalView* view = theFractalView;
    if (view->history.canGoForward())
        view->returnTo(view->history.goForward(view->visitedView()));
}
