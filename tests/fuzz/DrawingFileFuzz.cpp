// Fuzz target: the drawing file reader on arbitrary bytes; whatever it accepts must write out
// and read back to the same text (doubles exact, nothing lost).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/DrawingFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const platform::Expected<host::Drawing> read =
        host::ReadDrawing(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) {
        if (read.GetStatus().Line() < 1 || read.GetStatus().Reason().empty())
            std::abort();  // a refusal must name its line and say why
        return 0;
    }
    const std::string written = host::WriteDrawing(*read);
    const platform::Expected<host::Drawing> again = host::ReadDrawing(written);
    if (!again || host::WriteDrawing(*again) != written) std::abort();
    return 0;
}
