#include "WindowDescription.h"

namespace {
constexpr Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kWhite{255, 255, 255};
constexpr Rgb kPale{223, 255, 255}, kCyan{0, 255, 255};
constexpr Rgb kMagenta{255, 0, 255}, kBlue{0, 0, 255}, kAzure{0, 136, 255};
constexpr auto Gui = FontChoice::DefaultGui, Song = FontChoice::Song14;
constexpr auto Edit = ControlKind::EditBox, Group = ControlKind::GroupBox,
               Label = ControlKind::Label, Button = ControlKind::Button,
               Link = ControlKind::HyperLinker;
}  // namespace

// clang-format off
const std::array<ControlDescription, 20> kMainWindowControls{{
//   name            kind    parent     left  top  width height text                        text colour background font  address                               tab stop
    {"超级链接框2", Link,   "",          8,  328, 184, 32, "→Corvaly←",                 kMagenta,  kPale,     Gui,  "www.corvaly.example",                 false},
    {"超级链接框1", Link,   "",          8,  304, 184, 32, "→制作人：Ostrel←",          kBlue,     kPale,     Gui,  "xmpp:ostrel@corvaly.example?message", false},
    {"分组框2",     Group,  "",          5,    7, 192, 144, "Mibo堂 竞技等级速查",      kRed,      kCyan,     Gui,  "", false},
    {"标签8",       Label,  "分组框2",  72,  112, 107, 16, "未查询！",                  kBlack,    kPale,     Gui,  "", false},
    {"标签9",       Label,  "分组框2",  72,   88, 107, 24, "未查询！",                  kBlack,    kPale,     Gui,  "", false},
    {"标签10",      Label,  "分组框2",  15,  112,  64, 16, "总经验：",                  kBlack,    kPale,     Gui,  "", false},
    {"标签11",      Label,  "分组框2",  16,   88,  72, 24, "称号 ：",                   kBlack,    kPale,     Gui,  "", false},
    {"标签12",      Label,  "分组框2",  16,   56, 163, 32, "查询结果",                  kAzure,    kPale,     Gui,  "", false},
    {"按钮4",       Button, "分组框2", 128,   24,  56, 24, "查询",                      kBlack,    kPale,     Gui,  "", true},
    {"编辑框2",     Edit,   "分组框2",  72,   26,  48, 20, "",                          kRed,      kWhite,    Gui,  "", false},
    {"标签13",      Label,  "分组框2",   7,   24,  60, 24, "输入等级:",                 kBlack,    kPale,     Song, "", false},
    {"标签6",       Label,  "分组框1",  72,  112, 107, 16, "未查询！",                  kBlack,    kPale,     Gui,  "", false},
    {"标签5",       Label,  "分组框1",  72,   88, 107, 24, "未查询！",                  kBlack,    kPale,     Gui,  "", false},
    {"标签4",       Label,  "分组框1",  16,  112,  64, 16, "血量：",                    kBlack,    kPale,     Gui,  "", false},
    {"标签3",       Label,  "分组框1",  16,   88,  72, 24, "勇气值：",                  kBlack,    kPale,     Gui,  "", false},
    {"标签2",       Label,  "分组框1",  16,   56, 163, 32, "查询结果",                  kRed,      kPale,     Gui,  "", false},
    {"按钮1",       Button, "分组框1", 128,   24,  56, 24, "查询",                      kBlack,    kPale,     Gui,  "", true},
    {"编辑框1",     Edit,   "分组框1",  72,   26,  48, 20, "",                          kRed,      kWhite,    Gui,  "", false},
    {"标签1",       Label,  "分组框1",   7,   24,  60, 24, "输入等级:",                 kBlack,    kPale,     Song, "", false},
    {"分组框1",     Group,  "",          5,  160, 192, 144, "Mibo堂 探险等级速查",      kRed,      kPale,     Gui,  "", false},
}};
// clang-format on

const std::array<PanelDescription, 2> kPanels{{
    {"分组框2", "编辑框2", "按钮4", "标签9", "标签8", CompetitiveTable},
    {"分组框1", "编辑框1", "按钮1", "标签5", "标签6", AdventureTable},
}};

int ControlIndex(std::string_view name) {
    for (size_t i = 0; i < kMainWindowControls.size(); ++i)
        if (kMainWindowControls[i].name == name) return static_cast<int>(i);
    return -1;
}
