// What the system's file opening (InputFileOpen.cpp of each system) shares with the reading.
#pragma once

#include <filesystem>
#include <string>

#include "platform/InputFile.h"

namespace platform {

// An input refused for `reason`, of the kind `fault`, at `path`.
[[nodiscard]] Status RefusedInput(const std::filesystem::path& path, InputFault fault,
                                  std::string reason);

// The C library's text for `error`, so that a message reads as the system's would.
[[nodiscard]] std::string ReasonOf(int error);

}  // namespace platform
