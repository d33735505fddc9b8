#include "HandCursor.h"

#include <array>
#include <cstdint>

namespace {

constexpr int kSize = 32;
constexpr POINT kHotSpot{6, 1};

// '#' black outline, '.' white fill, anything else transparent.
constexpr std::array<const char*, kSize> kPicture{{
    "     ##                         ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..###                      ",
    "    #..#..###                   ",
    "    #..#..#..##                 ",
    "    #..#..#..#.#                ",
    " ## #..#..#..#..#               ",
    "#..##........#..#               ",
    "#...#...........#               ",
    " #..............#               ",
    "  #.............#               ",
    "  #.............#               ",
    "   #............#               ",
    "   #...........#                ",
    "    #..........#                ",
    "    #.........#                 ",
    "     #........#                 ",
    "     #........#                 ",
    "     ##########                 ",
    "", "", "", "", "", "", "", "", "", "",
}};

}  // namespace

HCURSOR CreateHandCursor(HINSTANCE instance) {
    // Monochrome cursor masks: AND 0 + XOR 0 black, AND 0 + XOR 1 white,
    // AND 1 + XOR 0 transparent; rows of 32 bits, most significant bit first.
    std::array<std::uint8_t, kSize * kSize / 8> andMask{}, xorMask{};
    andMask.fill(0xFF);
    for (int y = 0; y < kSize; ++y) {
        const char* row = kPicture[y];
        for (int x = 0; x < kSize && row[x]; ++x) {
            if (row[x] != '#' && row[x] != '.') continue;
            const int byte = y * kSize / 8 + x / 8;
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            andMask[byte] &= static_cast<std::uint8_t>(~bit);
            if (row[x] == '.') xorMask[byte] |= bit;
        }
    }
    return CreateCursor(instance, kHotSpot.x, kHotSpot.y, kSize, kSize, andMask.data(), xorMask.data());
}
