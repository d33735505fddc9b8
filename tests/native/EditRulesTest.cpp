#include "EditRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EditRules, FilterPassesControlCodesMinusAndDigitsOnly) {
    for (unsigned code = 0; code < 32; ++code) EXPECT_TRUE(PassesTypedFilter(code)) << code;
    for (char c : std::string("-0123456789")) EXPECT_TRUE(PassesTypedFilter(c)) << c;
    // Neighbours of the passing range, blanks, signs, letters and DEL.
    for (char c : std::string(" +.,/:aAzZ\x7f")) EXPECT_FALSE(PassesTypedFilter(c)) << c;
}

TEST(EditRules, FilterDropsEveryCodeFrom128Up) {
    // GBK lead and trail bytes, Latin-1, CJK text, full-width digits and minus.
    for (unsigned code : {0x80u, 0xA1u, 0xB0u, 0xFEu, 0xFFu, 0x4E2Du, 0xFF10u, 0xFF19u, 0xFF0Du, 0xFFFFu})
        EXPECT_FALSE(PassesTypedFilter(code)) << std::hex << code;
}

TEST(EditRules, LineIsCentredRoundingTowardZero) {
    struct Case { LineBand inside; int line; LineBand expected; };
    const Case cases[] = {
        {{1, 19}, 14, {3, 17}},     // the stored 20-pixel box: 18 available, 4 to spare
        {{1, 20}, 14, {3, 17}},     // 5 to spare: 2 above, 3 below
        {{10, 30}, 13, {13, 26}},   // 7 to spare, away from the origin
        {{1, 15}, 13, {1, 14}},     // 1 to spare: nothing above
        {{-6, 6}, 4, {-2, 2}},      // a negative top works the same way
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inside.top << ".." << c.inside.bottom << " line " << c.line);
        EXPECT_EQ(CentredLine(c.inside, c.line), c.expected);
    }
}

TEST(EditRules, LineThatDoesNotFitLeavesTheAreaAlone) {
    EXPECT_EQ(CentredLine({1, 15}, 14), (LineBand{1, 15}));
    EXPECT_EQ(CentredLine({1, 10}, 14), (LineBand{1, 10}));
    EXPECT_EQ(CentredLine({1, 15}, 0), (LineBand{1, 15}));
}

TEST(EditRules, HeightIsRaisedToOneLinePlusTwoEdges) {
    EXPECT_EQ(RaisedEditHeight(20, 14, 2), 20);  // the stored height is enough
    EXPECT_EQ(RaisedEditHeight(18, 14, 2), 18);  // exactly enough
    EXPECT_EQ(RaisedEditHeight(17, 14, 2), 18);
    EXPECT_EQ(RaisedEditHeight(0, 14, 2), 18);
}

}  // namespace
