// The install run: reading the install script and carrying out its Commands, and the
// "CreateFile" Command that writes a text file.
#pragma once

#include <string>

#include "installer/MarkupDocument.h"
#include "installer/RunParameters.h"

namespace installer {

// The script file of a run: the host directory ending in "\", the script name and ".xml".
[[nodiscard]] std::string ScriptPath(const RunParameters& run);

// Reads the script of `run` and carries out the Commands of its InstallItem root in document
// order ("Ravelink": registerAddIn, "CreateFile": createTextFile, any other action: nothing).
// A script that cannot be read or has another root does nothing but say so on `status`: the
// fixed text, a line feed, and a second line naming the path tried on this machine and why
// ("<path>: No such file or directory", "<path>: line 3: End tag does not correspond to Line").
void runInstallScript(const RunParameters& run, const StatusLine& status);

// Carries out a "CreateFile" Command (`script` stands on it): writes the file `name` in the
// directory `location` (placeholders expanded) with one line, ended by CR LF, per non-empty
// Line child, placeholders expanded.
void createTextFile(MarkupDocument& script, const RunParameters& run, const StatusLine& status);

}  // namespace installer
