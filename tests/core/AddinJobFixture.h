// Test fixture for whole jobs through the add-in's exports: the real stand-in host, a session
// script playing the user, the program file as the job leaves it, and the leak check.
#pragma once

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "HostFixture.h"
#include "core/addin/AddinExports.h"
#include "hostlink/LinkState.h"
#include "platform/dialog/DialogSystem.h"

namespace addin_testing {

using Lines = std::vector<std::string>;

inline constexpr const char* kMainCaption = "\"TAVRO Programmer by Kestrane\"";
inline constexpr const char* kProgramPath = "c:\\Tavro.txt";
inline constexpr const char* kTablePath = "c:\\TavroLoc.txt";

class AddinJobTest : public host::testing::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        platform::ResetDialogSystem();
        ravelink::ResetLinkStateForTests();
    }
    void TearDown() override {
        EXPECT_EQ(Outstanding(), 0u) << "host objects handed out and not freed";
        platform::ResetDialogSystem();
        ravelink::ResetLinkStateForTests();
        HostFixture::TearDown();
    }

    // One call of the host's command with `script` as the user, on the host's own table or
    // on `api` (a wrapper of it, made with HostTable()).
    int RunJob(std::string_view script, HostApi* api = nullptr) {
        host::testing::PlaySessionScript(script);
        api_ = host::HostApiFor(host_);  // the host's main window again, after the reset
        return UserApp_nCallback(api != nullptr ? api : &api_);
    }
    // The host's operations table, to wrap before RunJob.
    HostApi& HostTable() {
        api_ = host::HostApiFor(host_);
        return api_;
    }

    [[nodiscard]] static Lines Transcript() {
        return platform::CurrentHeadlessBackend()->TranscriptLines();
    }
    // The transcript's message lines.
    [[nodiscard]] static Lines Messages() {
        Lines messages;
        for (const std::string& line : Transcript())
            if (line.starts_with("message ")) messages.push_back(line);
        return messages;
    }
    // Whether `expected` occur in the transcript in this order (other lines may lie between).
    [[nodiscard]] static bool TranscriptHasInOrder(const Lines& expected) {
        const Lines lines = Transcript();
        auto at = lines.begin();
        for (const std::string& line : expected) {
            at = std::find(at, lines.end(), line);
            if (at == lines.end()) return false;
            ++at;
        }
        return true;
    }

    // The bytes of the file at a system path, none when there is no file.
    [[nodiscard]] static std::optional<std::string> FileText(const std::string& systemPath) {
        std::ifstream file(platform::MapPath(systemPath), std::ios::binary);
        if (!file) return std::nullopt;
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

// The program file holding the header, `moves` and the terminator.
inline std::string ProgramWith(const Lines& moves) {
    std::string text = "DEFINE_PRG TEST V2.4\r\n";
    for (const std::string& move : moves) text += move + "\r\n";
    return text + "END_DEFINE_PRG";
}

}  // namespace addin_testing
