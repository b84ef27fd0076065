// Test support: a dialog with every list kind and a progress bar, whose handlers write the
// user's choices into a status line and the bar (both of which the transcript shows).
#pragma once

#include <string>

#include "platform/dialog/Dialog.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"

namespace tavro::testing {

enum : int { kListFormId = 410, kIdEntries = 1101, kIdItems, kIdKind, kIdBar, kIdShown };

class ListForm : public platform::Dialog {
public:
    ListForm() : Dialog(kListFormId) {
        OnChoice(kIdEntries, "entries",
                 [this] { return Item<platform::ListBox>(kIdEntries).Entries().Selection(); });
        OnChoice(kIdItems, "items",
                 [this] { return Item<platform::ListView>(kIdItems).Items().Selection(); });
        OnChoice(kIdKind, "kind", [this] { return Item<platform::ComboBox>(kIdKind).Selection(); });
    }
    static platform::Module& Module() {
        static platform::Module& module = []() -> platform::Module& {
            using platform::ControlKind;
            using platform::MakeControl;
            platform::Module& tests = platform::DefineModule("ListFormTests");
            platform::DialogTemplate form;
            form.id = kListFormId;
            form.caption = "Lists";
            form.width = 180;
            form.height = 100;
            form.controls = {
                MakeControl(ControlKind::ListBox, kIdEntries, "entries", "", {7, 7, 60, 40}),
                MakeControl(ControlKind::ListView, kIdItems, "items", "", {72, 7, 100, 40}),
                MakeControl(ControlKind::DropDownList, kIdKind, "kind", "", {7, 52, 60, 50}),
                MakeControl(ControlKind::ProgressBar, kIdBar, "bar", "", {72, 52, 100, 10}),
                MakeControl(ControlKind::StaticText, kIdShown, "shown", "", {7, 70, 160, 8}),
                MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {122, 80, 50, 14})
                    .Default(),
            };
            tests.AddTemplate(form);
            return tests;
        }();
        return module;
    }

protected:
    bool OnInitDialog() override {
        for (const char* entry : {"a", "b", "c"})
            Item<platform::ListBox>(kIdEntries).Entries().Insert(-1, entry);
        auto& items = Item<platform::ListView>(kIdItems);
        items.InsertColumn(0, {"Name", 80, platform::ColumnAlignment::Left});
        for (const char* item : {"alpha", "beta"}) items.Items().Insert(-1, item);
        for (const char* kind : {"x", "y"}) Item<platform::ComboBox>(kIdKind).Insert(-1, kind);
        Item<platform::ProgressBar>(kIdBar).SetRange(0, 10);
        return Dialog::OnInitDialog();
    }

private:
    template <class Selection>
    void OnChoice(int id, std::string name, Selection selection) {
        OnCommand(id, platform::Notification::SelectionChanged, [this, name, selection] {
            const int chosen = selection();
            Item<platform::StaticText>(kIdShown).SetText("chose " + name + " " +
                                                         std::to_string(chosen));
            Item<platform::ProgressBar>(kIdBar).SetPosition(chosen * 5);
        });
    }
};

}  // namespace tavro::testing
