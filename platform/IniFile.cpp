// Ini documents parsed from memory and edited line by line.
#include "platform/IniFile.h"

#include <cctype>

#include "platform/IniText.h"

namespace platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Line end of lines added to a file that has none yet: what Windows writes.
constexpr std::string_view kDefaultLineEnd = "\r\n";

using ini::kBlanks;
using ini::Trim;

// A value in matching double or single quotes is read without them.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Lower-case copy, the index's form of a name.
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::string KeyOf(std::string_view section, std::string_view key) {
    return Folded(section) + '\0' + Folded(key);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    while (!text.empty()) {
        // CR LF, LF and CR alone each end a line, as the system reads them, so that no value
        // carries a stray carriage return.
        const std::size_t breakAt = text.find_first_of("\r\n");
        const std::string_view content = text.substr(0, breakAt);
        std::size_t endLength = 0;
        if (breakAt != std::string_view::npos)
            endLength = text.substr(breakAt).starts_with("\r\n") ? 2 : 1;
        const std::string_view end = breakAt == std::string_view::npos
                                         ? std::string_view{}
                                         : text.substr(breakAt, endLength);
        const bool first = document.lines_.empty();
        document.lines_.push_back(Classify(std::string(content), std::string(end), first));
        text.remove_prefix(breakAt == std::string_view::npos ? text.size() : breakAt + endLength);
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
    return std::string(Unquote(Trim(std::string_view(line.content).substr(line.valueAt))));
}

Status IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (Status storable = CheckEntry(section, key, value); !storable) return storable;
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
                      Classify(entry, EndBefore(after + 1)));
        index_.reset();
        return {};
    }
    index_.reset();
    if (!lines_.empty()) EndLine(lines_.back());
    // The blank line takes the end of the line before it: a CR followed by an empty line's LF
    // would read back as one CR LF, and the blank line would be gone.
    if (!lines_.empty() && !Trim(lines_.back().content).empty())
        lines_.push_back(Classify("", lines_.back().end));
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

Status IniDocument::CheckEntry(std::string_view section, std::string_view key,
                               std::string_view value) {
    if (Trim(section).empty()) return Status::Failure("the section name is empty");
    if (Trim(key).empty()) return Status::Failure("the key name is empty");
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value))
        return Status::Failure("names and values must not hold line breaks or NUL characters");
    if (section.find(']') != std::string_view::npos)
        return Status::Failure("the section name \"" + std::string(section) + "\" holds \"]\"");
    if (key.find('=') != std::string_view::npos)
        return Status::Failure("the key name \"" + std::string(key) + "\" holds \"=\"");
    if (const char first = Trim(key).front(); first == '[' || first == ';' || first == '#')
        return Status::Failure("the key name \"" + std::string(key) +
                               "\" would read as a section or comment");
    return {};
}

const IniDocument::Index& IniDocument::Lookup() const {
    if (index_) return *index_;
    Index& index = index_.emplace();
    // The lines before the first header are the section with the empty name; a later section
    // of a name already seen serves neither reads nor writes.
    std::string section;
    bool serving = true;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        switch (line.kind) {
            case LineKind::Section:
                section = Folded(line.name);
                serving = section.empty() ? false : index.sections.emplace(section, i).second;
                break;
            case LineKind::Key:
                if (serving) index.keys.emplace(section + '\0' + Folded(line.name), i);
                break;
            case LineKind::Other:
                break;
        }
    }
    return index;
}

std::optional<std::size_t> IniDocument::FindKeyLine(std::string_view section,
                                                    std::string_view key) const {
    const Index& index = Lookup();
    const auto found = index.keys.find(KeyOf(section, key));
    if (found == index.keys.end()) return std::nullopt;
    return found->second;
}

std::optional<std::size_t> IniDocument::FindSectionLine(std::string_view section) const {
    const Index& index = Lookup();
    const auto found = index.sections.find(Folded(section));
    if (found == index.sections.end()) return std::nullopt;
    return found->second;
}

// New lines take the file's own line end, so a file does not end up with mixed ones.
std::string IniDocument::LineEnd() const {
    for (const Line& line : lines_) {
        if (!line.end.empty()) return line.end;
    }
    return std::string(kDefaultLineEnd);
}

std::string IniDocument::EndBefore(std::size_t next) const {
    std::string end = LineEnd();
    const bool nextStartsWithLf =
        next < lines_.size() && lines_[next].content.empty() && lines_[next].end.starts_with('\n');
    if (end == "\r" && nextStartsWithLf) end = "\r\n";
    return end;
}

void IniDocument::EndLine(Line& line) const {
    if (line.end.empty()) line.end = LineEnd();
}

// The same on every system: the number as decimal text.
Status WritePrivateProfileInt(std::string_view section, std::string_view key, int value,
                              std::string_view iniPath) {
    return WritePrivateProfileString(section, key, std::to_string(value), iniPath);
}

}  // namespace platform
