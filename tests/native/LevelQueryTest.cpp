#include "LevelQuery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Stands in for a panel's edit box, labels and the message box service.
struct FakeInput : TextSource {
    std::string text;
    std::optional<std::string> ReadText() const override {
        if (text.empty()) return std::nullopt;
        return text;
    }
};

struct FakeLabel : CaptionTarget {
    std::string caption = "未查询！";
    int sets = 0;
    void SetCaption(std::string_view c) override { caption = c; ++sets; }
};

struct FakeBoxes : MessageBoxes {
    std::vector<std::pair<std::string, std::string>> shown;
    void Show(std::string_view text, std::string_view caption) override {
        shown.emplace_back(text, caption);
    }
};

struct Panel {
    FakeInput input;
    FakeLabel first, second;
    LevelTable table;
    explicit Panel(LevelTable t) : table(t) {}
    void Query(FakeBoxes& boxes, std::string entry) {
        input.text = std::move(entry);
        LevelQuery(QueryPanel{input, first, second, table}, boxes);
    }
};

TEST(TextEquals, AbsentEqualsOnlyEmpty) {
    EXPECT_TRUE(TextEquals(std::nullopt, std::nullopt));
    EXPECT_TRUE(TextEquals(std::nullopt, ""));
    EXPECT_TRUE(TextEquals("", std::nullopt));
    EXPECT_FALSE(TextEquals(std::nullopt, " "));
    EXPECT_FALSE(TextEquals("0", std::nullopt));
}

TEST(TextEquals, ComparesWholeBytes) {
    EXPECT_TRUE(TextEquals("12", "12"));
    for (const char* other : {"01", " 1", "1 ", "１", "11", ""})
        EXPECT_FALSE(TextEquals("1", std::string_view(other))) << other;
    // An embedded zero byte is part of the text, not its end.
    EXPECT_FALSE(TextEquals(std::string_view("1\0" "2", 3), "1"));
}

struct Hit {
    const char* entry;
    const char* first;
    const char* second;
};

TEST(LevelQuery, MatchingLevelSetsBothLabels) {
    const Hit adventure[] = {{"12", "323401", "1900"}, {"0", "0", "300"},
                             {"26", "64574378   ", "3900"}, {"30", "428326799 ", "4500"}};
    const Hit competitive[] = {{"30", "???", "144100000"}, {"1", "Mibo堂平民", "0"}};
    for (auto [table, hits] : {std::pair{AdventureTable, std::span<const Hit>(adventure)},
                               std::pair{CompetitiveTable, std::span<const Hit>(competitive)}}) {
        for (const Hit& hit : hits) {
            SCOPED_TRACE(hit.entry);
            Panel panel(table);
            FakeBoxes boxes;
            panel.Query(boxes, hit.entry);
            EXPECT_EQ(panel.first.caption, hit.first);
            EXPECT_EQ(panel.second.caption, hit.second);
            EXPECT_EQ(panel.first.sets, 1);
            EXPECT_TRUE(boxes.shown.empty());
        }
    }
}

TEST(LevelQuery, EntryWithoutRowChangesNothing) {
    for (LevelTable table : {AdventureTable, CompetitiveTable}) {
        for (const char* entry : {"31", "007", "-1", " 5", "5 ", "   ", "１２", "abc", "12-"}) {
            SCOPED_TRACE(entry);
            Panel panel(table);
            FakeBoxes boxes;
            panel.Query(boxes, "3");  // an earlier query's figures stay showing
            const std::string first = panel.first.caption, second = panel.second.caption;
            panel.Query(boxes, entry);
            EXPECT_EQ(panel.first.caption, first);
            EXPECT_EQ(panel.second.caption, second);
            EXPECT_EQ(panel.first.sets, 1);
            EXPECT_TRUE(boxes.shown.empty());
        }
    }
    Panel competitive(CompetitiveTable);
    FakeBoxes boxes;
    competitive.Query(boxes, "0");
    EXPECT_EQ(competitive.first.caption, "未查询！");
    EXPECT_EQ(competitive.first.sets + competitive.second.sets, 0);
}

TEST(LevelQuery, EmptyEntryWarnsAndChangesNothing) {
    for (LevelTable table : {AdventureTable, CompetitiveTable}) {
        Panel panel(table);
        FakeBoxes boxes;
        panel.Query(boxes, "");
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].first, "你都还没输入等级呢！请重新输入！");
        EXPECT_EQ(boxes.shown[0].second, "提示");
        EXPECT_EQ(panel.first.sets + panel.second.sets, 0);
    }
}

TEST(LevelQuery, OnePanelNeverTouchesTheOther) {
    Panel adventure(AdventureTable), competitive(CompetitiveTable);
    FakeBoxes boxes;
    adventure.Query(boxes, "12");
    competitive.Query(boxes, "30");
    adventure.Query(boxes, "");
    EXPECT_EQ(adventure.first.caption, "323401");
    EXPECT_EQ(competitive.first.caption, "???");
    EXPECT_EQ(competitive.second.caption, "144100000");
}

TEST(LevelQuery, HugeEntryFindsNothing) {
    Panel panel(AdventureTable);
    FakeBoxes boxes;
    panel.Query(boxes, std::string(1 << 20, '1'));
    EXPECT_EQ(panel.first.sets, 0);
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
