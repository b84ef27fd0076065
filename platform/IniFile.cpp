// Ini documents parsed from memory and edited line by line, and the private-profile operations
// that read and rewrite ini files through the path service.
#include "platform/IniFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <system_error>

#include "platform/Paths.h"
#include "platform/TextCase.h"

namespace platform {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Line end of lines added to a file that has none yet: what Windows writes.
constexpr std::string_view kDefaultLineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(kBlanks);
    return text.substr(begin, end - begin + 1);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The leading decimal number of `text`, 0 when there is none, clamped to the int range.
int LeadingInt(std::string_view text) {
    text = Trim(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        magnitude =
            std::min<long long>(magnitude * 10 + (c - '0'), std::numeric_limits<int>::max() + 1LL);
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

enum class FileState { Missing, Read, Unreadable };

struct FileText {
    FileState state;
    std::string text;
    std::string error;
};

FileText ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return {FileState::Missing, {}, {}};
    if (status.type() != std::filesystem::file_type::regular)
        return {FileState::Unreadable, {}, path.string() + " is not a file"};
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) return {FileState::Unreadable, {}, "cannot read " + path.string()};
    return {FileState::Read, std::move(text).str(), {}};
}

// Writes `text` beside `path` and renames it over `path`, so the file is either the old one or
// the complete new one.
std::string ReplaceFile(const std::filesystem::path& path, const std::string& text) {
    std::error_code error;
    std::filesystem::path target = path;
    // A link stays a link: the file it points to is the one replaced.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        target = std::filesystem::canonical(path, error);
        if (error) return "cannot follow the link " + path.string() + ": " + error.message();
    }
    const std::filesystem::path parent = target.parent_path().empty() ? "." : target.parent_path();
    if (!std::filesystem::is_directory(parent, error))
        return "the folder " + parent.string() + " does not exist";
    std::filesystem::path temporary = target;
    temporary += ".ini-write";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return "cannot create " + temporary.string();
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return "cannot write " + temporary.string();
        }
    }
    if (const auto old = std::filesystem::status(target, error); !error && exists(old))
        std::filesystem::permissions(temporary, old.permissions(), error);
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return "cannot replace " + target.string() + ": " + error.message();
    }
    return {};
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view content = text.substr(0, newline);
        std::string end;
        if (newline != std::string_view::npos) {
            end = "\n";
            if (!content.empty() && content.back() == '\r') {
                content.remove_suffix(1);
                end = "\r\n";
            }
            text.remove_prefix(newline + 1);
        } else {
            // A carriage return that ends the text is that line's end, not part of its value.
            if (!content.empty() && content.back() == '\r') {
                content.remove_suffix(1);
                end = "\r";
            }
            text = {};
        }
        const bool first = document.lines_.empty();
        document.lines_.push_back(Classify(std::string(content), std::move(end), first));
    }
    return document;
}

IniDocument::Line IniDocument::Classify(std::string content, std::string end, bool firstLine) {
    Line line;
    line.content = std::move(content);
    line.end = std::move(end);
    std::string_view view = line.content;
    if (firstLine && view.starts_with(kByteOrderMark)) view.remove_prefix(kByteOrderMark.size());
    const std::string_view trimmed = Trim(view);
    if (trimmed.starts_with('[')) {
        line.kind = LineKind::Section;
        line.name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
        return line;
    }
    if (trimmed.starts_with(';') || trimmed.starts_with('#')) return line;
    const std::size_t equals = view.find('=');
    if (equals == std::string_view::npos || Trim(view.substr(0, equals)).empty()) return line;
    line.kind = LineKind::Key;
    line.name = Trim(view.substr(0, equals));
    const std::size_t value = view.find_first_not_of(kBlanks, equals + 1);
    line.valueAt =
        line.content.size() - view.size() + (value == std::string_view::npos ? view.size() : value);
    return line;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    const std::optional<std::size_t> at = FindKeyLine(Trim(section), Trim(key));
    if (!at) return std::nullopt;
    const Line& line = lines_[*at];
    return std::string(Trim(std::string_view(line.content).substr(line.valueAt)));
}

IniWriteResult IniDocument::Set(std::string_view section, std::string_view key,
                                std::string_view value) {
    if (std::string error = CheckEntry(section, key, value); !error.empty())
        return {std::move(error)};
    section = Trim(section);
    key = Trim(key);
    value = Trim(value);
    if (const auto at = FindKeyLine(section, key)) {
        Line& line = lines_[*at];
        line.content.replace(line.valueAt, std::string::npos, value);
        return {};
    }
    const std::string entry = std::string(key) + "=" + std::string(value);
    if (const auto header = FindSectionLine(section)) {
        std::size_t after = *header;
        for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
            if (lines_[i].kind == LineKind::Section) break;
            if (lines_[i].kind == LineKind::Key) after = i;
        }
        EndLine(lines_[after]);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                      Classify(entry, LineEnd()));
        return {};
    }
    if (!lines_.empty()) EndLine(lines_.back());
    if (!lines_.empty() && !Trim(lines_.back().content).empty())
        lines_.push_back(Classify("", LineEnd()));
    lines_.push_back(Classify("[" + std::string(section) + "]", LineEnd()));
    lines_.push_back(Classify(entry, LineEnd()));
    return {};
}

std::string IniDocument::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.content;
        text += line.end;
    }
    return text;
}

std::string IniDocument::CheckEntry(std::string_view section, std::string_view key,
                                    std::string_view value) {
    if (Trim(section).empty()) return "the section name is empty";
    if (Trim(key).empty()) return "the key name is empty";
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value))
        return "names and values must not hold line breaks or NUL characters";
    if (section.find(']') != std::string_view::npos)
        return "the section name \"" + std::string(section) + "\" holds \"]\"";
    if (key.find('=') != std::string_view::npos)
        return "the key name \"" + std::string(key) + "\" holds \"=\"";
    if (const char first = Trim(key).front(); first == '[' || first == ';' || first == '#')
        return "the key name \"" + std::string(key) + "\" would read as a section or comment";
    return {};
}

std::optional<std::size_t> IniDocument::FindKeyLine(std::string_view section,
                                                    std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        switch (line.kind) {
            case LineKind::Section:
                inSection = EqualsIgnoringCase(line.name, section);
                break;
            case LineKind::Key:
                if (inSection && EqualsIgnoringCase(line.name, key)) return i;
                break;
            case LineKind::Other:
                break;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindSectionLine(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && EqualsIgnoringCase(lines_[i].name, section))
            return i;
    }
    return std::nullopt;
}

// New lines take the file's own line end, so a file does not end up with mixed ones.
std::string IniDocument::LineEnd() const {
    for (const Line& line : lines_) {
        if (line.end.ends_with('\n')) return line.end;
    }
    return std::string(kDefaultLineEnd);
}

void IniDocument::EndLine(Line& line) const {
    // A lone carriage return becomes "\r\n": with any other end a carriage return left in the
    // line would join its value.
    if (line.end == "\r")
        line.end = "\r\n";
    else if (line.end.empty())
        line.end = LineEnd();
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view iniPath) {
    const FileText file = ReadWholeFile(MapPath(iniPath));
    if (file.state != FileState::Read) return std::string(defaultValue);
    return IniDocument::Parse(file.text).Find(section, key).value_or(std::string(defaultValue));
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view iniPath) {
    const FileText file = ReadWholeFile(MapPath(iniPath));
    if (file.state != FileState::Read) return defaultValue;
    const std::optional<std::string> value = IniDocument::Parse(file.text).Find(section, key);
    return value ? LeadingInt(*value) : defaultValue;
}

IniWriteResult WritePrivateProfileString(std::string_view section, std::string_view key,
                                         std::string_view value, std::string_view iniPath) {
    if (iniPath.empty()) return {"no ini file named"};
    const std::filesystem::path path = MapPath(iniPath);
    const FileText file = ReadWholeFile(path);
    // An existing file that cannot be read is never overwritten: its other lines would be lost.
    if (file.state == FileState::Unreadable) return {file.error};
    IniDocument document = IniDocument::Parse(file.text);
    if (IniWriteResult set = document.Set(section, key, value); !set) return set;
    return {ReplaceFile(path, document.Text())};
}

IniWriteResult WritePrivateProfileInt(std::string_view section, std::string_view key, int value,
                                      std::string_view iniPath) {
    return WritePrivateProfileString(section, key, std::to_string(value), iniPath);
}

}  // namespace platform
