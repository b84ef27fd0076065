// The path service: Windows-style texts mapped below the drive root.
#include "TestSystem.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "TempFolder.h"

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root_ / "drive_c" / "Surfcam");
        platform::SetDriveRoot(root_);
    }
    const tavro::testing::TempFolder folder_{"paths"};
    const std::filesystem::path root_ = folder_.path();
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
    const char* const before = std::getenv(platform::kDriveRootVariable);
    const std::string previous = before != nullptr ? before : "";
    platform::ResetDriveRoot();
    tavro::testing::SetEnvironment(platform::kDriveRootVariable, "/somewhere/drives");
    EXPECT_EQ(platform::MapPath("c:\\a.txt"),
              std::filesystem::path("/somewhere/drives/drive_c/a.txt"));
    platform::SetDriveRoot(root_);
    EXPECT_EQ(platform::MapPath("c:\\a.txt"), root_ / "drive_c" / "a.txt");
    // The test programs' own drive root comes back (tests/support/TestMain.cpp).
    if (before != nullptr)
        tavro::testing::SetEnvironment(platform::kDriveRootVariable, previous);
    else
        tavro::testing::UnsetEnvironment(platform::kDriveRootVariable);
}

}  // namespace
