// Registering an add-in into a large host ini file: a 2.5 MB surfcam.ini whose count is 1,000,
// so that the registration reads 1,001 keys before it writes two.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "installer/IniRegistration.h"
#include "platform/IniFile.h"
#include "platform/ProcessState.h"

namespace {

constexpr int kEntries = 1000;
constexpr std::size_t kFileBytes = 2'500'000;

std::string LargeIni() {
    std::string text = "[SystemOptional]\r\nUserApplications=" + std::to_string(kEntries) + "\r\n";
    for (int n = 1; n <= kEntries; ++n)
        text += "UserApp" + std::to_string(n) + "=c:\\Surfcam\\AddIns\\addin" + std::to_string(n) +
                ".dll,Menu entry " + std::to_string(n) + "\r\n";
    for (int section = 0; text.size() < kFileBytes; ++section) {
        text += "\r\n[Options" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 40; ++key)
            text += "Setting" + std::to_string(key) + "=a value of some length, " +
                    std::to_string(section * 40 + key) + "\r\n";
    }
    return text;
}

struct Folder {
    Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ini-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

// One registration of a library the file does not name yet: 1,001 reads and two writes. The file
// is put back before each; `settled` dates it an hour back, as an ini file on a host is, else it
// is as freshly written as a file that was just installed.
void Register(benchmark::State& state, bool settled) {
    const Folder folder;
    const std::string text = LargeIni();
    const std::filesystem::path ini = folder.path / "surfcam.ini";
    for (auto _ : state) {
        state.PauseTiming();
        platform::ResetProcessState();
        std::ofstream(ini, std::ios::binary) << text;
        if (settled)
            std::filesystem::last_write_time(
                ini, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
        state.ResumeTiming();
        const platform::Status entered =
            installer::EnterAddIn(ini.string(), "tavroset.dll", "c:\\Surfcam\\Tavroset.dll,Table");
        if (!entered) state.SkipWithError(entered.Describe().c_str());
    }
    state.counters["file MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_RegisterIntoSettledIni(benchmark::State& state) { Register(state, true); }
void BM_RegisterIntoFreshIni(benchmark::State& state) { Register(state, false); }

// The reference: what the registration costs when every read parses the file again.
void BM_ParsePerRead(benchmark::State& state) {
    const std::string text = LargeIni();
    for (auto _ : state) {
        for (int n = 0; n <= kEntries; ++n)
            benchmark::DoNotOptimize(platform::IniDocument::Parse(text).Find(
                "SystemOptional", "UserApp" + std::to_string(n)));
    }
}

BENCHMARK(BM_RegisterIntoSettledIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegisterIntoFreshIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePerRead)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
