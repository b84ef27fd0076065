// The progress box: placed from the application profile whenever it is shown or hidden, and
// remembering its place when it is destroyed.
#include "hostlink/ProgressBox.h"

#include <cstdio>

#include "platform/AppProfile.h"
#include "platform/dialog/DataExchange.h"
#include "platform/dialog/Dialog.h"

namespace ravelink {
namespace {

constexpr int kTemplateId = 103;
constexpr int kIdText = 9000;
constexpr const char* kApplicationName = "Ravelink03";
constexpr const char* kSection = "ProgressBox";
constexpr const char* kTopKey = "Top";
constexpr const char* kLeftKey = "Left";
constexpr int kWidthPixels = 300;
constexpr int kHeightPixels = 58;

class ProgressBoxWindow : public platform::Dialog {
public:
    ProgressBoxWindow() : Dialog(kTemplateId, platform::WindowHandle{}) {}
    std::string text;

protected:
    void DoDataExchange(platform::DataExchange& exchange) override { exchange.Text(kIdText, text); }

    void OnShowWindow(bool /*shown*/) override {
        const platform::AppProfile profile(kApplicationName);
        const int top = profile.GetProfileInt(kSection, kTopKey, 0);
        const int left = profile.GetProfileInt(kSection, kLeftKey, 0);
        Move(platform::PixelRect{left, top, kWidthPixels, kHeightPixels});
    }

    void OnDestroy() override {
        const platform::AppProfile profile(kApplicationName);
        // Losing the place is no reason to disturb the run: a failed write is only reported.
        for (const auto& [key, value] :
             {std::pair{kTopKey, Rect().top}, std::pair{kLeftKey, Rect().left}}) {
            const platform::Status written = profile.WriteProfileInt(kSection, key, value);
            if (!written) std::fprintf(stderr, "Ravelink03: %s\n", written.Describe().c_str());
        }
    }
};

// The window object exists for the library's whole life; its window between Setup and Shutdown.
// Kept off the exit-time destructors, which would run after the dialog system's own state.
ProgressBoxWindow& Box() {
    static auto* box = new ProgressBoxWindow;
    return *box;
}

}  // namespace

platform::DialogTemplate ProgressBoxTemplate() {
    platform::DialogTemplate face;
    face.id = kTemplateId;
    face.caption = "";
    face.width = 330;
    face.height = 26;
    face.style.systemMenu = false;
    face.controls = {platform::MakeControl(platform::ControlKind::StaticText, kIdText, "text", "",
                                           {7, 7, 316, 12})};
    return face;
}

void CreateProgressBox() {
    ProgressBoxWindow& box = Box();
    if (box.HasWindow()) return;
    if (!box.Create()) {
        std::fprintf(stderr, "Ravelink03: progress box not created: %s\n",
                     box.CreationError().c_str());
        return;
    }
    box.Show(true);
}

void SetProgressText(const std::string& text) {
    ProgressBoxWindow& box = Box();
    box.text = text;
    if (box.HasWindow()) box.UpdateData(false);
}

void DestroyProgressBox() { Box().DestroyWindow(); }

std::string ProgressBoxText() { return Box().text; }

bool ProgressBoxExists() { return Box().HasWindow(); }

platform::PixelRect ProgressBoxPlace() { return Box().Rect(); }

}  // namespace ravelink
