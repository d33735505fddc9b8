#include "SkinRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace skin_style;

struct ClassCase {
    const char* name;
    const char* className;
    std::uint32_t style;
    bool parentIsIpAddress;
    bool hasText;
    SkinKind kind;
};

constexpr std::uint32_t kVisibleChild = kChild | 0x10000000 /* visible */;

const ClassCase kClassCases[] = {
    {"PushButton", "Button", kVisibleChild | kPushButton, false, true, SkinKind::PushButton},
    {"DefaultPushButton", "Button", kVisibleChild | kDefPushButton, false, true, SkinKind::PushButton},
    {"UpperCaseClass", "BUTTON", kVisibleChild | kPushButton, false, true, SkinKind::PushButton},
    {"LowerCaseClass", "button", kVisibleChild | kPushButton, false, true, SkinKind::PushButton},
    {"BlankBareTabStopIsSkipped", "Button", kChild | kTabStop, false, false, SkinKind::None},
    {"BlankBareTabStopDefaultIsStillAButton", "Button", kChild | kTabStop | kDefPushButton, false, false,
     SkinKind::PushButton},
    {"BareTabStopWithTextLikeAMessageBoxButton", "Button", kChild | kTabStop, false, true, SkinKind::PushButton},
    {"BlankVisibleButton", "Button", kVisibleChild | kTabStop, false, false, SkinKind::PushButton},
    {"PushLikeCheckBox", "Button", kVisibleChild | kAutoCheckBox | kPushLike, false, true, SkinKind::PushButton},
    {"PushLikeRadio", "Button", kVisibleChild | kRadioButton | kPushLike, false, true, SkinKind::PushButton},
    {"CheckBox", "Button", kVisibleChild | kCheckBox, false, true, SkinKind::CheckBox},
    {"AutoCheckBox", "Button", kVisibleChild | kAutoCheckBox, false, true, SkinKind::CheckBox},
    {"ThreeState", "Button", kVisibleChild | kThreeState, false, true, SkinKind::CheckBox},
    {"AutoThreeState", "Button", kVisibleChild | kAutoThreeState, false, true, SkinKind::CheckBox},
    {"Radio", "Button", kVisibleChild | kRadioButton, false, true, SkinKind::RadioButton},
    {"AutoRadio", "Button", kVisibleChild | kAutoRadioButton, false, true, SkinKind::RadioButton},
    {"GroupBox", "Button", kVisibleChild | kGroupBox, false, true, SkinKind::GroupBox},
    {"UserButton", "Button", kVisibleChild | kUserButton, false, true, SkinKind::None},
    {"OwnerDrawn", "Button", kVisibleChild | kOwnerDraw, false, true, SkinKind::None},
    {"BitmapPushButton", "Button", kVisibleChild | kPushButton | kBitmap, false, true, SkinKind::None},
    {"BitmapCheckBox", "Button", kVisibleChild | kCheckBox | kBitmap, false, true, SkinKind::None},
    {"Edit", "Edit", kVisibleChild, false, false, SkinKind::EditBox},
    {"EditUpperCase", "EDIT", kVisibleChild, false, false, SkinKind::EditBox},
    {"EditInIpAddress", "Edit", kVisibleChild, true, false, SkinKind::None},
    {"DropDownCombo", "ComboBox", kVisibleChild | kComboDropDown, false, false, SkinKind::ComboBox},
    {"DropDownListCombo", "combobox", kVisibleChild | kComboDropDownList, false, false, SkinKind::ComboBox},
    {"SimpleCombo", "ComboBox", kVisibleChild | kComboSimple, false, false, SkinKind::None},
    {"ComboList", "ComboLBox", 0x80000000 /* popup */, false, false, SkinKind::ComboList},
    {"Spin", "msctls_updown32", kVisibleChild, false, false, SkinKind::SpinControl},
    {"ScrollBar", "ScrollBar", kVisibleChild, false, false, SkinKind::Recognised},
    {"MonthCalendar", "SysMonthCal32", kVisibleChild, false, false, SkinKind::Recognised},
    {"Tabs", "SysTabControl32", kVisibleChild, false, false, SkinKind::Recognised},
    {"Progress", "msctls_progress32", kVisibleChild, false, false, SkinKind::Recognised},
    {"Trackbar", "MSCTLS_TRACKBAR32", kVisibleChild, false, false, SkinKind::Recognised},
    {"HotKey", "msctls_hotkey32", kVisibleChild, false, false, SkinKind::None},
    {"ListBox", "ListBox", kVisibleChild, false, false, SkinKind::None},
    {"ListView", "SysListView32", kVisibleChild, false, false, SkinKind::None},
    {"TreeView", "SysTreeView32", kVisibleChild, false, false, SkinKind::None},
    {"DateTime", "SysDateTimePick32", kVisibleChild, false, false, SkinKind::None},
    {"Static", "Static", kVisibleChild, false, true, SkinKind::None},
    {"Dialog", "#32770", 0x80000000, false, true, SkinKind::None},
    {"OwnClass", "WTWindow", 0, false, true, SkinKind::None},
    {"ButtonPrefixIsNotAButton", "Buttons", kVisibleChild, false, true, SkinKind::None},
    {"EditPrefixIsNotAnEdit", "Edi", kVisibleChild, false, false, SkinKind::None},
};

class Classification : public testing::TestWithParam<ClassCase> {};

TEST_P(Classification, KindFromClassAndStyle) {
    const ClassCase& c = GetParam();
    EXPECT_EQ(ClassifyControl({c.className, c.style, c.parentIsIpAddress, c.hasText}), c.kind);
}

INSTANTIATE_TEST_SUITE_P(Table, Classification, testing::ValuesIn(kClassCases),
                         [](const testing::TestParamInfo<ClassCase>& info) { return std::string(info.param.name); });

TEST(Classification, OnlyRealKindsAreRestyled) {
    EXPECT_FALSE(IsRestyled(SkinKind::None));
    EXPECT_FALSE(IsRestyled(SkinKind::Recognised));
    for (SkinKind k : {SkinKind::PushButton, SkinKind::CheckBox, SkinKind::RadioButton, SkinKind::GroupBox,
                       SkinKind::EditBox, SkinKind::ComboBox, SkinKind::ComboList, SkinKind::SpinControl}) {
        EXPECT_TRUE(IsRestyled(k));
    }
}

TEST(SkinScheme, OnlyOneToThreeSwitchOn) {
    for (int style : {1, 2, 3}) EXPECT_TRUE(IsSkinScheme(style)) << style;
    for (int style : {0, -1, 4, -2147483647 - 1, 2147483647}) EXPECT_FALSE(IsSkinScheme(style)) << style;
}

TEST(BandRanking, PressedThenMouseOverThenFocusOrDefault) {
    struct Case { SkinFlags flags; BandState band; };
    const Case cases[] = {
        {{}, BandState::Normal},
        {{.focus = true}, BandState::FocusOrDefault},
        {{.isDefault = true}, BandState::FocusOrDefault},
        {{.mouseOver = true}, BandState::MouseOver},
        {{.focus = true, .mouseOver = true, .isDefault = true}, BandState::MouseOver},
        {{.pressed = true}, BandState::Pressed},
        {{.focus = true, .mouseOver = true, .pressed = true, .isDefault = true}, BandState::Pressed},
        {{.readOnly = true}, BandState::Normal},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RankBand(c.flags), c.band) << static_cast<int>(c.band);
    }
}

constexpr Rgb kFace{236, 233, 216};
constexpr Rgb kWindow{255, 255, 255};

TEST(SchemeTwo, PushButtonColoursPerState) {
    const Shade normalBand{{255, 255, 255}, {226, 223, 214}};
    const Shade hotBand{{255, 240, 207}, {229, 151, 0}};
    const Shade face{{252, 252, 251}, {236, 225, 201}};
    const Shade pressed{{239, 227, 206}, {239, 227, 206}};
    const Shade disabled{{245, 244, 234}, {245, 244, 234}};
    constexpr Rgb kBorder{55, 98, 6}, kBlack{0, 0, 0};
    struct Case { const char* state; SkinFlags flags; Rgb border; Shade band, face; Rgb caption; };
    const Case cases[] = {
        {"normal", {}, kBorder, normalBand, face, kBlack},
        {"mouse over", {.mouseOver = true}, kBorder, hotBand, face, kBlack},
        {"focus", {.focus = true}, kBorder, hotBand, face, kBlack},
        {"default", {.isDefault = true}, kBorder, hotBand, face, kBlack},
        {"pressed", {.mouseOver = true, .pressed = true}, kBorder, pressed, pressed, kBlack},
        {"disabled", {.disabled = true}, {204, 201, 184}, disabled, disabled, {165, 162, 148}},
        {"disabled default", {.disabled = true, .isDefault = true}, {204, 201, 184}, disabled, disabled,
         {165, 162, 148}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        const PushButtonColours got = PushButtonColoursFor(2, c.flags, kFace);
        EXPECT_EQ(got.ring, kFace);
        EXPECT_EQ(got.border, c.border);
        EXPECT_EQ(got.band, c.band);
        EXPECT_EQ(got.face, c.face);
        EXPECT_EQ(got.caption, c.caption);
    }
}

TEST(SchemeTwo, EditFrameAndGroupFrame) {
    struct Case { const char* state; SkinFlags flags; Rgb outer, inner; };
    const Case cases[] = {
        {"normal", {}, {164, 185, 127}, kWindow},
        {"focus", {.focus = true}, {164, 185, 127}, kWindow},
        {"read-only", {.readOnly = true}, {164, 185, 127}, kFace},
        {"disabled", {.disabled = true}, {204, 201, 184}, kFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        const EditFrameColours got = EditFrameColoursFor(2, c.flags, kFace, kWindow);
        EXPECT_EQ(got.outer, c.outer);
        EXPECT_EQ(got.inner, c.inner);
    }
    EXPECT_EQ(GroupFrameColourFor(2), (Rgb{191, 184, 191}));
}

TEST(SchemeTwo, OutOfRangeSchemesPaintAsTwo) {
    EXPECT_EQ(PushButtonColoursFor(0, {}, kFace).border, (Rgb{55, 98, 6}));
    EXPECT_EQ(GroupFrameColourFor(7), (Rgb{191, 184, 191}));
    EXPECT_NE(PushButtonColoursFor(1, {}, kFace).border, (Rgb{55, 98, 6}));
}

TEST(Darkened, LessThirtyTwoStoppingAtZero) {
    EXPECT_EQ(Darkened({236, 233, 216}), (Rgb{204, 201, 184}));
    EXPECT_EQ(Darkened({32, 10, 255}), (Rgb{0, 0, 223}));
}

TEST(Shading, EndsExactAndStepsInBetween) {
    const Shade s{{255, 240, 207}, {229, 151, 0}};
    EXPECT_EQ(ShadeAt(s, 0, 18), s.top);
    EXPECT_EQ(ShadeAt(s, 17, 18), s.bottom);
    EXPECT_EQ(ShadeAt(s, 1, 3), (Rgb{242, 196, 104}));
    EXPECT_EQ(ShadeAt(s, 0, 1), s.top);  // a one-row band takes the top colour
    EXPECT_EQ(ShadeAt(s, 5, 5), s.bottom);
}

TEST(GroupCaption, GapPlacedByAlignment) {
    EXPECT_EQ(GroupCaptionLeft(CaptionAlign::Left, 180, 30), 10);
    EXPECT_EQ(GroupCaptionLeft(CaptionAlign::Right, 180, 30), 140);
    EXPECT_EQ(GroupCaptionLeft(CaptionAlign::Centre, 180, 31), 74);
}

}  // namespace
