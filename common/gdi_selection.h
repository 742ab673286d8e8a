// A pen or brush selected into a device context for one drawing step. At the
// end of the step the context's previous object goes back in, and an object
// the step created for itself is deleted once it is no longer selected.
#pragma once

#include <windows.h>

class GdiSelection {
public:
    // Who deletes the selected object: a stock object, or one that lives
    // longer than the step, is kept; one made for the step is deleted.
    enum Ownership { keep, deleteAtEnd };

    GdiSelection(HDC dc, HGDIOBJ object, Ownership ownership)
        : dc_(dc), previous_(SelectObject(dc, object)), created_(ownership == deleteAtEnd ? object : nullptr)
    {
    }

    ~GdiSelection()
    {
        SelectObject(dc_, previous_);
        if (created_)
            DeleteObject(created_);
    }

    GdiSelection(const GdiSelection&) = delete;
    GdiSelection& operator=(const GdiSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
    HGDIOBJ created_;
};
