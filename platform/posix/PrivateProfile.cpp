// The private-profile operations on ini files: read through the path service, parsed once while
// a file is unchanged, and written back in the file's own encoding by a safe replace.
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <list>

#include "platform/FileReplace.h"
#include "platform/IniEncoding.h"
#include "platform/IniFile.h"
#include "platform/IniText.h"
#include "platform/InputFile.h"
#include "platform/Paths.h"

namespace platform {
namespace {

// Files whose documents are kept: a registration works on one file at a time.
constexpr std::size_t kParsedFilesKept = 4;
// Longer than the coarsest timestamp step of the file systems in use: a file whose last change
// is older than this cannot change again without its change time moving on.
constexpr long long kTimestampStepNanoseconds = 2'000'000'000;

// The leading decimal number of `text`, 0 when there is none, clamped to the int range.
int LeadingInt(std::string_view text) {
    text = ini::Trim(text);
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

// What tells a file's contents apart without reading them: any write changes one of these.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedSeconds = 0, modifiedNanoseconds = 0;
    long long changedSeconds = 0, changedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const struct stat& status) {
    if (!S_ISREG(status.st_mode)) return std::nullopt;
    return FileIdentity{status.st_dev,         status.st_ino,          status.st_size,
                        status.st_mtim.tv_sec, status.st_mtim.tv_nsec, status.st_ctim.tv_sec,
                        status.st_ctim.tv_nsec};
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return IdentityOf(status);
}

// Whether the file's last change is old enough that any later one shows in its identity. A file
// changed within the last timestamp step may change again under the same identity ("racy"), so
// its kept document is trusted only after comparing the bytes.
bool Settled(const FileIdentity& identity) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto nanoseconds = [](long long seconds, long long fraction) {
        return seconds * 1'000'000'000 + fraction;
    };
    const long long changed =
        std::max(nanoseconds(identity.modifiedSeconds, identity.modifiedNanoseconds),
                 nanoseconds(identity.changedSeconds, identity.changedNanoseconds));
    return nanoseconds(now.tv_sec, now.tv_nsec) - changed > kTimestampStepNanoseconds;
}

// An ini file as read; a missing file reads as an empty document.
struct ParsedIni {
    IniEncoding encoding = IniEncoding::Bytes;
    std::string unwritable;
    IniDocument document;
};

struct KeptIni {
    std::filesystem::path path;
    FileIdentity identity;
    std::optional<std::string> racyBytes;  // the file's bytes while it is not settled
    ParsedIni parsed;
};

std::list<KeptIni>& Kept() {
    static std::list<KeptIni> kept;
    return kept;
}

std::size_t& Parses() {
    static std::size_t parses = 0;
    return parses;
}

void Keep(const std::filesystem::path& path, const FileIdentity& identity, std::string bytes,
          ParsedIni parsed) {
    std::list<KeptIni>& kept = Kept();
    std::erase_if(kept, [&](const KeptIni& entry) { return entry.path == path; });
    std::optional<std::string> racyBytes;
    if (!Settled(identity)) racyBytes = std::move(bytes);
    kept.push_front({path, identity, std::move(racyBytes), std::move(parsed)});
    if (kept.size() > kParsedFilesKept) kept.pop_back();
}

// The kept document of the file at `path` when the file is unchanged, else null.
const ParsedIni* KeptDocument(const std::filesystem::path& path) {
    const std::optional<FileIdentity> now = IdentityOf(path);
    if (!now) return nullptr;
    for (KeptIni& entry : Kept()) {
        if (entry.path != path || entry.identity != *now) continue;
        if (!entry.racyBytes) return &entry.parsed;
        const bool settled = Settled(entry.identity);
        const Expected<std::string> read = ReadInputFile(path);
        if (!read || *read != *entry.racyBytes) return nullptr;
        if (settled) entry.racyBytes.reset();
        return &entry.parsed;
    }
    return nullptr;
}

// The file at `path` parsed, from the kept documents while it is unchanged; `scratch` holds a
// document that is not kept. Fails when the file is there but cannot be read.
Expected<const ParsedIni*> Load(const std::filesystem::path& path, ParsedIni& scratch) {
    if (const ParsedIni* kept = KeptDocument(path)) return kept;
    const Expected<FileHandle> input = OpenInputFile(path);
    scratch = {};
    const auto refuse = [&](const Status& why) -> Expected<const ParsedIni*> {
        if (why.FaultKind<InputFault>() == InputFault::Missing) return &scratch;
        return why;
    };
    if (!input) return refuse(input.GetStatus());
    struct stat status {};
    const bool stated = ::fstat(fileno(input->get()), &status) == 0;
    Expected<std::string> text = ReadInputFile(input->get(), path);
    if (!text) return refuse(text.GetStatus());
    DecodedIni decoded = DecodeIniFile(*text);
    scratch.encoding = decoded.encoding;
    scratch.unwritable = std::move(decoded.unwritable);
    scratch.document = IniDocument::Parse(decoded.text);
    ++Parses();
    // The identity taken before reading: a change made meanwhile makes the next read parse again.
    const std::optional<FileIdentity> identity = stated ? IdentityOf(status) : std::nullopt;
    if (!identity) return &scratch;
    Keep(path, *identity, std::move(*text), std::move(scratch));
    return &Kept().front().parsed;
}

std::optional<std::string> Find(std::string_view section, std::string_view key,
                                std::string_view iniPath) {
    ParsedIni scratch;
    const Expected<const ParsedIni*> ini = Load(MapPath(iniPath), scratch);
    if (!ini) return std::nullopt;
    return (*ini)->document.Find(section, key);
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view iniPath) {
    return Find(section, key, iniPath).value_or(std::string(defaultValue));
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view iniPath) {
    const std::optional<std::string> value = Find(section, key, iniPath);
    return value ? LeadingInt(*value) : defaultValue;
}

Status WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view value, std::string_view iniPath) {
    if (iniPath.empty()) return Status::Failure("no ini file named");
    const std::filesystem::path path = MapPath(iniPath);
    ParsedIni scratch;
    const Expected<const ParsedIni*> read = Load(path, scratch);
    // An existing file that cannot be read is never overwritten: its other lines would be lost.
    if (!read) return read.GetStatus();
    if (!(*read)->unwritable.empty())
        return Status::Failure(path.string() + ": " + (*read)->unwritable);
    ParsedIni edited = **read;
    if (Status set = edited.document.Set(section, key, value); !set) return set;
    const std::optional<std::string> bytes = EncodeIniFile(edited.document.Text(), edited.encoding);
    if (!bytes)
        return Status::Failure(path.string() +
                               ": the file is UTF-16 and the text written is not UTF-8, so it "
                               "has no UTF-16 form");
    if (const Status replaced = ReplaceFileContents(path, *bytes); !replaced)
        return Status::Failure(replaced.Describe());
    if (const std::optional<FileIdentity> identity = IdentityOf(path))
        Keep(path, *identity, *bytes, std::move(edited));
    return {};
}

void ForgetParsedIniFiles() {
    Kept().clear();
    Parses() = 0;
}

std::size_t IniFileParses() { return Parses(); }

}  // namespace platform
