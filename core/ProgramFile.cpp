// Program file: header, one move line per programmed post in section, row, column order,
// terminator. Lines end in CR LF as the controller's text mode writes them; the last has none.
#include "core/ProgramFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

#include "platform/FileReplace.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

namespace core {

namespace {

constexpr std::string_view kHeader = "DEFINE_PRG TEST V2.4\r\n";
constexpr std::string_view kTerminator = "END_DEFINE_PRG";
// "%.4f" of the largest double: 309 digits, the point and four decimals.
constexpr size_t kLongestHeight = 320;

// Writes `value` with at least two digits, zero-padded ("%02d"); returns the end.
char* WritePadded(char* out, int value) {
    if (value >= 0 && value < 10) {
        out[0] = '0';
        out[1] = static_cast<char>('0' + value);
        return out + 2;
    }
    return std::to_chars(out, out + 16, value).ptr;
}

// Writes `value` as "%.4f" would in the C locale, whatever the process's locale; returns the
// end. `out` has room for kLongestHeight characters.
char* WriteHeight(char* out, double value) {
    // Fast path: a height well inside the exactly representable range whose fourth decimal is
    // not a near tie rounds the same as printf's exact rounding.
    constexpr double kFastLimit = 1e7;
    constexpr double kTieMargin = 1e-4;
    if (value >= 0.0 && value < kFastLimit) {
        const double scaled = value * 10000.0;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > kTieMargin) {
            const auto units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
            out = std::to_chars(out, out + kLongestHeight, units / 10000).ptr;
            const auto decimals = static_cast<unsigned>(units % 10000);
            out[0] = '.';
            out[1] = static_cast<char>('0' + decimals / 1000);
            out[2] = static_cast<char>('0' + decimals / 100 % 10);
            out[3] = static_cast<char>('0' + decimals / 10 % 10);
            out[4] = static_cast<char>('0' + decimals % 10);
            return out + 5;
        }
    }
    return std::to_chars(out, out + kLongestHeight, value, std::chars_format::fixed, 4).ptr;
}

// One move line's numbers.
struct MoveLine {
    int section;
    int row;
    int column;
    std::uint32_t position;  // in list order, so that the first of equal numbers sorts first
    double height;
    bool SameNumbers(const MoveLine& other) const {
        return section == other.section && row == other.row && column == other.column;
    }
    bool operator<(const MoveLine& other) const {
        return std::tie(section, row, column, position) <
               std::tie(other.section, other.row, other.column, other.position);
    }
};

// The move lines in section, row and column order: the first post of each number triple
// inside the table's maxima, when its height is above 0 and finite.
std::vector<MoveLine> MoveLines(const TableDefinition& table) {
    std::vector<MoveLine> candidates;
    for (size_t position = 0; position < table.PostCount(); ++position) {
        const PostLocation& post = table.PostAt(position);
        const bool inRange = post.Section >= 1 && post.Section <= table.MaxSection &&
                             post.Row >= 1 && post.Row <= table.MaxRow && post.Column >= 1 &&
                             post.Column <= table.MaxColumn;
        if (inRange)
            candidates.push_back({post.Section, post.Row, post.Column,
                                  static_cast<std::uint32_t>(position), post.Height()});
    }
    // Table files usually list their posts in this order already.
    if (!std::is_sorted(candidates.begin(), candidates.end()))
        std::sort(candidates.begin(), candidates.end());
    std::vector<MoveLine> lines;
    lines.reserve(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
        const bool firstOfItsNumbers = i == 0 || !candidates[i - 1].SameNumbers(candidates[i]);
        // A height that is not a number the controller can drive to ("inf") is never written.
        const bool programmed = candidates[i].height > 0.0 && std::isfinite(candidates[i].height);
        if (firstOfItsNumbers && programmed) lines.push_back(candidates[i]);
    }
    return lines;
}

}  // namespace

std::string ProgramFileText(const TableDefinition& table) {
    const std::vector<MoveLine> lines = MoveLines(table);
    std::string text;
    text.reserve(kHeader.size() + lines.size() * 32 + kTerminator.size());
    text += kHeader;
    constexpr std::string_view kMove = "  MOVE S";
    char line[kMove.size() + 3 * 16 + kLongestHeight + 8];
    for (const MoveLine& move : lines) {
        std::memcpy(line, kMove.data(), kMove.size());
        char* out = line + kMove.size();
        out = WritePadded(out, move.section);
        *out++ = 'R';
        out = WritePadded(out, move.row);
        *out++ = 'C';
        out = WritePadded(out, move.column);
        *out++ = ' ';
        out = WriteHeight(out, move.height);
        *out++ = '\r';
        *out++ = '\n';
        text.append(line, out);
    }
    text += kTerminator;
    return text;
}

bool WriteProgramFile(const TableDefinition& table, const std::string& path) {
    // Replaced safely: a failed write never leaves a half-written program where a complete one
    // was, and a read-only program file is refused as one that cannot be opened.
    const platform::Status written =
        platform::ReplaceFileContents(platform::MapPath(path), ProgramFileText(table));
    switch (written.FaultKind<platform::ReplaceFault>()) {
        case platform::ReplaceFault::None:
            return true;
        case platform::ReplaceFault::CannotOpen:
            platform::ShowMessage("Cannot Open Tavro Program File");
            return false;
        case platform::ReplaceFault::CannotWrite:
            platform::ShowMessage("Cannot Write Tavro Program File");
            return false;
    }
    return false;
}

}  // namespace core
