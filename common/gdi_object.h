// A pen, brush, bitmap or font made for one step and deleted at the end of
// its owner's scope. It must no longer be selected into a device context by
// then; GdiSelection selects an object for a step and puts the context's
// previous one back.
#pragma once

#include <windows.h>

template <class Handle>
class GdiObject {
public:
    // Takes over object; null holds nothing.
    explicit GdiObject(Handle object) : object_(object) {}
    ~GdiObject()
    {
        if (object_)
            DeleteObject(object_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return object_; }

private:
    Handle object_;
};
