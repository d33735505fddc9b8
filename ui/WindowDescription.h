#pragma once
// The main window as data: its own settings and its twenty controls in stored
// order (also the stacking order among siblings, the first on top).

#include "LevelTables.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

struct Rgb {
    std::uint8_t r, g, b;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

enum class ControlKind { EditBox, GroupBox, Label, Button, HyperLinker };

enum class FontChoice {
    DefaultGui,  // the platform's stock GUI font
    Song14,      // face "宋体", 14 px, weight 400
};

struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    std::string_view parent;  // a group box's name, or empty for the window
    int left, top, width, height;
    std::string_view text;    // initial caption
    Rgb textColour;           // links: the normal colour
    Rgb background;
    FontChoice font;
    std::string_view address; // links only
    bool tabStop;
    bool visible = true;
    bool enabled = true;
    int tabOrder = 0;
};

struct MainWindowSettings {
    std::string_view title;
    std::string_view className;
    int width, height;  // outer size, frame and title bar included
    Rgb background;
};

inline constexpr MainWindowSettings kMainWindow{"Tarvelo", "WTWindow", 207, 389, {223, 255, 255}};

// The maker's site, bare (the shell takes "www." hosts as web addresses), and
// the same host as the credits box shows it.
inline constexpr std::string_view kMakerAddress = "www.corvaly.example";
inline constexpr std::string_view kCreditsCaption = "Ostrel 提示：";
inline constexpr std::string_view kCreditsText =
    "本软件由 Corvaly 制作\r\n 网址：http://www.corvaly.example";

extern const std::array<ControlDescription, 20> kMainWindowControls;

// One lookup panel: which controls the query reads and writes, and its table.
struct PanelDescription {
    std::string_view groupBox, input, button, firstLabel, secondLabel;
    LevelTable table;
};

extern const std::array<PanelDescription, 2> kPanels;

// Index of the control with that name in kMainWindowControls, or -1.
int ControlIndex(std::string_view name);

// Where a window of `size` is centred on a screen of `screen` pixels, the
// quotient rounded toward zero.
constexpr int CentredOrigin(int screen, int size) { return (screen - size) / 2; }
