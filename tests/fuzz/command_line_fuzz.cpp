// Whatever the registry holds for the ".htm" class and its open command, the
// fallback reads it within bounds and builds "<cut command> <address>".
#include "LinkRules.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<std::string> text = RegistryText(bytes);
    if (text && (text->size() > kRegistryTextCapacity || text->find('\0') != std::string::npos))
        std::abort();
    if (size > kRegistryTextCapacity && text) std::abort();
    std::string_view command = text ? std::string_view(*text) : bytes;
    std::string_view cut = CutOpenCommand(command);
    if (command.substr(0, cut.size()) != cut) std::abort();
    // The first quoted %1 wins over an earlier bare one; without one, the cut
    // is at the first %1.
    if (cut.find("\"%1\"") != std::string_view::npos) std::abort();
    bool quoted = command.find("\"%1\"") != std::string_view::npos;
    if (!quoted && cut.find("%1") != std::string_view::npos) std::abort();
    constexpr std::string_view address = "www.corvaly.example";
    if (FallbackCommandLine(command, address) != std::string(cut) + " " + std::string(address))
        std::abort();
    return 0;
}
