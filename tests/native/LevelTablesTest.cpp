// Checks the compiled-in figures against a second transcription written the
// other way round: the visible figure and the number of blanks after it.
#include "LevelTables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Expected {
    const char* key;
    const char* first;
    int firstBlanks;
    const char* second;
    int secondBlanks;
};

std::string WithBlanks(const char* figure, int blanks) {
    return std::string(figure) + std::string(blanks, ' ');
}

void ExpectTable(LevelTable table, std::span<const Expected> expected) {
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(std::string("level ") + e.key);
        EXPECT_EQ(table[i].key, e.key);
        EXPECT_EQ(table[i].first, WithBlanks(e.first, e.firstBlanks));
        EXPECT_EQ(table[i].second, WithBlanks(e.second, e.secondBlanks));
    }
}

constexpr Expected kAdventure[] = {
    {"0", "0", 0, "300", 0},          {"1", "573", 0, "400", 0},
    {"2", "1289", 0, "500", 0},       {"3", "2447", 0, "600", 0},
    {"4", "4481", 0, "700", 0},       {"5", "7952", 0, "1000", 0},
    {"6", "20000", 0, "1100", 0},     {"7", "36100", 0, "1200", 0},
    {"8", "60000", 0, "1300", 0},     {"9", "96000", 0, "1400", 0},
    {"10", "154000", 0, "1700", 0},   {"11", "231000", 0, "1800", 0},
    {"12", "323401", 0, "1900", 0},   {"13", "431858", 0, "2000", 0},
    {"14", "565350", 1, "2100", 1},   {"15", "790000", 1, "2400", 0},
    {"16", "104000", 1, "2500", 0},   {"17", "1430000", 1, "2600", 1},
    {"18", "1880000", 1, "2700", 1},  {"19", "2420000", 1, "2800", 1},
    {"20", "3010000", 1, "3100", 1},  {"21", "5322310", 1, "3200", 2},
    {"22", "9070163", 1, "3300", 2},  {"23", "15066729", 1, "3400", 1},
    {"24", "24661235", 2, "3500", 1}, {"25", "40012444", 2, "3800", 1},
    {"26", "64574378", 3, "3900", 0}, {"27", "103873473", 2, "4000", 0},
    {"28", "166752024", 1, "4100", 0}, {"29", "267357707", 1, "4200", 0},
    {"30", "428326799", 1, "4500", 0},
};

constexpr Expected kCompetitive[] = {
    {"1", "Mibo堂平民", 0, "0", 0},         {"2", "糖果爱好者", 0, "10000", 0},
    {"3", "采购学徒", 0, "30000", 0},       {"4", "熬糖工人", 0, "60000", 0},
    {"5", "拌糖熟练工", 0, "100000", 0},    {"6", "甜味技术员", 0, "150000", 0},
    {"7", "捏形师傅", 0, "210000", 0},      {"8", "品糖高手", 0, "280000", 0},
    {"9", "造型专家", 0, "360000", 0},      {"10", "Mibo糖大师", 0, "450000", 0},
    {"11", "糖果志愿者", 0, "550000", 0},   {"12", "奶酪预备兵", 0, "700000", 0},
    {"13", "Mibo糖战士", 0, "900000", 0},   {"14", "刨冰骑兵", 0, "1150000", 0},
    {"15", "棒棒糖游侠", 0, "1450000", 0},  {"16", "饼干队长", 0, "1800000", 0},
    {"17", "果冻骑士", 0, "2200000", 0},    {"18", "棒棒糖将军", 0, "2650000", 0},
    {"19", "冰琪淋勇者", 0, "3150000", 0},  {"20", "Mibo堂英雄", 0, "3700000", 0},
    {"21", "糖果镇长", 0, "4300000", 0},    {"22", "中华城主", 0, "5000000", 0},
    {"23", "梦幻岛主", 0, "5900000", 0},    {"24", "星星公爵", 0, "7100000", 0},
    {"25", "月亮王子/公主", 0, "8700000", 0}, {"26", "太阳国王/女王", 0, "10800000", 0},
    {"27", "紫钻皇帝/女皇", 0, "13500000", 0}, {"28", "酷比大天使", 0, "25350000", 0},
    {"29", "创世之神", 0, "63300000", 0},   {"30", "???", 0, "144100000", 0},
};

long Figure(std::string_view text) { return std::stol(std::string(text)); }

TEST(LevelTables, AdventureRowsAreExact) { ExpectTable(AdventureTable, kAdventure); }

TEST(LevelTables, CompetitiveRowsAreExact) { ExpectTable(CompetitiveTable, kCompetitive); }

// HP rises by 100 a level and by 300 at every fifth level.
TEST(LevelTables, AdventureHpSteps) {
    for (size_t level = 1; level < AdventureTable.size(); ++level) {
        SCOPED_TRACE(level);
        long step = Figure(AdventureTable[level].second) - Figure(AdventureTable[level - 1].second);
        EXPECT_EQ(step, level % 5 == 0 ? 300 : 100);
    }
}

// Courage rises every level except at 16, whose figure is stored as players
// know it: six digits and a blank, below level 15's.
TEST(LevelTables, AdventureCourageRisesExceptAtSixteen) {
    EXPECT_EQ(AdventureTable[16].first, "104000 ");
    for (size_t level = 1; level < AdventureTable.size(); ++level) {
        SCOPED_TRACE(level);
        bool rises = Figure(AdventureTable[level].first) > Figure(AdventureTable[level - 1].first);
        EXPECT_EQ(rises, level != 16);
    }
}

TEST(LevelTables, KeysAreTheLevelsInOrder) {
    for (size_t i = 0; i < AdventureTable.size(); ++i)
        EXPECT_EQ(AdventureTable[i].key, std::to_string(i));
    for (size_t i = 0; i < CompetitiveTable.size(); ++i)
        EXPECT_EQ(CompetitiveTable[i].key, std::to_string(i + 1));
}

}  // namespace
