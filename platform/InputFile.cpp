// Reading input files whole; opening them is the system's part (InputFileOpen.cpp).
#include "platform/InputFile.h"
#include "platform/InputFileOpen.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace platform {

InputFile RefusedInput(const std::filesystem::path& path, InputFault fault, std::string reason) {
    InputFile refused;
    refused.fault = fault;
    refused.error = path.string() + ": " + reason;
    refused.reason = std::move(reason);
    return refused;
}

std::string ReasonOf(int error) { return std::strerror(error); }

InputText ReadInputFile(const std::filesystem::path& path) {
    InputFile input = OpenInputFile(path);
    return ReadInputFile(input, path);
}

InputText ReadInputFile(InputFile& input, const std::filesystem::path& path) {
    InputText result;
    if (!input) {
        result.fault = input.fault;
        result.reason = std::move(input.reason);
        result.error = std::move(input.error);
        return result;
    }
    const auto refuse = [&](std::string reason) {
        result.text.clear();
        result.fault = InputFault::Unreadable;
        result.error = path.string() + ": " + reason;
        result.reason = std::move(reason);
        return std::move(result);
    };
    // Read to the end rather than trusting the size: a file may grow or shrink meanwhile.
    char block[1 << 16];
    try {
        std::size_t got;
        while ((got = std::fread(block, 1, sizeof block, input.file.get())) > 0)
            result.text.append(block, got);
    } catch (const std::bad_alloc&) {
        return refuse(ReasonOf(ENOMEM));
    }
    if (std::ferror(input.file.get())) return refuse(ReasonOf(errno != 0 ? errno : EIO));
    return result;
}

}  // namespace platform
