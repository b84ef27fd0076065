// The view of a control that shows itself as a grid of text cells (Control::Cells): the
// native grid window, following the framework's changes and driven by clicks on its cells and
// edits in its in-place editor.
#pragma once

#include "platform/dialog/CellGrid.h"
#include "platform/win32/ControlView.h"

namespace win32 {

class GridView : public ControlView {
public:
    GridView(NativeWindow window, const platform::Control& control, const platform::CellGrid& cells,
             InputSink sink);
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void OnNotify(const tagNMHDR& header) override;
    bool Feed(const platform::UserInput& input) override;
    void Detach() override;
    [[nodiscard]] NativeState Probe() const override;
};

}  // namespace win32
