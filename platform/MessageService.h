// The one way the system shows a modal message with a single OK button.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Shows `text` as a modal message box with one OK button and returns when it was answered.
// Every message is also kept, in order, so that tests and transcripts can read them.
void ShowMessage(const std::string& text);

// The messages shown since the last ClearMessages, oldest first.
[[nodiscard]] const std::vector<std::string>& ShownMessages();

// Forgets the messages shown so far.
void ClearMessages();

// Replaces how a message is presented (a dialog backend installs its own); an empty function
// restores the headless presenter, which prints the message to standard error.
using MessagePresenter = std::function<void(const std::string& text)>;
void SetMessagePresenter(MessagePresenter presenter);

}  // namespace platform
