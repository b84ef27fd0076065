// The height review: the computed heights of one table section at a time in an editable grid,
// stored back into the posts.
#pragma once

#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogTemplate.h"

class CSurfcamCtrl;
class TableDefinition;

class CDlgModifyValues : public platform::Dialog {
public:
    // The dialog's template identifier in the add-in's module.
    static constexpr int IDD = 7004;

    explicit CDlgModifyValues(platform::WindowHandle owner = {}) : Dialog(IDD, owner) {}

    // Set by the opener before DoModal; borrowed, never freed here.
    TableDefinition* Table = nullptr;
    CSurfcamCtrl* Controller = nullptr;
    // The section on display (from 1), and the grid's size including its header row/column.
    int CurrentSection = -1;
    int GridRows = 15;
    int GridColumns = 10;

    // The dialog's face.
    [[nodiscard]] static platform::DialogTemplate Template();
};
