// Widgets of the simple control kinds, their user signals and their driving.
#include "platform/desktop/StandardViews.h"

#include <QImage>
#include <QPixmap>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/dialog/BitmapResource.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"

namespace desktop {

using platform::InputKind;

ButtonView::ButtonView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), button_(new QPushButton(PlainCaption(control.Text()), parent)) {
    button_->setDefault(control.Origin().defaultButton);
    // Enter presses the template's default button, whichever button has the focus.
    button_->setAutoDefault(false);
    const int id = control.Id();
    QObject::connect(button_, &QPushButton::clicked,
                     [this, id] { Deliver(Input(InputKind::Press, id)); });
}

void ButtonView::Feed(const platform::UserInput&) { button_->click(); }

void ButtonView::ShowText(const std::string& text) { button_->setText(PlainCaption(text)); }

CheckView::CheckView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), box_(new QCheckBox(PlainCaption(control.Text()), parent)) {
    box_->setChecked(static_cast<const platform::CheckBox&>(control).IsChecked());
    const int id = control.Id();
    QObject::connect(box_, &QCheckBox::clicked,
                     [this, id] { Deliver(Input(InputKind::Toggle, id)); });
}

void CheckView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    if (change.kind == platform::WindowEventKind::CheckChanged) {
        const QSignalBlocker quiet(box_);
        box_->setChecked(change.value != 0);
    }
    ControlView::Apply(change, control);
}

void CheckView::Feed(const platform::UserInput&) { box_->click(); }

void CheckView::ShowText(const std::string& text) { box_->setText(PlainCaption(text)); }

EditView::EditView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)),
      edit_(new QLineEdit(QString::fromStdString(control.Text()), parent)) {
    edit_->setReadOnly(control.Origin().readOnly);
    const int id = control.Id();
    QObject::connect(edit_, &QLineEdit::textEdited, [this, id](const QString& text) {
        platform::UserInput input = Input(InputKind::TypeText, id);
        input.text = text.toStdString();
        Deliver(input);
    });
}

void EditView::Feed(const platform::UserInput& input) {
    // The whole text typed at once: shown, then reported as the user's edit.
    const QString text = QString::fromStdString(input.text);
    {
        const QSignalBlocker quiet(edit_);
        edit_->setText(text);
    }
    emit edit_->textEdited(text);
}

void EditView::ShowText(const std::string& text) {
    const QSignalBlocker quiet(edit_);
    edit_->setText(QString::fromStdString(text));
}

LabelView::LabelView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), label_(new QLabel(PlainCaption(control.Text()), parent)) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignTop |
                         (control.Origin().centred ? Qt::AlignHCenter : Qt::AlignLeft));
    if (control.Origin().border) label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void LabelView::ShowText(const std::string& text) { label_->setText(PlainCaption(text)); }

GroupView::GroupView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), group_(new QGroupBox(PlainCaption(control.Text()), parent)) {}

void GroupView::ShowText(const std::string& text) { group_->setTitle(PlainCaption(text)); }

BitmapView::BitmapView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), picture_(new QLabel(parent)) {
    const platform::Module* module = platform::CurrentModule();
    const platform::BitmapResource* bitmap =
        module != nullptr ? module->FindBitmap(control.Text()) : nullptr;
    if (bitmap == nullptr || !bitmap->Fits()) return;
    QImage image(bitmap->width, bitmap->height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap->height; ++y)
        for (int x = 0; x < bitmap->width; ++x)
            image.setPixel(
                x, y,
                0xff000000u | bitmap->palette[bitmap->pixels[std::size_t(y) * bitmap->width + x]]);
    picture_->setPixmap(QPixmap::fromImage(image));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

ProgressView::ProgressView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), bar_(new QProgressBar(parent)) {
    const auto& progress = static_cast<const platform::ProgressBar&>(control);
    bar_->setTextVisible(false);
    bar_->setRange(progress.Lower(), progress.Upper());
    bar_->setValue(progress.Position());
}

void ProgressView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    const auto& progress = static_cast<const platform::ProgressBar&>(control);
    if (change.kind == platform::WindowEventKind::ProgressRangeChanged ||
        change.kind == platform::WindowEventKind::ProgressChanged) {
        // An inverted range shows as empty rather than confusing the widget.
        bar_->setRange(progress.Lower(), std::max(progress.Lower(), progress.Upper()));
        bar_->setValue(progress.Position());
    }
    ControlView::Apply(change, control);
}

}  // namespace desktop
