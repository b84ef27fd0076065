// Program file: header, one move line per programmed post in section, row, column order,
// terminator. Lines end in CR LF as the controller's text mode writes them; the last has none.
#include "core/ProgramFile.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/MessageService.h"
#include "platform/Paths.h"

namespace {

constexpr std::string_view kHeader = "DEFINE_PRG TEST V2.4\r\n";
constexpr std::string_view kTerminator = "END_DEFINE_PRG";

// Appends `value` with at least two digits, zero-padded ("%02d").
void AppendPadded(std::string& out, int value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const std::string_view text(digits, result.ptr - digits);
    if (text.size() < 2) out += '0';
    out += text;
}

// Appends `value` as "%.4f" would in the C locale, whatever the process's locale.
void AppendHeight(std::string& out, double value) {
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4);
    out.append(digits, result.ptr);
}

// Positions of the posts that get a move line, ordered by section, row and column: the first
// post of each number triple inside the table's maxima whose height is above 0.
std::vector<size_t> ProgrammedPosts(const TableDefinition& table) {
    std::vector<size_t> positions;
    for (size_t position = 0; position < table.PostCount(); ++position) {
        const PostLocation& post = table.PostAt(position);
        const bool inRange = post.Section >= 1 && post.Section <= table.MaxSection && post.Row >= 1 &&
                             post.Row <= table.MaxRow && post.Column >= 1 &&
                             post.Column <= table.MaxColumn;
        if (inRange && post.Height() > 0.0 && table.IsFirstOfItsNumbers(position))
            positions.push_back(position);
    }
    auto byNumbers = [&table](size_t a, size_t b) {
        const PostLocation& p = table.PostAt(a);
        const PostLocation& q = table.PostAt(b);
        if (p.Section != q.Section) return p.Section < q.Section;
        if (p.Row != q.Row) return p.Row < q.Row;
        return p.Column < q.Column;
    };
    // Table files usually list their posts in this order already.
    if (!std::is_sorted(positions.begin(), positions.end(), byNumbers))
        std::sort(positions.begin(), positions.end(), byNumbers);
    return positions;
}

bool WriteAll(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

}  // namespace

std::string ProgramFileText(const TableDefinition& table) {
    const std::vector<size_t> positions = ProgrammedPosts(table);
    std::string text;
    text.reserve(kHeader.size() + positions.size() * 32 + kTerminator.size());
    text += kHeader;
    for (size_t position : positions) {
        const PostLocation& post = table.PostAt(position);
        text += "  MOVE S";
        AppendPadded(text, post.Section);
        text += 'R';
        AppendPadded(text, post.Row);
        text += 'C';
        AppendPadded(text, post.Column);
        text += ' ';
        AppendHeight(text, post.Height());
        text += "\r\n";
    }
    text += kTerminator;
    return text;
}

bool WriteProgramFile(const TableDefinition& table, const std::string& path) {
    const std::filesystem::path target = platform::MapPath(path);
    // The file is written beside its target and then put in its place, so that a failed write
    // never leaves a half-written program where a complete one was.
    std::filesystem::path temporary = target;
    temporary += ".writing";
    std::error_code error;
    const bool targetUnwritable = std::filesystem::is_directory(target, error) ||
                                  (std::filesystem::exists(target, error) &&
                                   ::access(target.c_str(), W_OK) != 0);
    std::FILE* file = targetUnwritable ? nullptr : std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        platform::ShowMessage("Cannot Open Tavro Program File");
        return false;
    }
    bool written = WriteAll(file, ProgramFileText(table));
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (written) {
        std::filesystem::rename(temporary, target, error);
        written = !error;
    }
    if (!written) {
        std::filesystem::remove(temporary, error);
        platform::ShowMessage("Cannot Write Tavro Program File");
        return false;
    }
    return true;
}
