// Data exchange: moves a dialog's fields to its controls or back, all in one direction.
#pragma once

#include <string>

namespace platform {

class Dialog;

// Handed to Dialog::DoDataExchange; each call binds one field to one control. A control that
// is missing or of a kind the call does not fit is a programming error and stops the process.
class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    // True when controls are read into fields, false when fields are written to controls.
    [[nodiscard]] bool Saving() const { return saving_; }

    // The control's text (edit content, static text, a drop-down's edit field, caption).
    void Text(int id, std::string& field);
    // A check box: 1 checked, 0 clear.
    void Check(int id, int& field);
    // The selected index of a list box, drop-down or list view, -1 for none.
    void Selection(int id, int& field);

private:
    Dialog& dialog_;
    bool saving_;
};

}  // namespace platform
