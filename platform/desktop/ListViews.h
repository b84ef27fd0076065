// Views of the list control kinds: list box, drop-down (with or without edit field), list view
// in report view.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

#include "platform/desktop/ControlView.h"

namespace desktop {

class ListBoxView : public ControlView {
public:
    ListBoxView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return list_; }
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void Feed(const platform::UserInput& input) override;

private:
    QListWidget* list_;
    int id_;
};

class ComboView : public ControlView {
public:
    ComboView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return combo_; }
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void Feed(const platform::UserInput& input) override;
    [[nodiscard]] bool KeepsOwnHeight() const override { return true; }

protected:
    void ShowText(const std::string& text) override;

private:
    QComboBox* combo_;
    int id_;
};

// A list view in report view: a header with the columns, one line per item.
class ReportView : public ControlView {
public:
    ReportView(const platform::Control& control, QWidget* parent, InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return tree_; }
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void Feed(const platform::UserInput& input) override;

private:
    void ShowColumns(const platform::Control& control);
    QTreeWidget* tree_;
    int id_;
};

}  // namespace desktop
