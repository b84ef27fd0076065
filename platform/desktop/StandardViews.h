// Views of the simple control kinds: push button, check box, edit, static text, group box,
// bitmap, progress bar.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "platform/desktop/ControlView.h"

namespace desktop {

class ButtonView : public ControlView {
public:
    ButtonView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return button_; }
    void Feed(const platform::UserInput& input) override;

protected:
    void ShowText(const std::string& text) override;

private:
    QPushButton* button_;
};

class CheckView : public ControlView {
public:
    CheckView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return box_; }
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void Feed(const platform::UserInput& input) override;

protected:
    void ShowText(const std::string& text) override;

private:
    QCheckBox* box_;
};

class EditView : public ControlView {
public:
    EditView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return edit_; }
    void Feed(const platform::UserInput& input) override;

protected:
    void ShowText(const std::string& text) override;

private:
    QLineEdit* edit_;
};

class LabelView : public ControlView {
public:
    LabelView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return label_; }

protected:
    void ShowText(const std::string& text) override;

private:
    QLabel* label_;
};

// A frame with a caption; the dialog window puts it behind the controls it groups.
class GroupView : public ControlView {
public:
    GroupView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return group_; }

protected:
    void ShowText(const std::string& text) override;

private:
    QGroupBox* group_;
};

// The module's bitmap the control's caption names, drawn at its own size.
class BitmapView : public ControlView {
public:
    BitmapView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return picture_; }

private:
    QLabel* picture_;
};

class ProgressView : public ControlView {
public:
    ProgressView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return bar_; }
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;

private:
    QProgressBar* bar_;
};

}  // namespace desktop
