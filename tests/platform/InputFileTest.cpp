// Input files: only regular files are read, and a pipe, a device or a folder is refused at once.
#include "TestSystem.h"
#include "platform/InputFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "TempFolder.h"

namespace {

using platform::InputFault;
using tavro::testing::TempFolder;

TEST(InputFileTest, ReadsARegularFileWhole) {
    const TempFolder folder;
    std::ofstream(folder / "a.txt", std::ios::binary) << std::string("x\0y\r\n", 5);
    const platform::Expected<std::string> read = platform::ReadInputFile(folder / "a.txt");
    ASSERT_TRUE(read) << read.Describe();
    EXPECT_EQ(*read, std::string("x\0y\r\n", 5));
}

// Guards against a pipe, a device or a folder named as an input blocking the program for ever
// or being read as if it were a file.
TEST(InputFileTest, RefusesAnythingButARegularFileAtOnce) {
    const TempFolder folder;
    TAVRO_MAKE_PIPE_OR_SKIP((folder / "pipe"));
    struct Case {
        std::filesystem::path path;
        InputFault fault;
        const char* reason;
    } cases[] = {
        {folder / "pipe", InputFault::NotRegular,
         "Not a regular file (a pipe, a device or a socket)"},
        {"/dev/zero", InputFault::NotRegular, "Not a regular file (a pipe, a device or a socket)"},
        {folder.path(), InputFault::NotRegular, "Is a directory"},
        {folder / "missing.txt", InputFault::Missing, "No such file or directory"},
        {folder / "missing" / "below.txt", InputFault::Missing, "No such file or directory"},
    };
    for (const Case& c : cases) {
        const platform::Expected<std::string> read = platform::ReadInputFile(c.path);
        EXPECT_FALSE(read) << c.path;
        EXPECT_EQ(read.GetStatus().FaultKind<InputFault>(), c.fault) << c.path;
        EXPECT_EQ(read.GetStatus().Reason(), c.reason) << c.path;
        EXPECT_EQ(read.Describe(), c.path.string() + ": " + c.reason);
        EXPECT_FALSE(platform::OpenInputFile(c.path)) << c.path;
    }
}

}  // namespace
