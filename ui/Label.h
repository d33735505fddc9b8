#pragma once
// The label kind: a window class of the program's own whose window text is
// its caption, drawn on its own background colour.

#include "LevelQuery.h"
#include "WindowDescription.h"

#include <windows.h>

// Creates the label hidden, as a child of `parent`.
HWND CreateLabel(HWND parent, int id, const ControlDescription& d);

// A label as the level query sees it: setting a caption stores it as the
// window text and repaints later, without erasing.
class LabelCaption final : public CaptionTarget {
public:
    explicit LabelCaption(HWND label) : label_(label) {}
    void SetCaption(std::string_view caption) override;

private:
    HWND label_;
};

// Creates the font a control description asks for; the stock GUI font is
// shared and must not be deleted, so `owned` tells the caller.
HFONT CreateDescribedFont(FontChoice font, bool& owned);
