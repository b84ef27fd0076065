// Safe replacement of files: the file is the old one or the complete new one, keeps its
// permissions, links are written through, and protected or odd targets are refused.
#include "platform/FileReplace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "TempFolder.h"
#include "TestSystem.h"

namespace {

using platform::ReplaceFault;
using tavro::testing::TempFolder;
namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Store(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::size_t Entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

mode_t ModeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST(FileReplaceTest, CreatesAndReplacesLeavingNothingBeside) {
    const TempFolder folder;
    const fs::path file = folder / "a.txt";
    ASSERT_TRUE(platform::ReplaceFileContents(file, "first"));
    ASSERT_TRUE(platform::ReplaceFileContents(file, "second, longer"));
    ASSERT_TRUE(platform::ReplaceFileContents(file, ""));
    EXPECT_EQ(Contents(file), "");
    EXPECT_EQ(Entries(folder.path()), 1u);
}

// Guards against the replaced file losing its permissions to those of a fresh file.
TEST(FileReplaceTest, TheReplacedFileKeepsItsPermissions) {
    const TempFolder folder;
    for (const mode_t mode : {0600, 0640, 0755, 0604}) {
        const fs::path file = folder / "kept.txt";
        Store(file, "old");
        ::chmod(file.c_str(), mode);
        ASSERT_TRUE(platform::ReplaceFileContents(file, "new"));
        EXPECT_EQ(ModeOf(file), mode) << std::oct << mode;
        EXPECT_EQ(Contents(file), "new");
    }
}

// Guards against a link being replaced by a plain file, so that the file it named kept the
// old text.
TEST(FileReplaceTest, ALinkIsWrittenThrough) {
    const TempFolder folder;
    fs::create_directory(folder / "real");
    Store(folder / "real" / "target.ini", "old");
    struct Case {
        const char* link;
        fs::path to;
        const char* target;
    } cases[] = {
        {"absolute.ini", folder / "real" / "target.ini", "real/target.ini"},
        {"relative.ini", "real/target.ini", "real/target.ini"},
        {"dangling.ini", "real/created.ini", "real/created.ini"},
        {"chained.ini", "absolute.ini", "real/target.ini"},
    };
    for (const Case& c : cases) {
        fs::create_symlink(c.to, folder / c.link);
        ASSERT_TRUE(platform::ReplaceFileContents(folder / c.link, c.link)) << c.link;
        EXPECT_TRUE(fs::is_symlink(folder / c.link)) << c.link;
        EXPECT_EQ(Contents(folder / c.target), c.link);
    }
}

// Guards against a rename getting round a file's protection: a read-only file is refused as one
// that cannot be opened and keeps its text (even for the administrator, as the system's
// read-only attribute does).
TEST(FileReplaceTest, AReadOnlyFileIsRefusedAndKept) {
    const TempFolder folder;
    const fs::path file = folder / "locked.txt";
    Store(file, "protected");
    ::chmod(file.c_str(), 0444);
    const platform::Status result = platform::ReplaceFileContents(file, "overwritten");
    EXPECT_EQ(result.FaultKind<ReplaceFault>(), ReplaceFault::CannotOpen);
    EXPECT_EQ(result.Describe(), file.string() + ": is read-only");
    EXPECT_EQ(Contents(file), "protected");
    EXPECT_EQ(Entries(folder.path()), 1u);
}

// Guards against a device or a pipe being replaced by a regular file, and against a pipe
// without a reader blocking the write for ever.
TEST(FileReplaceTest, DevicesArePlacesToWriteAndOddTargetsAreRefused) {
    const TempFolder folder;
    ASSERT_TRUE(platform::ReplaceFileContents("/dev/null", "into the void"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    TAVRO_MAKE_PIPE_OR_SKIP((folder / "pipe"));
    fs::create_directory(folder / "folder");
    struct Case {
        fs::path target;
        const char* reason;
    } cases[] = {
        {folder / "pipe", "is a pipe that nobody reads"},
        {folder / "folder", "is a folder"},
        {folder / "missing" / "a.txt", "the folder does not exist"},
    };
    for (const Case& c : cases) {
        const platform::Status result = platform::ReplaceFileContents(c.target, "x");
        EXPECT_EQ(result.FaultKind<ReplaceFault>(), ReplaceFault::CannotOpen) << c.target;
        EXPECT_EQ(result.Describe(), c.target.string() + ": " + c.reason);
    }
    EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

// Guards against a full disk leaving a truncated file in place of the complete old one.
TEST(FileReplaceTest, AFailedWriteLeavesTheOldFile) {
    const TempFolder folder;
    const fs::path file = folder / "whole.txt";
    Store(file, "the complete old text");
    platform::Status result;
    {
        TAVRO_SKIP_WITHOUT_FILE_SIZE_LIMIT();
        const tavro::testing::FileSizeLimit fullDisk(8);
        result = platform::ReplaceFileContents(file, std::string(4096, 'n'));
    }
    EXPECT_EQ(result.FaultKind<ReplaceFault>(), ReplaceFault::CannotWrite);
    EXPECT_NE(result.Describe().find("cannot write"), std::string::npos) << result.Describe();
    EXPECT_EQ(Contents(file), "the complete old text");
    EXPECT_EQ(Entries(folder.path()), 1u);
}

}  // namespace
