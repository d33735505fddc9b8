#include "LinkRules.h"

std::optional<std::string> RegistryText(std::string_view data) {
    if (data.size() > kRegistryTextCapacity) return std::nullopt;
    const std::string_view text = data.substr(0, data.find('\0'));
    if (text.empty()) return std::nullopt;
    return std::string(text);
}

std::string_view CutOpenCommand(std::string_view command) {
    if (const auto quoted = command.find("\"%1\""); quoted != std::string_view::npos)
        return command.substr(0, quoted);
    return command.substr(0, command.find("%1"));
}

std::string FallbackCommandLine(std::string_view command, std::string_view address) {
    std::string line(CutOpenCommand(command));
    line += ' ';
    line += address;
    return line;
}
