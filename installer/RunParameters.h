// The parameters of one install run (from the command line) and the status line it reports to.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace installer {

// What the command line gives a run: positional words 1, 2 and 3.
struct RunParameters {
    std::string hostDirectory;    // base of the script path, of [AppDir] and of the ini paths
    std::string scriptName;       // the script is <host directory>\<script name>.xml
    std::string systemDirectory;  // value of [SystemDir]; empty when the word is absent
};

// Receives every status text a run sets, in order; the window shows the last one. A text may
// carry a second line, after a line feed, with the reason for a failure.
using StatusLine = std::function<void(const std::string& text)>;

// `directory` with a "\" appended unless it already ends in one (an empty text gets one too).
[[nodiscard]] inline std::string WithTrailingBackslash(std::string_view directory) {
    std::string result(directory);
    if (!result.ends_with('\\')) result += '\\';
    return result;
}

}  // namespace installer
