// Ini files: a document that keeps every line as read and edits single keys in place, and the
// private-profile operations (read string, read integer, write string, write integer) on files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Status.h"

namespace platform {

// An ini file's text as lines kept exactly as they were read (line ends included), read as the
// system reads them: lines end in CR LF, LF or CR alone; blanks, tabs and Ctrl-Z are white
// space; section and key names match without regard to case; of sections and keys of the same
// name the first serves reads and writes; lines before the first section header belong to the
// section with the empty name.
class IniDocument {
public:
    // Splits `text` into lines; never fails (lines that are neither a section header nor a
    // key=value line are kept and otherwise ignored).
    [[nodiscard]] static IniDocument Parse(std::string_view text);

    // The value of `key` in `section`, white space around it removed and then one pair of
    // matching double or single quotes around it, or none when missing.
    [[nodiscard]] std::optional<std::string> Find(std::string_view section,
                                                  std::string_view key) const;
    // Gives `key` in `section` the `value`: replaced in place, else added after the section's
    // last key, else a new section at the end. Refuses names and values that would break the
    // file's lines (see CheckEntry) and leaves the document unchanged then.
    Status Set(std::string_view section, std::string_view key, std::string_view value);

    // The whole text, every line as it was except the ones Set changed or added.
    [[nodiscard]] std::string Text() const;

    // Whether a section, key and value can be stored, else why not: names must not be
    // blank, no text may hold a line break or NUL, a section name no "]", a key no "=" and no
    // leading "[", ";" or "#". Blanks around names and values are dropped, as on reading.
    [[nodiscard]] static Status CheckEntry(std::string_view section, std::string_view key,
                                           std::string_view value);

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string content;  // without the line end
        std::string end;      // "\r\n", "\n" or "\r"; "" on a last line without one
        LineKind kind = LineKind::Other;
        std::string name;         // section or key name, trimmed
        std::size_t valueAt = 0;  // key lines: where the value starts in `content`
    };

    // A line's kind and names; a byte order mark is skipped on the first line only.
    [[nodiscard]] static Line Classify(std::string content, std::string end,
                                       bool firstLine = false);
    // Where the sections and keys that serve reads and writes are: built on the first lookup,
    // so that many lookups in a large file cost one pass over it; dropped when lines move.
    struct Index {
        std::unordered_map<std::string, std::size_t> sections;  // lower-case name -> header line
        std::unordered_map<std::string, std::size_t> keys;      // lower-case "section\0key" -> line
    };
    [[nodiscard]] const Index& Lookup() const;
    [[nodiscard]] std::optional<std::size_t> FindKeyLine(std::string_view section,
                                                         std::string_view key) const;
    [[nodiscard]] std::optional<std::size_t> FindSectionLine(std::string_view section) const;
    [[nodiscard]] std::string LineEnd() const;
    // The file's line end for a line inserted before line `next`, unless a CR there would join
    // the next line's LF into one CR LF and swallow that (empty) line.
    [[nodiscard]] std::string EndBefore(std::size_t next) const;
    // Gives a line without a line end (the last one) the file's line end.
    void EndLine(Line& line) const;

    std::vector<Line> lines_;
    mutable std::optional<Index> index_;
};

// Files are read only when they are regular files; a UTF-16 file (with its byte order mark) is
// read and written as UTF-16. A file read once is parsed again only when it has changed, so that
// many reads of one large file in a row cost one parse.

// The value of `key` in `section` of the ini file at `iniPath` (a system path), or
// `defaultValue` when the file, the section or the key is missing or the file cannot be read.
[[nodiscard]] std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                                  std::string_view defaultValue,
                                                  std::string_view iniPath);

// The leading decimal number of the key's value (0 when it has none, clamped to the int range),
// or `defaultValue` when the key is missing.
[[nodiscard]] int GetPrivateProfileInt(std::string_view section, std::string_view key,
                                       int defaultValue, std::string_view iniPath);

// Writes `value` to `key` in `section` of the ini file at `iniPath`, creating section and file
// when missing (not the folder). The file is replaced safely (platform/FileReplace.h): on failure
// the old file stays as it was and the error says why. A read-only file is refused, and so is
// text that a UTF-16 file cannot hold.
Status WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view value, std::string_view iniPath);

// As WritePrivateProfileString with the number as decimal text.
Status WritePrivateProfileInt(std::string_view section, std::string_view key, int value,
                              std::string_view iniPath);

// Forgets the files parsed so far (part of resetting the process's state between tests).
void ForgetParsedIniFiles();

// How many times an ini file was read from disk and parsed since the last ForgetParsedIniFiles:
// reads and writes of a file that has not changed since take no new parse.
[[nodiscard]] std::size_t IniFileParses();

}  // namespace platform
