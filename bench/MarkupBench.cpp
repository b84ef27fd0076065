// Markup reader throughput beside pugixml on the same buffers: a generated 50 MB install script
// and this machine's MIME database repeated to about the same size; a bare memchr scan for "<"
// is the floor.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "installer/ElementTable.h"
#include "installer/MarkupDocument.h"
#include "installer/MarkupParser.h"

namespace {

constexpr size_t kTargetBytes = 50'000'000;

// Commands as an installation writes them: registrations and batch files with references.
std::string GeneratedInstallScript() {
    std::string text =
        "<?xml version=\"1.0\"?>\n<!-- generated install script -->\n<InstallItem>\n";
    for (int command = 0; text.size() < kTargetBytes; ++command) {
        const std::string n = std::to_string(command);
        if (command % 4 == 0) {
            text += "  <Command action=\"Ravelink\">\n    <AddInMenu DllName=\"addin" + n +
                    ".dll\" DirName=\"AddIns\" MenuText=\"Fixture &amp; table " + n +
                    "\"/>\n    <Version>\n      <Directory>Cfg1</Directory>\n"
                    "      <Directory>Cfg2</Directory>\n    </Version>\n  </Command>\n";
        } else {
            text += "  <Command action=\"CreateFile\" name=\"run" + n +
                    ".bat\" location=\"[AppDir]Tools\">\n";
            for (int line = 0; line < 8; ++line)
                text += "    <Line>call [AppDir]bin\\step" + std::to_string(line) +
                        ".bat &gt; log" + n + ".txt</Line>\n";
            text += "    <Line/>\n  </Command>\n";
        }
    }
    return text + "</InstallItem>\n";
}

// The MIME database's root element repeated inside one root, prolog kept once.
std::string RepeatedMimeDatabase() {
    std::ifstream file("/usr/share/mime/packages/freedesktop.org.xml", std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    const size_t root = whole.find("<mime-info");
    if (root == std::string::npos) return {};
    const std::string body = whole.substr(root);
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<repeated>\n";
    while (text.size() < kTargetBytes) text += body;
    return text + "</repeated>\n";
}

const std::string& Buffer(int which) {
    static const std::string script = GeneratedInstallScript();
    static const std::string mime = RepeatedMimeDatabase();
    return which == 0 ? script : mime;
}

void SetFigures(benchmark::State& state, const std::string& text) {
    state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void SkipWithoutText(benchmark::State& state, const std::string& text) {
    if (text.empty()) state.SkipWithError("the MIME database is not on this machine");
}

// The floor: finding every "<" and nothing else.
void BM_MemchrScan(benchmark::State& state, int which) {
    const std::string& text = Buffer(which);
    for (auto _ : state) {
        size_t count = 0;
        for (const char* p = text.data();
             (p = static_cast<const char*>(std::memchr(p, '<', text.data() + text.size() - p)));
             ++p)
            ++count;
        benchmark::DoNotOptimize(count);
    }
    SetFigures(state, text);
}

// The element index of the buffer, built in place; the table is kept between iterations as a
// document keeps it between parses.
void BM_MarkupIndex(benchmark::State& state, int which) {
    const std::string& text = Buffer(which);
    SkipWithoutText(state, text);
    markup::ElementTable table;
    size_t elements = 0;
    for (auto _ : state) {
        const platform::Expected<std::int32_t> root = markup::ParseMarkup(text, table);
        if (!root || *root == 0) state.SkipWithError(root.Describe().c_str());
        elements = table.Used() - 1;
    }
    SetFigures(state, text);
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["table B/element"] = static_cast<double>(table.AllocatedBytes()) / elements;
}

// The same with a new table every time, so every page is allocated and touched afresh.
void BM_MarkupIndexFreshTable(benchmark::State& state, int which) {
    const std::string& text = Buffer(which);
    SkipWithoutText(state, text);
    for (auto _ : state) {
        markup::ElementTable table;
        benchmark::DoNotOptimize(static_cast<bool>(markup::ParseMarkup(text, table)));
    }
    SetFigures(state, text);
}

// pugixml on a copy of the buffer, in place (its fastest way to build its tree).
void BM_PugixmlInPlace(benchmark::State& state, int which) {
    const std::string& text = Buffer(which);
    SkipWithoutText(state, text);
    std::string copy = text;
    pugi::xml_document document;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(copy.data(), text.data(), text.size());
        state.ResumeTiming();
        const pugi::xml_parse_result result =
            document.load_buffer_inplace(copy.data(), copy.size());
        if (!result) state.SkipWithError(result.description());
    }
    SetFigures(state, text);
}

// Whole loads from memory, each taking its own copy of the text.
void BM_MarkupSetText(benchmark::State& state, int which) {
    const std::string& text = Buffer(which);
    SkipWithoutText(state, text);
    MarkupDocument document;
    for (auto _ : state) benchmark::DoNotOptimize(document.setText(text));
    SetFigures(state, text);
}

void BM_PugixmlLoadBuffer(benchmark::State& state, int which) {
    const std::string& text = Buffer(which);
    SkipWithoutText(state, text);
    pugi::xml_document document;
    for (auto _ : state) benchmark::DoNotOptimize(document.load_buffer(text.data(), text.size()));
    SetFigures(state, text);
}

#define MARKUP_BENCHMARKS(function)                                                \
    BENCHMARK_CAPTURE(function, install_script, 0)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(function, mime_database, 1)->Unit(benchmark::kMillisecond)

MARKUP_BENCHMARKS(BM_MemchrScan);
MARKUP_BENCHMARKS(BM_MarkupIndex);
MARKUP_BENCHMARKS(BM_MarkupIndexFreshTable);
MARKUP_BENCHMARKS(BM_PugixmlInPlace);
MARKUP_BENCHMARKS(BM_MarkupSetText);
MARKUP_BENCHMARKS(BM_PugixmlLoadBuffer);

}  // namespace
