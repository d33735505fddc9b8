// Text equality is byte equality with the absent text as the empty one:
// symmetric, and blind to nothing (no trimming, no folding).
#include "LevelQuery.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::size_t split = data[0] % size;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string_view a = rest.substr(0, split), b = rest.substr(split);
    bool same = a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    if (TextEquals(a, b) != same || TextEquals(b, a) != same) std::abort();
    if (!TextEquals(a, a)) std::abort();
    if (TextEquals(std::nullopt, a) != a.empty()) std::abort();
    return 0;
}
