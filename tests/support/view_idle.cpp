#include "tests/support/view_idle.h"

#include "engine/fractal_view.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

namespace {

bool viewBusy()
{
    return theFractalView && theFractalView->busy;
}

} // namespace

bool waitUntilIdle(DWORD timeoutMs)
{
    // Looked at every millisecond, or at once when a message comes: some
    // tests run thousands of short calculations.
    return waitFor(
        [] {
            if (viewBusy())
                return false;
            pumpPending();
            return !viewBusy();
        },
        timeoutMs,
        [] {
            pumpPending();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        });
}
