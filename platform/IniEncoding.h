// The encodings an ini file may be stored in: bytes as they are (ANSI or UTF-8), or UTF-16 with a
// byte order mark, which the system's profile functions read and write as UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class IniEncoding { Bytes, Utf16LittleEndian, Utf16BigEndian };

// An ini file's text for the document: UTF-16 files converted to UTF-8 without their byte order
// mark (unpaired surrogates kept as their three-byte forms, so they convert back unchanged).
struct DecodedIni {
    IniEncoding encoding = IniEncoding::Bytes;
    std::string text;
    std::string unwritable;  // why the file cannot be written back as read; empty when it can
};

[[nodiscard]] DecodedIni DecodeIniFile(std::string_view bytes);

// The bytes of `text` in `encoding` (UTF-16 with its byte order mark), or none when `text` is not
// UTF-8 and so has no UTF-16 form.
[[nodiscard]] std::optional<std::string> EncodeIniFile(std::string_view text, IniEncoding encoding);

}  // namespace platform
