#pragma once
// The hyperlinks' fallback to the program registered for ".htm" files, as
// text rules free of Win32 types.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Both registry values (the class name and its open command) are read into
// buffers of this many bytes; a longer value is a failed read.
inline constexpr std::size_t kRegistryTextCapacity = 260;

// The text of a string value from the bytes the registry handed over: up to
// the first NUL, or all of them when the value carries no terminator. Absent
// when there are more bytes than the buffer holds or no text at all.
std::optional<std::string> RegistryText(std::string_view data);

// The registered open command without its argument: cut before the opening
// quote of the first quoted %1, else at the first %1, else kept whole.
std::string_view CutOpenCommand(std::string_view command);

// The command line that opens `address`: the cut command, a blank, the address.
std::string FallbackCommandLine(std::string_view command, std::string_view address);
