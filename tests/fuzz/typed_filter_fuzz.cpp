// Every UTF-16 unit a keyboard or input method can send: only control
// codes, "-" and ASCII digits may reach an edit box.
#include "EditRules.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        unsigned code = data[i] | (data[i + 1] << 8);
        bool allowed = code < 32 || code == '-' || (code >= '0' && code <= '9');
        if (PassesTypedFilter(code) != allowed) std::abort();
    }
    return 0;
}
