// Dialog backends by name: each registers a factory, and a program or the environment
// chooses one. "headless" is always there; a desktop backend registers itself when its
// library is linked in and its registration called.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog/DialogBackend.h"

namespace platform {

// Environment variables by which a program chooses its backend: the backend's name
// ("headless" by default), the session script file, and the file the transcript is written to.
inline constexpr const char* kDialogBackendVariable = "TAVRO_DIALOG_BACKEND";
inline constexpr const char* kSessionScriptVariable = "TAVRO_SESSION_SCRIPT";
inline constexpr const char* kTranscriptVariable = "TAVRO_TRANSCRIPT";

// The name of the backend that needs no display, and of the one with real windows (registered
// by programs linked with platform/desktop).
inline constexpr std::string_view kHeadlessBackendName = "headless";
inline constexpr std::string_view kDesktopBackendName = "desktop";

// What every backend is made with: the session script that plays the user (empty: none) and
// the file its transcript goes to (empty: memory only).
struct BackendSettings {
    std::filesystem::path script;
    std::filesystem::path transcript;
};

using BackendFactory = std::function<std::unique_ptr<DialogBackend>(const BackendSettings&)>;

// Registers (or with an empty factory removes) the backend `name`.
void RegisterDialogBackend(const std::string& name, BackendFactory factory);
// The registered names, sorted.
[[nodiscard]] std::vector<std::string> DialogBackendNames();
// A new backend of that name; null when no backend has the name.
[[nodiscard]] std::unique_ptr<DialogBackend> MakeDialogBackend(std::string_view name,
                                                               const BackendSettings& settings);
// The backend `name`, or when there is none, the headless one after saying so on standard
// error ("" names the headless one quietly).
[[nodiscard]] std::unique_ptr<DialogBackend> ChooseDialogBackend(std::string_view name,
                                                                 const BackendSettings& settings);

// The script and transcript files the environment names ($TAVRO_SESSION_SCRIPT,
// $TAVRO_TRANSCRIPT).
[[nodiscard]] BackendSettings BackendSettingsFromEnvironment();

// A backend as the environment chooses it: $TAVRO_DIALOG_BACKEND (default headless), with
// the script of $TAVRO_SESSION_SCRIPT (none: every dialog is cancelled as soon as it waits)
// and the transcript written to $TAVRO_TRANSCRIPT (none: kept in memory). Problems are
// reported on standard error and in the transcript.
[[nodiscard]] std::unique_ptr<DialogBackend> BackendFromEnvironment();

}  // namespace platform
