// Fuzz target: the session script reader on arbitrary text; a script that reads is then played
// against a dialog holding every control kind (the grid included) and the options dialog.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dialogs/AddinModule.h"
#include "dialogs/DlgOptions.h"
#include "gridwidget/GridCtrl.h"
#include "platform/MessageService.h"
#include "platform/dialog/DataExchange.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/DialogSystem.h"
#include "platform/dialog/HeadlessBackend.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/Module.h"

namespace {

using platform::ControlKind;
using platform::MakeControl;

constexpr int kEveryKindId = 1;
constexpr int kInnerId = 2;

platform::Module& FuzzModule() {
    static platform::Module& module = []() -> platform::Module& {
        dialogs::AddinModule();  // registers the grid's class
        platform::Module& fuzz = platform::DefineModule("SessionScriptFuzz");
        platform::DialogTemplate every;
        every.id = kEveryKindId;
        every.caption = "Every kind";
        every.controls = {
            MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {}).Default(),
            MakeControl(ControlKind::PushButton, platform::kIdCancel, "cancel", "Cancel", {}),
            MakeControl(ControlKind::PushButton, 10, "nested", "Nested", {}),
            MakeControl(ControlKind::CheckBox, 11, "box", "Box", {}),
            MakeControl(ControlKind::Edit, 12, "edit", {}, {}),
            MakeControl(ControlKind::Edit, 13, "status", {}, {}).ReadOnly(),
            MakeControl(ControlKind::StaticText, 14, "label", "Label", {}),
            MakeControl(ControlKind::GroupBox, 15, "group", "Group", {}),
            MakeControl(ControlKind::Bitmap, 16, "logo", "Logo", {}),
            MakeControl(ControlKind::ListView, 17, "view", {}, {}),
            MakeControl(ControlKind::ListBox, 18, "list", {}, {}),
            MakeControl(ControlKind::DropDownList, 19, "choice", {}, {}),
            MakeControl(ControlKind::DropDown, 20, "combo", {}, {}),
            MakeControl(ControlKind::ProgressBar, 21, "bar", {}, {}),
            MakeControl(ControlKind::PushButton, 22, "off", "Off", {}).Disabled(),
            platform::MakeCustomControl(gridwidget::kGridClassName, 23, "grid", {}),
        };
        fuzz.AddTemplate(every);
        platform::DialogTemplate inner;
        inner.id = kInnerId;
        inner.caption = "Inner";
        inner.style.systemMenu = false;
        inner.controls = {MakeControl(ControlKind::PushButton, platform::kIdOk, "ok", "OK", {})};
        fuzz.AddTemplate(inner);
        return fuzz;
    }();
    return module;
}

class EveryKind : public platform::Dialog {
public:
    EveryKind() : Dialog(kEveryKindId) {
        OnCommand(10, platform::Notification::Clicked, [] {
            platform::Dialog inner(kInnerId);
            inner.DoModal();
        });
        OnCommand(23, platform::Notification::EndEdit, [this] {
            Item<gridwidget::GridCtrl>(23).SetRowCount(2);
            UpdateData(true);
        });
    }

protected:
    bool OnInitDialog() override {
        for (const int id : {17, 18})
            for (const char* entry : {"a", "b", ""}) {
                if (auto* view = dynamic_cast<platform::ListView*>(FindControl(id)))
                    view->Items().Insert(-1, entry);
                if (auto* list = dynamic_cast<platform::ListBox*>(FindControl(id)))
                    list->Entries().Insert(-1, entry);
            }
        for (const int id : {19, 20})
            for (const char* entry : {"1", "2", "10"})
                Item<platform::ComboBox>(id).Insert(-1, entry);
        auto& grid = Item<gridwidget::GridCtrl>(23);
        grid.SetRowCount(4);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        return Dialog::OnInitDialog();
    }
    void DoDataExchange(platform::DataExchange& exchange) override {
        exchange.Text(12, text_);
        exchange.Check(11, checked_);
        exchange.Selection(18, selected_);
        exchange.Selection(20, combo_);
    }

private:
    std::string text_;
    int checked_ = 0;
    int selected_ = -1;
    int combo_ = -1;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::Expected<std::vector<platform::ScriptAction>> read =
        platform::ReadSessionScript(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) return 0;
    platform::ResetDialogSystem();
    platform::SetDialogBackend(
        std::make_unique<platform::HeadlessBackend>(platform::SessionScript(std::move(*read))));
    {
        platform::ModuleScope scope(FuzzModule());
        EveryKind every;
        every.DoModal();
    }
    {
        platform::ModuleScope scope(dialogs::AddinModule());
        CDlgOptions options;
        options.DoModal();
    }
    platform::ResetDialogSystem();
    platform::ClearMessages();
    return 0;
}
