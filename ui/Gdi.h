#pragma once
// Owners for GDI objects and selections, so that nothing leaks per paint.

#include "WindowDescription.h"

#include <windows.h>

template <typename T>
class ScopedGdiObj {
public:
    explicit ScopedGdiObj(T object = nullptr) : object_(object) {}
    ~ScopedGdiObj() { if (object_) DeleteObject(object_); }
    ScopedGdiObj(const ScopedGdiObj&) = delete;
    ScopedGdiObj& operator=(const ScopedGdiObj&) = delete;
    void Reset(T object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }
    T Get() const { return object_; }
    operator T() const { return object_; }

private:
    T object_;
};

class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { SelectObject(dc_, previous_); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

inline COLORREF ToColorref(Rgb c) { return RGB(c.r, c.g, c.b); }
