// Message boxes: recorded in order and handed to the presenter of the backend in use.
#include "platform/MessageService.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {

struct MessageState {
    std::vector<std::string> shown;
    MessagePresenter presenter;
};

MessageState& State() {
    static MessageState state;
    return state;
}

void PresentOnStandardError(const std::string& text) {
    std::fprintf(stderr, "[message] %s\n", text.c_str());
}

}  // namespace

void ShowMessage(const std::string& text) {
    MessageState& state = State();
    state.shown.push_back(text);
    if (state.presenter)
        state.presenter(text);
    else
        PresentOnStandardError(text);
}

const std::vector<std::string>& ShownMessages() { return State().shown; }

void ClearMessages() { State().shown.clear(); }

void SetMessagePresenter(MessagePresenter presenter) { State().presenter = std::move(presenter); }

}  // namespace platform
