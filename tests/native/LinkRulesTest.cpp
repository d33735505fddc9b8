#include "LinkRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

// One registry value for the ".htm" open command, from the bytes the read
// handed over to the command line that the fallback starts.
struct CommandCase {
    const char* name;
    std::string data;
    std::optional<std::string> expected;
};

std::ostream& operator<<(std::ostream& out, const CommandCase& c) { return out << c.name; }

class FallbackCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(FallbackCommand, IsCutAndGetsTheAddress) {
    const CommandCase& c = GetParam();
    std::optional<std::string> line;
    if (auto command = RegistryText(c.data)) line = FallbackCommandLine(*command, "www.a.example");
    EXPECT_EQ(line, c.expected);
}

const std::string kLong(300, 'x');
const std::string kFull(kRegistryTextCapacity, 'y');

INSTANTIATE_TEST_SUITE_P(
    Values, FallbackCommand,
    testing::Values(
        CommandCase{"QuotedPercentOne", "\"C:\\b\\browser.exe\" \"%1\"\0"s, "\"C:\\b\\browser.exe\"  www.a.example"},
        CommandCase{"QuotedWinsOverAnEarlierBare", "b.exe %1 -x \"%1\"\0"s, "b.exe %1 -x  www.a.example"},
        CommandCase{"BarePercentOne", "b.exe -nohome %1 -new\0"s, "b.exe -nohome  www.a.example"},
        CommandCase{"OnlyTheFirstBareCounts", "b.exe %1 %1\0"s, "b.exe  www.a.example"},
        CommandCase{"HalfQuotedIsBare", "b.exe \"%1 x\0"s, "b.exe \" www.a.example"},
        CommandCase{"NoPercentOne", "C:\\b\\browser.exe -nohome\0"s, "C:\\b\\browser.exe -nohome www.a.example"},
        CommandCase{"PercentOneAtTheStart", "%1 b.exe\0"s, " www.a.example"},
        CommandCase{"QuotedAtTheStart", "\"%1\" b.exe\0"s, " www.a.example"},
        CommandCase{"PercentOneAtTheEnd", "b.exe %1"s, "b.exe  www.a.example"},
        CommandCase{"PercentAloneIsNotAnArgument", "b.exe %\0"s, "b.exe % www.a.example"},
        CommandCase{"NoTerminator", "b.exe"s, "b.exe www.a.example"},
        CommandCase{"TextEndsAtTheFirstNul", "b.exe\0junk %1\0"s, "b.exe www.a.example"},
        CommandCase{"FillsTheBufferWithoutTerminator", kFull, kFull + " www.a.example"},
        CommandCase{"FillsTheBufferWithTerminator", kFull.substr(1) + '\0', kFull.substr(1) + " www.a.example"},
        CommandCase{"OneByteTooLong", kFull + '\0', std::nullopt},
        CommandCase{"OverLong", kLong, std::nullopt},
        CommandCase{"Empty", "\0"s, std::nullopt},
        CommandCase{"NoBytes", ""s, std::nullopt}),
    [](const testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

TEST(LinkRules, ClassNameIsReadTheSameWay) {
    EXPECT_EQ(RegistryText("htmlfile\0"s), "htmlfile");
    EXPECT_EQ(RegistryText("htmlfile"s), "htmlfile");
    EXPECT_EQ(RegistryText(kLong), std::nullopt);
}

}  // namespace
