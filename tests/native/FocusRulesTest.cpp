#include "FocusRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int At(const char* name) { return ControlIndex(name); }

TEST(FocusRules, OrderOfTheMainWindowIsTheTwoButtons) {
    std::vector<int> order = FocusOrder(kMainWindowControls);
    EXPECT_EQ(order, (std::vector<int>{At("按钮1"), At("按钮4")}));
}

TEST(FocusRules, OrderFollowsFlagsAndTabOrder) {
    auto controls = kMainWindowControls;
    controls[At("编辑框2")].tabStop = true;
    controls[At("按钮1")].tabOrder = 2;
    controls[At("按钮4")].enabled = false;
    controls[At("标签5")].tabStop = true;  // labels never take the focus
    EXPECT_EQ(FocusOrder(controls), (std::vector<int>{At("编辑框2"), At("按钮1")}));
}

TEST(FocusRules, TabAndShiftTabFromEveryControl) {
    const std::vector<int> order = FocusOrder(kMainWindowControls);
    struct Case { const char* from; const char* tab; const char* shiftTab; };
    const Case cases[] = {
        {"按钮1", "按钮4", "按钮4"},   {"按钮4", "按钮1", "按钮1"},
        {"编辑框1", "按钮1", "按钮4"}, {"编辑框2", "按钮4", "按钮1"},
        {"超级链接框2", "按钮1", "按钮4"},  // stored before both buttons
        {"分组框1", "按钮1", "按钮4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(NextFocus(order, At(c.from), true), At(c.tab));
        EXPECT_EQ(NextFocus(order, At(c.from), false), At(c.shiftTab));
    }
    EXPECT_EQ(NextFocus(order, std::nullopt, true), At("按钮1"));
    EXPECT_EQ(NextFocus(order, std::nullopt, false), At("按钮4"));
    EXPECT_EQ(NextFocus({}, At("按钮1"), true), -1);
}

TEST(WindowDescription, CentredOriginRoundsTowardZero) {
    EXPECT_EQ(CentredOrigin(1024, 207), 408);
    EXPECT_EQ(CentredOrigin(768, 389), 189);
    EXPECT_EQ(CentredOrigin(200, 207), -3);  // -3.5 toward zero
}

TEST(WindowDescription, ParentsAreGroupBoxesStoredAnywhere) {
    for (const ControlDescription& c : kMainWindowControls) {
        SCOPED_TRACE(std::string(c.name));
        if (c.parent.empty()) continue;
        int parent = At(std::string(c.parent).c_str());
        ASSERT_GE(parent, 0);
        EXPECT_EQ(kMainWindowControls[parent].kind, ControlKind::GroupBox);
    }
}

}  // namespace
