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
    // is one step from its end, so the wait is for that one store and no
    // longer. A yield lets that thread run on this processor, even at its
    // lower priority; nothing else here waits by spinning.
    if (theFractalView && theFractalView->calculation == calculation) {
        while (theFractalView->busy)
            std::this_thread::yield();
    }
    viewRequests().calculationEnded();
}
