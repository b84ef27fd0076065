// Views of the simple control kinds that take input or show more than a text: push button,
// check box, edit, bitmap, progress bar. Labels and group boxes are plain ControlViews.
#pragma once

#include "platform/win32/ControlView.h"

struct HBITMAP__;

namespace win32 {

class ButtonView : public ControlView {
public:
    using ControlView::ControlView;
    void OnCommand(unsigned code) override;
    bool Feed(const platform::UserInput& input) override;
};

class CheckView : public ControlView {
public:
    CheckView(NativeWindow window, const platform::Control& control, InputSink sink);
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void OnCommand(unsigned code) override;
    bool Feed(const platform::UserInput& input) override;
    [[nodiscard]] NativeState Probe() const override;
};

class EditView : public ControlView {
public:
    EditView(NativeWindow window, const platform::Control& control, InputSink sink);
    void OnCommand(unsigned code) override;
    bool Feed(const platform::UserInput& input) override;

private:
    bool readOnly_;
};

// The module's bitmap the control's caption names, at its own size.
class BitmapView : public ControlView {
public:
    BitmapView(NativeWindow window, const platform::Control& control, InputSink sink);
    ~BitmapView() override;
    [[nodiscard]] bool KeepsOwnHeight() const override { return picture_ != nullptr; }
    [[nodiscard]] bool KeepsOwnWidth() const override { return picture_ != nullptr; }

private:
    HBITMAP__* picture_ = nullptr;
};

class ProgressView : public ControlView {
public:
    ProgressView(NativeWindow window, const platform::Control& control, InputSink sink);
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    [[nodiscard]] NativeState Probe() const override;

private:
    void Show(const platform::Control& control);
};

}  // namespace win32
