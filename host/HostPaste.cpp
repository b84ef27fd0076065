// Pasting the drawing file bytes that the clipboard holds in the host's clip format.
#include <algorithm>

#include "host/DrawingFile.h"
#include "host/Host.h"
#include "platform/Clipboard.h"
#include "platform/MessageService.h"

namespace host {
namespace {

// The clipboard format under which the bytes of a drawing file travel.
constexpr const char* kClipFormat = "SC2005 Clip Format";

// The bytes on the clipboard under the clip format; none when the clipboard cannot be opened
// or holds none.
std::optional<std::string> ClipboardBytes() {
    const platform::ClipboardFormat format = platform::RegisterClipboardFormat(kClipFormat);
    if (!platform::OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::string> bytes;
    const platform::GlobalHandle block = platform::GetClipboardData(format);
    if (const auto* data = static_cast<const char*>(platform::LockGlobal(block))) {
        bytes.emplace(data, platform::GlobalSize(block));
        platform::UnlockGlobal(block);
    }
    platform::CloseClipboard();
    // A block may be longer than the file it carries; the padding is zeros.
    if (bytes)
        bytes->erase(std::find_if(bytes->rbegin(), bytes->rend(), [](char c) { return c; }).base(),
                     bytes->end());
    return bytes;
}

}  // namespace

bool Host::PasteFromClipboard() {
    const std::optional<std::string> bytes = ClipboardBytes();
    if (!bytes) return Refuse("Nothing to paste: the clipboard holds no drawing");
    const platform::Expected<Drawing> read = ReadDrawing(*bytes);
    if (!read) return Refuse("Cannot paste the drawing on the clipboard: " + read.Describe());
    drawing_.MergeFrom(*read);
    return true;
}

}  // namespace host
