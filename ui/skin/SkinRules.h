#pragma once
// The control skin's portable rules: which controls it restyles, and the
// colours each colour scheme gives them in each state.

#include "WindowDescription.h"

#include <cstdint>
#include <string_view>

// Window style bits the classification reads, mirrored so that these rules
// build without <windows.h> (the Win32 side checks they agree).
namespace skin_style {
inline constexpr std::uint32_t kChild = 0x40000000;
inline constexpr std::uint32_t kTabStop = 0x00010000;
inline constexpr std::uint32_t kButtonTypeMask = 0x0000000F;
inline constexpr std::uint32_t kPushButton = 0x0;
inline constexpr std::uint32_t kDefPushButton = 0x1;
inline constexpr std::uint32_t kCheckBox = 0x2;
inline constexpr std::uint32_t kAutoCheckBox = 0x3;
inline constexpr std::uint32_t kRadioButton = 0x4;
inline constexpr std::uint32_t kThreeState = 0x5;
inline constexpr std::uint32_t kAutoThreeState = 0x6;
inline constexpr std::uint32_t kGroupBox = 0x7;
inline constexpr std::uint32_t kUserButton = 0x8;
inline constexpr std::uint32_t kAutoRadioButton = 0x9;
inline constexpr std::uint32_t kOwnerDraw = 0xB;
inline constexpr std::uint32_t kBitmap = 0x00000080;
inline constexpr std::uint32_t kPushLike = 0x00001000;
inline constexpr std::uint32_t kComboTypeMask = 0x3;
inline constexpr std::uint32_t kComboSimple = 0x1;
inline constexpr std::uint32_t kComboDropDown = 0x2;
inline constexpr std::uint32_t kComboDropDownList = 0x3;
}  // namespace skin_style

enum class SkinKind {
    None,        // left alone
    Recognised,  // known to the skin but keeps its own look
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    EditBox,
    ComboBox,
    ComboList,
    SpinControl,
};

constexpr bool IsRestyled(SkinKind kind) { return kind != SkinKind::None && kind != SkinKind::Recognised; }

// What the classification needs to know about a window.
struct SkinCandidate {
    std::string_view className;  // any case
    std::uint32_t style;
    bool parentIsIpAddress;      // the parent's class is SysIPAddress32
    bool hasText;
};

SkinKind ClassifyControl(const SkinCandidate& candidate);

// Colour schemes 1 to 3 switch the skin on; any other style means off.
constexpr bool IsSkinScheme(int style) { return style >= 1 && style <= 3; }

struct SkinFlags {
    bool disabled = false;
    bool focus = false;
    bool mouseOver = false;
    bool pressed = false;
    bool isDefault = false;
    bool readOnly = false;
};

// The push button's state band, in rank order: a higher state wins.
enum class BandState { Normal, FocusOrDefault, MouseOver, Pressed };
BandState RankBand(const SkinFlags& flags);

// A colour shaded from the top row to the bottom row (flat when both agree).
struct Shade {
    Rgb top, bottom;
    friend constexpr bool operator==(Shade, Shade) = default;
};

// The colour of `row` out of `rows`: exactly top at 0 and bottom at rows - 1.
Rgb ShadeAt(Shade shade, int row, int rows);

// The button face less 32 in each component, stopping at 0.
Rgb Darkened(Rgb buttonFace);

struct PushButtonColours {
    Rgb ring;    // outermost pixel
    Rgb border;  // rounded, one pixel
    Shade band;  // two pixels inside the border
    Shade face;
    Rgb caption;
};

struct EditFrameColours {
    Rgb outer, inner;
};

// Schemes outside 1 to 3 paint as scheme 2.
PushButtonColours PushButtonColoursFor(int scheme, const SkinFlags& flags, Rgb buttonFace);
EditFrameColours EditFrameColoursFor(int scheme, const SkinFlags& flags, Rgb buttonFace, Rgb window);
Rgb GroupFrameColourFor(int scheme);

// Where the group box caption's gap starts, for a caption `width` wide in a
// box `boxWidth` wide.
enum class CaptionAlign { Left, Centre, Right };
inline constexpr int kGroupCaptionIndent = 10;
int GroupCaptionLeft(CaptionAlign align, int boxWidth, int width);
