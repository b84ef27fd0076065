// The process's clipboard: format registry, open state and the blocks it holds.
#include "platform/Clipboard.h"

#include <cctype>
#include <map>
#include <vector>

#include "platform/TextCase.h"

namespace platform {
namespace {

struct ClipboardState {
    std::vector<std::string> formatNames;  // index = format - kFirstRegisteredFormat
    bool open = false;
    std::map<ClipboardFormat, GlobalHandle> data;
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

void FreeData(ClipboardState& state) {
    for (const auto& [format, handle] : state.data) FreeGlobal(handle);
    state.data.clear();
}

}  // namespace

ClipboardFormat RegisterClipboardFormat(std::string_view name) {
    if (name.empty()) return 0;
    std::vector<std::string>& names = State().formatNames;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (EqualsIgnoringCase(names[i], name))
            return kFirstRegisteredFormat + static_cast<ClipboardFormat>(i);
    }
    names.emplace_back(name);
    return kFirstRegisteredFormat + static_cast<ClipboardFormat>(names.size() - 1);
}

std::string ClipboardFormatName(ClipboardFormat format) {
    const std::vector<std::string>& names = State().formatNames;
    if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= names.size())
        return {};
    return names[format - kFirstRegisteredFormat];
}

// The owner only matters to a windowed backend; one user at a time is what callers rely on.
bool OpenClipboard(const void* /*owner*/) {
    ClipboardState& state = State();
    if (state.open) return false;
    state.open = true;
    return true;
}

bool CloseClipboard() {
    ClipboardState& state = State();
    if (!state.open) return false;
    state.open = false;
    return true;
}

bool EmptyClipboard() {
    ClipboardState& state = State();
    if (!state.open) return false;
    FreeData(state);
    return true;
}

bool SetClipboardData(ClipboardFormat format, GlobalHandle data) {
    ClipboardState& state = State();
    if (!state.open || format == 0 || !IsGlobalBlock(data)) return false;
    const auto [entry, added] = state.data.try_emplace(format, data);
    if (!added && entry->second != data) {
        FreeGlobal(entry->second);
        entry->second = data;
    }
    return true;
}

GlobalHandle GetClipboardData(ClipboardFormat format) {
    const ClipboardState& state = State();
    if (!state.open) return GlobalHandle::None;
    const auto found = state.data.find(format);
    return found != state.data.end() ? found->second : GlobalHandle::None;
}

bool IsClipboardFormatAvailable(ClipboardFormat format) { return State().data.contains(format); }

void ResetClipboard() {
    ClipboardState& state = State();
    FreeData(state);
    state.open = false;
    state.formatNames.clear();
}

}  // namespace platform
