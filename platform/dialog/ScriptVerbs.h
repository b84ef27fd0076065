// The verbs of session-script actions, shared by the script reader, the controls that carry
// them out and the headless backend.
#pragma once

#include <string_view>

namespace platform::verbs {

inline constexpr std::string_view kPress = "press";
inline constexpr std::string_view kClick = "click";
inline constexpr std::string_view kTick = "tick";
inline constexpr std::string_view kClear = "clear";
inline constexpr std::string_view kType = "type";
inline constexpr std::string_view kChoose = "choose";
inline constexpr std::string_view kSelect = "select";
inline constexpr std::string_view kEditCell = "edit-cell";
inline constexpr std::string_view kFocusCell = "focus-cell";
inline constexpr std::string_view kClose = "close";
inline constexpr std::string_view kEscape = "escape";
inline constexpr std::string_view kWait = "wait";
inline constexpr std::string_view kExpectDialog = "expect-dialog";
// Reserved for the stand-in host, with every verb that starts with kHostPrefix.
inline constexpr std::string_view kSelectEntities = "select-entities";
inline constexpr std::string_view kPickLocation = "pick-location";
inline constexpr std::string_view kHostPrefix = "host-";

}  // namespace platform::verbs
