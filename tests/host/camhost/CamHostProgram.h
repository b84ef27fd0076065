// Test support: runs the real camhost program (and Edrovan) on a fresh drive root and gives
// back its exit code, standard output and standard error; file helpers below the drive root.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Paths.h"

namespace host::testing {

struct ProgramRun {
    int exitCode = -1;
    std::string output;  // standard output
    std::string errors;  // standard error
};

class CamHostProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("camhost-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "drive_c");
        platform::SetDriveRoot(root_);
    }
    void TearDown() override {
        platform::ResetDriveRoot();
        if (!HasFailure()) std::filesystem::remove_all(root_);
    }

    // Runs `program` with `arguments` and --drive-root of the test, in the folder of drive C.
    ProgramRun Run(const std::string& program, const std::vector<std::string>& arguments) const {
        const std::filesystem::path errors = root_ / "stderr.txt";
        std::string command = "cd " + Quoted((root_ / "drive_c").string()) +
                              " && env -u TAVRO_SESSION_SCRIPT -u TAVRO_TRANSCRIPT " +
                              Quoted(program) + " " + Quoted("--drive-root=" + root_.string());
        for (const std::string& argument : arguments) command += " " + Quoted(argument);
        command += " 2>" + Quoted(errors.string());
        ProgramRun run;
        FILE* output = ::popen(command.c_str(), "r");
        if (output == nullptr) return run;
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, output)) > 0)
            run.output.append(buffer, got);
        const int status = ::pclose(output);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.errors = Read(errors);
        return run;
    }
    ProgramRun CamHost(const std::vector<std::string>& arguments) const {
        return Run(CAMHOST_PROGRAM, arguments);
    }

public:
    // The file a system path names, below the test's drive root.
    [[nodiscard]] static std::filesystem::path File(const std::string& systemPath) {
        return platform::MapPath(systemPath);
    }
    // Writes `text` to the file of `systemPath`, creating its folder.
    static void Write(const std::string& systemPath, const std::string& text) {
        const std::filesystem::path path = File(systemPath);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    // Copies a file of this machine to `systemPath`.
    static void Copy(const std::filesystem::path& from, const std::string& systemPath) {
        const std::filesystem::path path = File(systemPath);
        std::filesystem::create_directories(path.parent_path());
        std::filesystem::copy_file(from, path, std::filesystem::copy_options::overwrite_existing);
    }
    // The whole file, "" when it cannot be read.
    [[nodiscard]] static std::string Read(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    [[nodiscard]] static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            if (line.ends_with('\r')) line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

protected:
    std::filesystem::path root_;

private:
    static std::string Quoted(const std::string& word) {
        std::string quoted = "'";
        for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }
};

}  // namespace host::testing
