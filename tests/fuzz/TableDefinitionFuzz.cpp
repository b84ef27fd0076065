// Fuzz target: the table definition reader on arbitrary text, followed by the program file text
// of whatever was read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/ProgramFile.h"
#include "core/TableDefinition.h"
#include "platform/MessageService.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        platform::SetMessagePresenter([](const std::string&) {});
        return true;
    }();
    (void)quiet;
    TableDefinition table;
    table.ReadText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (PostLocation* post = table.First(); post != nullptr; post = table.Next())
        post->Hit0.point = post->Post.point;
    (void)ProgramFileText(table);
    platform::ClearMessages();
    return 0;
}
