// Widgets of the list control kinds: entries and selection follow the control, the user's
// choice is delivered.
#include "platform/desktop/ListViews.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/dialog/ListControls.h"

namespace desktop {
namespace {

using platform::InputKind;
using platform::WindowEventKind;

QString Text(const std::string& text) { return QString::fromStdString(text); }

Qt::Alignment AlignmentOf(platform::ColumnAlignment alignment) {
    switch (alignment) {
        case platform::ColumnAlignment::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case platform::ColumnAlignment::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case platform::ColumnAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

ListBoxView::ListBoxView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), list_(new QListWidget(parent)), id_(control.Id()) {
    QObject::connect(list_, &QListWidget::currentRowChanged, [this](int row) {
        if (row < 0) return;
        platform::UserInput input = Input(InputKind::SelectEntry, id_);
        input.index = row;
        Deliver(input);
    });
}

void ListBoxView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    const QSignalBlocker quiet(list_);
    if (change.kind == WindowEventKind::EntryInserted)
        list_->insertItem(change.row, Text(change.text));
    else if (change.kind == WindowEventKind::EntrySelected)
        list_->setCurrentRow(change.row);
    else if (change.kind == WindowEventKind::EntriesCleared)
        list_->clear();
    ControlView::Apply(change, control);
}

void ListBoxView::Feed(const platform::UserInput& input) {
    {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(input.index);
    }
    emit list_->currentRowChanged(input.index);
}

ComboView::ComboView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), combo_(new QComboBox(parent)), id_(control.Id()) {
    const bool editable = control.Kind() == platform::ControlKind::DropDown;
    combo_->setEditable(editable);
    if (editable) {
        combo_->setInsertPolicy(QComboBox::NoInsert);
        combo_->setEditText(Text(control.Text()));
        QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, [this](const QString& text) {
            platform::UserInput input = Input(InputKind::TypeText, id_);
            input.text = text.toStdString();
            Deliver(input);
        });
    }
    QObject::connect(combo_, &QComboBox::activated, [this](int index) {
        platform::UserInput input = Input(InputKind::SelectEntry, id_);
        input.index = index;
        Deliver(input);
    });
}

void ComboView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    const QSignalBlocker quiet(combo_);
    if (change.kind == WindowEventKind::EntryInserted) {
        // Inserting into an empty box would select the entry; the control's selection stays.
        const QString kept = combo_->currentText();
        const int selected = static_cast<const platform::ComboBox&>(control).Selection();
        combo_->insertItem(change.row, Text(change.text));
        combo_->setCurrentIndex(selected);
        if (combo_->isEditable()) combo_->setEditText(kept);
    } else if (change.kind == WindowEventKind::EntrySelected) {
        combo_->setCurrentIndex(change.row);
        // Choosing an entry from code puts its text into the edit field; none empties it.
        if (combo_->isEditable()) combo_->setEditText(combo_->itemText(change.row));
    } else if (change.kind == WindowEventKind::EntriesCleared) {
        combo_->clear();
    }
    ControlView::Apply(change, control);
}

void ComboView::Feed(const platform::UserInput& input) {
    if (input.kind == InputKind::TypeText && combo_->isEditable()) {
        const QString text = Text(input.text);
        {
            const QSignalBlocker quiet(combo_->lineEdit());
            combo_->setEditText(text);
        }
        emit combo_->lineEdit()->textEdited(text);
        return;
    }
    {
        const QSignalBlocker quiet(combo_);
        combo_->setCurrentIndex(input.index);
    }
    emit combo_->activated(input.index);
}

void ComboView::ShowText(const std::string& text) {
    if (!combo_->isEditable()) return;
    const QSignalBlocker quiet(combo_);
    combo_->setEditText(Text(text));
}

ReportView::ReportView(const platform::Control& control, QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)), tree_(new QTreeWidget(parent)), id_(control.Id()) {
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    ShowColumns(control);
    QObject::connect(tree_, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* item) {
        if (item == nullptr) return;
        platform::UserInput input = Input(InputKind::SelectEntry, id_);
        input.index = tree_->indexOfTopLevelItem(item);
        Deliver(input);
    });
}

void ReportView::ShowColumns(const platform::Control& control) {
    const auto& view = static_cast<const platform::ListView&>(control);
    const auto& columns = view.Columns();
    tree_->setColumnCount(std::max<int>(1, static_cast<int>(columns.size())));
    auto* header = new QTreeWidgetItem;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        header->setText(i, Text(columns[i].heading));
        header->setTextAlignment(i, AlignmentOf(columns[i].alignment));
    }
    tree_->setHeaderItem(header);
    tree_->header()->setVisible(!columns.empty());
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        tree_->setColumnWidth(i, columns[i].width);
}

void ReportView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    const QSignalBlocker quiet(tree_);
    if (change.kind == WindowEventKind::ColumnInserted) {
        ShowColumns(control);
    } else if (change.kind == WindowEventKind::EntryInserted) {
        auto* item = new QTreeWidgetItem(QStringList{Text(change.text)});
        tree_->insertTopLevelItem(change.row, item);
    } else if (change.kind == WindowEventKind::EntrySelected) {
        tree_->setCurrentItem(change.row >= 0 ? tree_->topLevelItem(change.row) : nullptr);
    } else if (change.kind == WindowEventKind::EntriesCleared) {
        tree_->clear();
    }
    ControlView::Apply(change, control);
}

void ReportView::Feed(const platform::UserInput& input) {
    QTreeWidgetItem* item = tree_->topLevelItem(input.index);
    {
        const QSignalBlocker quiet(tree_);
        tree_->setCurrentItem(item);
    }
    emit tree_->currentItemChanged(item, nullptr);
}

}  // namespace desktop
