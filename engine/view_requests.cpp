#include "engine/view_requests.h"

#include "engine/fractal_view.h"
#include "engine/render_worker.h"

#include <thread>

ViewRequestGate& viewRequests()
{
    static ViewRequestGate gate([] { return theFractalView && theFractalView->busy; }, requestStop);
    return gate;
}

void takeUpWaitingRequests(unsigned calculation)
{
    // The message is posted just before busy falls: the last render thread
    // is one step from its end.
    if (theFractalView && theFractalView->calculation == calculation) {
        while (theFractalView->busy)
            std::this_thread::yield();
    }
    viewRequests().calculationEnded();
}
