#include "SkinRules.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

SkinKind ClassifyButton(std::uint32_t style, bool hasText) {
    using namespace skin_style;
    if (style & kBitmap) return SkinKind::None;
    const std::uint32_t type = style & kButtonTypeMask;
    const bool pushLike = (style & kPushLike) != 0;
    switch (type) {
    case kPushButton:
    case kDefPushButton:
        // A blank tab stop with nothing else set is a placeholder, not a button to dress.
        if (!hasText && style == (kChild | kTabStop)) return SkinKind::None;
        return SkinKind::PushButton;
    case kCheckBox:
    case kAutoCheckBox:
    case kThreeState:
    case kAutoThreeState: return pushLike ? SkinKind::PushButton : SkinKind::CheckBox;
    case kRadioButton:
    case kAutoRadioButton: return pushLike ? SkinKind::PushButton : SkinKind::RadioButton;
    case kGroupBox: return SkinKind::GroupBox;
    default: return SkinKind::None;  // user, owner-drawn and the newer button types
    }
}

struct SchemeColours {
    Rgb border;
    Shade band, hotBand;
    Rgb pressed;
    Shade face;
    Rgb disabledFill, disabledCaption;
    Rgb editFrame, groupFrame;
};

// Scheme 2 is the program's; 1 (blue) and 3 (silver) are variants of it.
constexpr std::array<SchemeColours, 3> kSchemes{{
    {{0, 60, 116}, {{255, 255, 255}, {214, 208, 197}}, {{206, 231, 255}, {105, 130, 238}}, {226, 230, 234},
     {{252, 252, 254}, {220, 226, 236}}, {245, 244, 234}, {161, 161, 146}, {127, 157, 185}, {208, 208, 191}},
    {{55, 98, 6}, {{255, 255, 255}, {226, 223, 214}}, {{255, 240, 207}, {229, 151, 0}}, {239, 227, 206},
     {{252, 252, 251}, {236, 225, 201}}, {245, 244, 234}, {165, 162, 148}, {164, 185, 127}, {191, 184, 191}},
    {{21, 66, 139}, {{255, 255, 255}, {198, 197, 215}}, {{255, 240, 207}, {248, 179, 48}}, {224, 226, 235},
     {{255, 255, 255}, {214, 213, 227}}, {245, 244, 234}, {161, 161, 146}, {165, 172, 178}, {208, 208, 191}},
}};

const SchemeColours& Scheme(int scheme) { return kSchemes[IsSkinScheme(scheme) ? scheme - 1 : 1]; }

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, int row, int rows) {
    return static_cast<std::uint8_t>(from + (to - from) * row / (rows - 1));
}

}  // namespace

SkinKind ClassifyControl(const SkinCandidate& c) {
    const std::string_view name = c.className;
    if (SameName(name, "Button")) return ClassifyButton(c.style, c.hasText);
    if (SameName(name, "Edit")) return c.parentIsIpAddress ? SkinKind::None : SkinKind::EditBox;
    if (SameName(name, "ComboBox")) {
        const std::uint32_t type = c.style & skin_style::kComboTypeMask;
        return type == skin_style::kComboDropDown || type == skin_style::kComboDropDownList ? SkinKind::ComboBox
                                                                                             : SkinKind::None;
    }
    if (SameName(name, "ComboLBox")) return SkinKind::ComboList;
    if (SameName(name, "msctls_updown32")) return SkinKind::SpinControl;
    for (std::string_view recognised :
         {"ScrollBar", "SysMonthCal32", "SysTabControl32", "msctls_progress32", "msctls_trackbar32"}) {
        if (SameName(name, recognised)) return SkinKind::Recognised;
    }
    return SkinKind::None;
}

BandState RankBand(const SkinFlags& f) {
    if (f.pressed) return BandState::Pressed;
    if (f.mouseOver) return BandState::MouseOver;
    if (f.focus || f.isDefault) return BandState::FocusOrDefault;
    return BandState::Normal;
}

Rgb ShadeAt(Shade s, int row, int rows) {
    if (rows <= 1 || row <= 0) return s.top;
    if (row >= rows - 1) return s.bottom;
    return {Mix(s.top.r, s.bottom.r, row, rows), Mix(s.top.g, s.bottom.g, row, rows),
            Mix(s.top.b, s.bottom.b, row, rows)};
}

Rgb Darkened(Rgb face) {
    auto less = [](std::uint8_t v) { return static_cast<std::uint8_t>(v > 32 ? v - 32 : 0); };
    return {less(face.r), less(face.g), less(face.b)};
}

PushButtonColours PushButtonColoursFor(int scheme, const SkinFlags& flags, Rgb buttonFace) {
    const SchemeColours& s = Scheme(scheme);
    constexpr Rgb kBlack{0, 0, 0};
    if (flags.disabled) {
        const Shade flat{s.disabledFill, s.disabledFill};
        return {buttonFace, Darkened(buttonFace), flat, flat, s.disabledCaption};
    }
    switch (RankBand(flags)) {
    case BandState::Pressed: {
        const Shade flat{s.pressed, s.pressed};
        return {buttonFace, s.border, flat, flat, kBlack};
    }
    case BandState::MouseOver:
    case BandState::FocusOrDefault: return {buttonFace, s.border, s.hotBand, s.face, kBlack};
    case BandState::Normal: break;
    }
    return {buttonFace, s.border, s.band, s.face, kBlack};
}

EditFrameColours EditFrameColoursFor(int scheme, const SkinFlags& flags, Rgb buttonFace, Rgb window) {
    if (flags.disabled) return {Darkened(buttonFace), buttonFace};
    return {Scheme(scheme).editFrame, flags.readOnly ? buttonFace : window};
}

Rgb GroupFrameColourFor(int scheme) { return Scheme(scheme).groupFrame; }

int GroupCaptionLeft(CaptionAlign align, int boxWidth, int width) {
    switch (align) {
    case CaptionAlign::Right: return boxWidth - kGroupCaptionIndent - width;
    case CaptionAlign::Centre: return (boxWidth - width) / 2;
    case CaptionAlign::Left: break;
    }
    return kGroupCaptionIndent;
}
