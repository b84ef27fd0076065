// The program file for the fixture table's controller: one move command per raised post.
#pragma once

#include <string>

#include "core/TableDefinition.h"

namespace core {

// Writes the program file of `table` to `path` (a system path). True when the whole file was
// written. When the file cannot be opened the user is told "Cannot Open Tavro Program File";
// when writing fails later the user is told so too, and a file that was there before is kept.
bool WriteProgramFile(const TableDefinition& table, const std::string& path);

// The exact bytes of the program file of `table`.
[[nodiscard]] std::string ProgramFileText(const TableDefinition& table);

}  // namespace core
