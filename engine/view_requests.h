// The process's door for requests that change the view, bound to the one
// fractal view: see ViewRequestGate.
#pragma once

#include "engine/view_request_gate.h"

#include <windows.h>

ViewRequestGate& viewRequests();

// Holds a modal dialog of the program open in the gate's eyes: requests that
// come meanwhile wait until it has closed.
class ModalDialogScope {
public:
    ModalDialogScope() { viewRequests().dialogOpened(); }
    ~ModalDialogScope() { viewRequests().dialogClosed(); }
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;
};

// Answers WM_CALCULATION_ENDED for the calculation numbered `calculation`:
// once its threads have let busy fall, the waiting requests run.
void takeUpWaitingRequests(unsigned calculation);
