// The changes every view follows alike, and the factory of views by control kind.
#include "platform/desktop/ControlView.h"

#include "platform/desktop/GridView.h"
#include "platform/desktop/ListViews.h"
#include "platform/desktop/StandardViews.h"

namespace desktop {

void ControlView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    switch (change.kind) {
        case platform::WindowEventKind::ControlEnabled:
            Widget()->setEnabled(change.value != 0);
            break;
        case platform::WindowEventKind::ControlShown:
            Widget()->setVisible(change.value != 0);
            break;
        case platform::WindowEventKind::TextSet:
        case platform::WindowEventKind::TextChanged:
            ShowText(change.text);
            break;
        default:
            break;
    }
    (void)control;  // the kinds' own views read it
}

platform::UserInput ControlView::Input(platform::InputKind kind, int id) {
    platform::UserInput input;
    input.kind = kind;
    input.control = id;
    return input;
}

QString PlainCaption(const std::string& caption) {
    QString plain;
    const QString text = QString::fromStdString(caption);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

std::unique_ptr<ControlView> MakeControlView(const platform::Control& control, QWidget* parent,
                                             InputSink sink) {
    if (const platform::CellGrid* cells = control.Cells())
        return std::make_unique<GridView>(control, *cells, parent, std::move(sink));
    switch (control.Kind()) {
        case platform::ControlKind::PushButton:
            return std::make_unique<ButtonView>(control, parent, std::move(sink));
        case platform::ControlKind::CheckBox:
            return std::make_unique<CheckView>(control, parent, std::move(sink));
        case platform::ControlKind::Edit:
            return std::make_unique<EditView>(control, parent, std::move(sink));
        case platform::ControlKind::StaticText:
            return std::make_unique<LabelView>(control, parent, std::move(sink));
        case platform::ControlKind::GroupBox:
            return std::make_unique<GroupView>(control, parent, std::move(sink));
        case platform::ControlKind::Bitmap:
            return std::make_unique<BitmapView>(control, parent, std::move(sink));
        case platform::ControlKind::ProgressBar:
            return std::make_unique<ProgressView>(control, parent, std::move(sink));
        case platform::ControlKind::ListBox:
            return std::make_unique<ListBoxView>(control, parent, std::move(sink));
        case platform::ControlKind::DropDownList:
        case platform::ControlKind::DropDown:
            return std::make_unique<ComboView>(control, parent, std::move(sink));
        case platform::ControlKind::ListView:
            return std::make_unique<ReportView>(control, parent, std::move(sink));
        case platform::ControlKind::Custom:
            // A class that shows itself in no way the backend knows: a frame keeps its place.
            return std::make_unique<GroupView>(control, parent, std::move(sink));
    }
    return std::make_unique<GroupView>(control, parent, std::move(sink));
}

}  // namespace desktop
