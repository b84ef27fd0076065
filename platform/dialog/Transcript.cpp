// Transcript lines: formatting of window events, memory and file output.
#include "platform/dialog/Transcript.h"

#include "platform/dialog/QuotedText.h"

namespace platform {
namespace {

std::string ResultText(int result) {
    if (result == 1) return "OK";
    if (result == 2) return "Cancel";
    return std::to_string(result);
}

}  // namespace

Status Transcript::WriteTo(const std::filesystem::path& path) {
    file_ = std::ofstream(path, std::ios::binary | std::ios::trunc);
    if (!file_) return Status::Failure("cannot write the transcript " + path.string());
    for (const std::string& line : lines_) file_ << line << '\n';
    file_.flush();
    return {};
}

void Transcript::Write(const std::string& line) {
    lines_.push_back(line);
    if (file_.is_open()) file_ << line << '\n' << std::flush;
}

bool Transcript::Shows(const WindowEvent& event) { return !Format(event).empty(); }

std::string Transcript::Format(const WindowEvent& event) {
    const std::string window = event.hostWindow ? "host" : QuoteText(event.window);
    const std::string control = event.control.empty() ? "" : " " + event.control;
    switch (event.kind) {
        case WindowEventKind::Shown:
            return "show " + window;
        case WindowEventKind::Hidden:
            return "hide " + window;
        case WindowEventKind::Enabled:
            return "enable " + window;
        case WindowEventKind::Disabled:
            return "disable " + window;
        case WindowEventKind::Focused:
            return "focus " + window;
        case WindowEventKind::Foreground:
            return "foreground " + window;
        case WindowEventKind::Redrawn:
            return "redraw " + window + control;
        case WindowEventKind::Moved:
            return "move " + window + " " + std::to_string(event.rect.left) + " " +
                   std::to_string(event.rect.top) + " " + std::to_string(event.rect.width) + " " +
                   std::to_string(event.rect.height);
        case WindowEventKind::Ended:
            return "end " + window + " " + ResultText(event.value);
        case WindowEventKind::Destroyed:
            // A modal dialog's window goes with its loop's end, which has its own line.
            return event.value == kDestroyedByProgram ? "destroy " + window : "";
        case WindowEventKind::Failed:
            return "fail " + std::to_string(event.value) + " " + QuoteText(event.text);
        case WindowEventKind::ProgressChanged:
            return "progress " + window + control + " " + std::to_string(event.value);
        case WindowEventKind::TextChanged:
            return "text " + window + control + " " + QuoteText(event.text);
        case WindowEventKind::Created:
        case WindowEventKind::ControlEnabled:
        case WindowEventKind::ControlShown:
        case WindowEventKind::CheckChanged:
        case WindowEventKind::TextSet:
        case WindowEventKind::EntryInserted:
        case WindowEventKind::EntrySelected:
        case WindowEventKind::EntriesCleared:
        case WindowEventKind::ColumnInserted:
        case WindowEventKind::ProgressRangeChanged:
        case WindowEventKind::RowCountChanged:
        case WindowEventKind::ColumnCountChanged:
        case WindowEventKind::FixedRowsChanged:
        case WindowEventKind::FixedColumnsChanged:
        case WindowEventKind::CellTextChanged:
        case WindowEventKind::CellsCleared:
        case WindowEventKind::HeaderNumbersChanged:
        case WindowEventKind::FocusCellChanged:
            return "";
    }
    return "unknown event";
}

}  // namespace platform
