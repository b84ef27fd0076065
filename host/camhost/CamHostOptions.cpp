// camhost's options, read with the project's one options parser.
#include "host/camhost/CamHostOptions.h"

#include "host/addins/AddinRegistry.h"
#include "platform/ProgramOptions.h"

namespace host {
namespace {

constexpr platform::ProgramOption kConfig{"config", "DIR",
                                          "host configuration folder holding surfcam.ini "
                                          "(default c:\\Surfcam\\Config)"};
constexpr platform::ProgramOption kOpen{"open", "DRAWING", "drawing (.scprt) to open first"};
constexpr platform::ProgramOption kSession{
    "session", "SCRIPT", "session script playing the user (docs/session-scripts.md)"};
constexpr platform::ProgramOption kTranscript{"transcript", "FILE",
                                              "file the session's transcript is written to"};
constexpr platform::ProgramOption kRun{"run", "MENU_TEXT_OR_NUMBER",
                                       "add-in command to run, by its menu text or entry number",
                                       /*repeatable=*/true};
constexpr platform::ProgramOption kSave{"save", "DRAWING", "saves the drawing after the commands"};
constexpr platform::ProgramOption kSvg{"svg", "FILE", "writes a picture (SVG) after the commands"};
constexpr platform::ProgramOption kTable{"table", "FILE",
                                         "machine table definition whose post numbers label the "
                                         "picture"};
constexpr platform::ProgramOption kHelp{"help", "", "shows this help"};

constexpr platform::ProgramOption kOptions[] = {platform::kDriveRootOption,
                                                platform::kGuiOption,
                                                kConfig,
                                                kOpen,
                                                kSession,
                                                kTranscript,
                                                kRun,
                                                kSave,
                                                kSvg,
                                                kTable,
                                                kHelp};

}  // namespace

platform::Expected<CamHostCommandLine> ParseCamHostCommandLine(
    const std::vector<std::string>& arguments) {
    const platform::Expected<platform::ParsedOptions> parsed =
        platform::ParseOptions(kOptions, arguments);
    if (!parsed) return parsed.GetStatus();
    if (!parsed->positional.empty())
        return platform::Status::Failure("unexpected word \"" + parsed->positional.front() +
                                         "\" (every input is given by an option; see --help)");
    platform::ApplyDriveRoot(*parsed);
    CamHostCommandLine line;
    line.help = parsed->Has(kHelp.name);
    CamHostSettings& settings = line.settings;
    settings.configFolder = parsed->Value(kConfig.name).value_or(std::string(kDefaultConfigFolder));
    settings.openDrawing = parsed->Value(kOpen.name);
    settings.sessionScript = parsed->Value(kSession.name);
    settings.transcript = parsed->Value(kTranscript.name);
    settings.gui = parsed->Has(platform::kGuiOption.name);
    settings.commands = parsed->Values(kRun.name);
    settings.saveDrawing = parsed->Value(kSave.name);
    settings.picture = parsed->Value(kSvg.name);
    settings.pictureTable = parsed->Value(kTable.name);
    return line;
}

std::string CamHostHelp() {
    return "usage: camhost [OPTION...]\n"
           "The stand-in CAD host: opens a drawing, takes the user's actions from a session\n"
           "script, runs add-in commands registered in surfcam.ini, then saves the drawing and\n"
           "draws a picture of it. Every option takes --name VALUE or --name=VALUE.\n\n" +
           platform::OptionsHelp(kOptions) +
           "\nExit status: 0 done, 1 the job failed (the reason is on standard error), 2 the\n"
           "command line cannot be used. See docs/camhost.md.\n";
}

}  // namespace host
