// Views of the list control kinds: list box, drop-down (with or without edit field), list view
// in report view.
#pragma once

#include "platform/win32/ControlView.h"

namespace win32 {

class ListBoxView : public ControlView {
public:
    using ControlView::ControlView;
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void OnCommand(unsigned code) override;
    bool Feed(const platform::UserInput& input) override;
    [[nodiscard]] NativeState Probe() const override;
};

class ComboView : public ControlView {
public:
    ComboView(NativeWindow window, const platform::Control& control, InputSink sink);
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void OnCommand(unsigned code) override;
    bool Feed(const platform::UserInput& input) override;
    [[nodiscard]] bool KeepsOwnHeight() const override { return true; }
    [[nodiscard]] NativeState Probe() const override;

protected:
    void ShowText(const std::string& text) override;

private:
    bool editable_;
};

// A list view in report view: a header with the columns, one line per item.
class ReportView : public ControlView {
public:
    ReportView(NativeWindow window, const platform::Control& control, InputSink sink);
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void OnNotify(const tagNMHDR& header) override;
    bool Feed(const platform::UserInput& input) override;
    [[nodiscard]] NativeState Probe() const override;

private:
    void InsertColumn(int index, const platform::Control& control);
    // Selects item `row` alone (-1: none).
    void SelectOnly(int row);
};

}  // namespace win32
