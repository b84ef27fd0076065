// Test support: sample contents for pictures of dialogs, so that each shows its controls at
// work: lists with entries, a grid of heights, a progress bar under way, status texts.
#pragma once

#include <string>

#include "gridwidget/GridCtrl.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/StandardControls.h"

namespace tavro::testing {

// Fills the controls of `dialog` with sample contents by their kind.
inline void FillWithSamples(platform::Dialog& dialog) {
    for (const auto& control : dialog.Controls()) {
        switch (control->Kind()) {
            case platform::ControlKind::ProgressBar:
                static_cast<platform::ProgressBar&>(*control).SetPosition(40);
                break;
            case platform::ControlKind::StaticText:
                // The link library's progress box says what the host is doing.
                if (control->Name() == "text") control->SetText("Reading surface 3 of 8");
                break;
            case platform::ControlKind::Edit:
                if (control->Origin().readOnly) control->SetText("Copying Tavroset.dll");
                break;
            case platform::ControlKind::ListView: {
                // A part entered, in a list view its dialog gave columns.
                auto& view = static_cast<platform::ListView&>(*control);
                if (!view.Columns().empty()) view.Items().Insert(-1, "Skin panel 7");
                break;
            }
            case platform::ControlKind::ListBox: {
                auto& entries = static_cast<platform::ListBox&>(*control).Entries();
                for (const char* entry : {"Section 1", "Section 2", "Section 3"})
                    entries.Insert(-1, entry);
                entries.Select(0);
                break;
            }
            case platform::ControlKind::Custom:
                if (control->Cells() != nullptr) {
                    auto& grid = static_cast<gridwidget::GridCtrl&>(*control);
                    grid.SetRowCount(9);
                    grid.SetColumnCount(7);
                    grid.SetFixedRowCount(1);
                    grid.SetFixedColumnCount(1);
                    grid.SetNumberedHeaders(true);
                    for (int row = 1; row < 9; ++row)
                        for (int column = 1; column < 7; ++column)
                            grid.SetItemText(row, column,
                                             std::to_string(100 + row * 3 + column) + ".250");
                    grid.SetFocusCell(2, 3);
                }
                break;
            default:
                break;
        }
    }
}

}  // namespace tavro::testing
