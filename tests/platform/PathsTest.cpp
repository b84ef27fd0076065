// The path service: Windows-style texts mapped below the drive root.
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("paths-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "drive_c" / "Surfcam");
        platform::SetDriveRoot(root_);
    }
    void TearDown() override {
        platform::ResetDriveRoot();
        std::filesystem::remove_all(root_);
    }
    std::filesystem::path root_;
};

TEST_F(PathsTest, MapsDrivesRootsAndSeparators) {
    struct Case {
        const char* system;
        std::filesystem::path expected;
    } cases[] = {
        {"c:\\Tavro.txt", root_ / "drive_c" / "Tavro.txt"},
        {"C:\\Surfcam\\SrpApiV3\\cadlsilent.dll",
         root_ / "drive_c" / "Surfcam" / "SrpApiV3" / "cadlsilent.dll"},
        {"d:/data/part.scprt", root_ / "drive_d" / "data" / "part.scprt"},
        {"\\Tavro.txt", root_ / "drive_c" / "Tavro.txt"},
        {"c:Tavro.txt", root_ / "drive_c" / "Tavro.txt"},
        {"c:\\\\double\\\\sep", root_ / "drive_c" / "double" / "sep"},
        {"/tmp/plain.txt", "/tmp/plain.txt"},
        {"rel\\dir\\file.txt", std::filesystem::path("rel") / "dir" / "file.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::MapPath(c.system), c.expected) << c.system;
}

TEST_F(PathsTest, ExistingEntriesAreFoundWhateverTheirCase) {
    std::ofstream(root_ / "drive_c" / "Surfcam" / "Surfcam.ini") << "x";
    EXPECT_EQ(platform::MapPath("C:\\SURFCAM\\surfcam.INI"),
              root_ / "drive_c" / "Surfcam" / "Surfcam.ini");
    // A name that exists in no case is kept as written, for creating it.
    EXPECT_EQ(platform::MapPath("c:\\surfcam\\New.txt"), root_ / "drive_c" / "Surfcam" / "New.txt");
}

TEST_F(PathsTest, DriveRootComesFromTheEnvironmentUnlessSet) {
    platform::ResetDriveRoot();
    ::setenv(platform::kDriveRootVariable, "/somewhere/drives", 1);
    EXPECT_EQ(platform::MapPath("c:\\a.txt"),
              std::filesystem::path("/somewhere/drives/drive_c/a.txt"));
    platform::SetDriveRoot(root_);
    EXPECT_EQ(platform::MapPath("c:\\a.txt"), root_ / "drive_c" / "a.txt");
    ::unsetenv(platform::kDriveRootVariable);
}

}  // namespace
