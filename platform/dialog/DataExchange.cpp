// Field-to-control bindings of data exchange.
#include "platform/dialog/DataExchange.h"

#include "platform/dialog/Dialog.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/StandardControls.h"

namespace platform {

void DataExchange::Text(int id, std::string& field) {
    Control* control = dialog_.FindControl(id);
    TAVRO_INVARIANT(control != nullptr, "data exchange names a control the template lacks");
    if (saving_)
        field = control->Text();
    else
        control->SetText(field);
}

void DataExchange::Check(int id, int& field) {
    CheckBox& box = dialog_.Item<CheckBox>(id);
    if (saving_)
        field = box.IsChecked() ? 1 : 0;
    else
        box.SetChecked(field != 0);
}

void DataExchange::Selection(int id, int& field) {
    Control* control = dialog_.FindControl(id);
    if (auto* list = dynamic_cast<ListBox*>(control)) {
        if (saving_)
            field = list->Entries().Selection();
        else
            list->Entries().Select(field);
    } else if (auto* combo = dynamic_cast<ComboBox*>(control)) {
        if (saving_)
            field = combo->Selection();
        else
            combo->Select(field);
    } else if (auto* view = dynamic_cast<ListView*>(control)) {
        if (saving_)
            field = view->Items().Selection();
        else
            view->Items().Select(field);
    } else {
        TAVRO_INVARIANT(false, "Selection binds list boxes, drop-downs and list views only");
    }
}

}  // namespace platform
