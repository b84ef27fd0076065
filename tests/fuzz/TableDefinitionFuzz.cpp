// Fuzz target: the table definition reader on arbitrary text, followed by the program file text
// of whatever was read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/OfflineJob.h"
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
    AssignOwnHeights(table);
    (void)ProgramFileText(table);
    platform::ClearMessages();
    return 0;
}
