// The host's DLL ("cadlsilent"): runs a command file against the drawing through the operations
// table it is given. Every line is checked before any runs, so a bad file changes nothing.
//
// Command file lines ('#' starts a comment, blank lines are skipped):
//   color <0-255>            current colour for what follows
//   layer <0-999> [name]     current layer; a missing layer is created with the name
//   point <x> <y> <z>        a point entity
//   line <x1> <y1> <z1> <x2> <y2> <z2>   a line entity
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "hostlink/HostApi.h"
#include "platform/InputFile.h"
#include "platform/Paths.h"

namespace {

struct Command {
    std::string keyword;
    std::vector<double> numbers;
    std::string name;
};

// The command on one line, or none when the line is malformed.
std::optional<Command> ParseCommand(const std::string& line) {
    std::istringstream in(line);
    Command command;
    in >> command.keyword;
    std::size_t wanted = 0;
    if (command.keyword == "color" || command.keyword == "layer")
        wanted = 1;
    else if (command.keyword == "point")
        wanted = 3;
    else if (command.keyword == "line")
        wanted = 6;
    else
        return std::nullopt;
    double value = 0.0;
    while (command.numbers.size() < wanted && in >> value) command.numbers.push_back(value);
    if (command.numbers.size() != wanted) return std::nullopt;
    std::getline(in >> std::ws, command.name);
    if (command.keyword != "layer" && !command.name.empty()) return std::nullopt;
    return command;
}

void Run(const Command& c, HostApi& api) {
    const int drawing = api.HostDrawing();
    if (c.keyword == "color") {
        api.HostSetColor(int(c.numbers[0]));
    } else if (c.keyword == "layer") {
        const int layer = int(c.numbers[0]);
        if (!api.HostLayerExists(layer)) {
            HostLayerObject* record = api.HostNewLayer();
            std::strncpy(record->name, c.name.c_str(), sizeof record->name - 1);
            api.HostSetObjectLayer(record, layer);
            api.HostAddLayer(drawing, record);
            api.HostFree(record);
        }
        api.HostSetLayer(layer);
    } else if (c.keyword == "point") {
        HostPointObject* point = api.HostNewPoint();
        *point = {c.numbers[0], c.numbers[1], c.numbers[2]};
        api.HostAddPoint(drawing, point);
        api.HostFree(point);
    } else {
        HostLineObject* line = api.HostNewLine();
        line->start = {c.numbers[0], c.numbers[1], c.numbers[2]};
        line->end = {c.numbers[3], c.numbers[4], c.numbers[5]};
        api.HostAddLine(drawing, line);
        api.HostFree(line);
    }
}

}  // namespace

// 0 when every command ran; -1 when the file cannot be read or no table is given; otherwise the
// number of the first malformed line, and nothing was run.
extern "C" __attribute__((visibility("default"))) int SurfcamDllEntryPoint(const char*, const char*,
                                                                           const char* path,
                                                                           HostApi* api) {
    if (!path || !api) return -1;
    // Only a regular file is read: a pipe would block the host for ever.
    const platform::Expected<std::string> file = platform::ReadInputFile(platform::MapPath(path));
    if (!file) return -1;
    std::istringstream lines(*file);
    std::vector<Command> commands;
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        std::optional<Command> command = ParseCommand(line);
        if (!command) return number;
        commands.push_back(std::move(*command));
    }
    for (const Command& command : commands) Run(command, *api);
    return 0;
}
