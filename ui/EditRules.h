#pragma once
// The edit boxes' keyboard filter and line layout, kept free of Win32 types.

// Whether a typed character reaches the box: control codes (below 32), "-"
// and the digits pass; everything else, every code from 128 up included, is
// dropped, so neither an input method nor full-width digits get through.
bool PassesTypedFilter(unsigned code);

// A vertical band [top, bottom).
struct LineBand {
    int top, bottom;
    friend constexpr bool operator==(LineBand, LineBand) = default;
};

// The band of one line of `lineHeight` centred in `inside`: it starts
// (available - line) / 2 below the top, rounded toward zero. A line that does
// not fit leaves `inside` unchanged, so the box never grows past its border.
LineBand CentredLine(LineBand inside, int lineHeight);

// A single-line box is at least one line plus an edge above and below.
int RaisedEditHeight(int storedHeight, int lineHeight, int edgeHeight);
