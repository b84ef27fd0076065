// Test support: a small dialog that a screen backend's person tests play, ending itself with
// the result a posted message or a timer brings, or waiting for the person.
#pragma once

#include <chrono>
#include <cstdint>

#include "platform/dialog/Dialog.h"
#include "platform/dialog/Module.h"

namespace tavro::testing {

enum : int {
    kPersonFaceId = 500,
    kPostedEnd = 0x8001,
    kPersonTimerId = 7,
    kIdPersonName = 1001,
    kEscapedResult = 44,
};

inline platform::Module& PersonModule() {
    static platform::Module& module = []() -> platform::Module& {
        using platform::ControlKind;
        using platform::MakeControl;
        platform::Module& tests = platform::DefineModule("PersonTests");
        platform::DialogTemplate face;
        face.id = kPersonFaceId;
        face.caption = "Ask";
        face.width = 120;
        face.height = 40;
        face.style.centred = true;
        face.controls = {
            MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {60, 20, 50, 14})
                .Default(),
            MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel",
                        {5, 20, 50, 14}),
            MakeControl(ControlKind::Edit, kIdPersonName, "name", {}, {5, 4, 110, 12})};
        tests.AddTemplate(face);
        return tests;
    }();
    return module;
}

// Ends itself with the result a posted message or a timer brings; Escape ends it with
// kEscapedResult, unlike a press of Cancel.
class SelfEnding : public platform::Dialog {
public:
    enum class How { Posted, Timer, Person };
    explicit SelfEnding(How how) : Dialog(kPersonFaceId), how_(how) {}
    std::int64_t timerFiredAfter = -1;

protected:
    bool OnInitDialog() override {
        start_ = std::chrono::steady_clock::now();
        if (how_ == How::Posted) PostMessage(kPostedEnd, 42);
        if (how_ == How::Timer) SetTimer(kPersonTimerId, 30);
        return Dialog::OnInitDialog();
    }
    void OnMessage(int message, std::intptr_t wParam, std::intptr_t) override {
        if (message == kPostedEnd) EndDialog(static_cast<int>(wParam));
    }
    void OnTimer(int id) override {
        KillTimer(id);
        timerFiredAfter = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start_)
                              .count();
        EndDialog(43);
    }
    void OnKeyboardCancel() override { EndDialog(kEscapedResult); }

private:
    How how_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tavro::testing
