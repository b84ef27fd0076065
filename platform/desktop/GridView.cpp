// The grid's table: cells read on demand, headers that look like headers, in-place editing
// and clicks delivered as the user's input.
#include "platform/desktop/GridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>
#include <algorithm>

namespace desktop {

CellGridModel::CellGridModel(const platform::CellGrid& cells,
                             std::function<void(int, int, std::string)> edited, QObject* parent)
    : QAbstractTableModel(parent), cells_(cells), edited_(std::move(edited)) {}

int CellGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::min(cells_.RowCount(), kMostRows);
}

int CellGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::min(cells_.ColumnCount(), kMostColumns);
}

bool CellGridModel::IsHeader(int row, int column) const {
    return row < cells_.FixedRowCount() || column < cells_.FixedColumnCount();
}

QVariant CellGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const bool header = IsHeader(index.row(), index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(cells_.ItemText(index.row(), index.column()));
        case Qt::BackgroundRole:
            if (header) return QApplication::palette().button();
            return {};
        case Qt::TextAlignmentRole:
            return header ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

Qt::ItemFlags CellGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Header cells are neither chosen nor edited by the user.
    if (IsHeader(index.row(), index.column())) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool CellGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    edited_(index.row(), index.column(), value.toString().toStdString());
    emit dataChanged(index, index);
    return true;
}

void CellGridModel::Reset() {
    beginResetModel();
    endResetModel();
}

void CellGridModel::CellChanged(int row, int column) {
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}

GridView::GridView(const platform::Control& control, const platform::CellGrid& cells,
                   QWidget* parent, InputSink sink)
    : ControlView(std::move(sink)),
      cells_(cells),
      table_(new QTableView(parent)),
      id_(control.Id()) {
    model_ = new CellGridModel(
        cells,
        [this](int row, int column, std::string text) {
            DeliverCell(platform::InputKind::EditCell, row, column, std::move(text));
        },
        table_);
    table_->setModel(model_);
    // The grid's own header rows and columns stand for the table's headers.
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setDefaultSectionSize(64);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setSelectionBehavior(cells.SelectsRows() ? QAbstractItemView::SelectRows
                                                     : QAbstractItemView::SelectItems);
    QObject::connect(table_->selectionModel(), &QItemSelectionModel::currentChanged,
                     [this](const QModelIndex& current) {
                         if (quiet_ || !current.isValid()) return;
                         DeliverCell(platform::InputKind::ClickCell, current.row(),
                                     current.column(), {});
                     });
    ShowFocusCell(cells.FocusCell().row, cells.FocusCell().column);
}

void GridView::DeliverCell(platform::InputKind kind, int row, int column, std::string text) {
    platform::UserInput input = Input(kind, id_);
    input.row = row;
    input.column = column;
    input.text = std::move(text);
    Deliver(input);
}

void GridView::ShowFocusCell(int row, int column) {
    quiet_ = true;
    const QModelIndex cell = model_->index(row, column);
    if (cell.isValid())
        table_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    else
        table_->selectionModel()->clearCurrentIndex();
    quiet_ = false;
}

void GridView::Apply(const platform::WindowEvent& change, const platform::Control& control) {
    using platform::WindowEventKind;
    switch (change.kind) {
        case WindowEventKind::RowCountChanged:
        case WindowEventKind::ColumnCountChanged:
        case WindowEventKind::FixedRowsChanged:
        case WindowEventKind::FixedColumnsChanged:
        case WindowEventKind::CellsCleared:
        case WindowEventKind::HeaderNumbersChanged:
            quiet_ = true;
            model_->Reset();
            quiet_ = false;
            ShowFocusCell(cells_.FocusCell().row, cells_.FocusCell().column);
            break;
        case WindowEventKind::CellTextChanged:
            model_->CellChanged(change.row, change.column);
            break;
        case WindowEventKind::FocusCellChanged:
            ShowFocusCell(change.row, change.column);
            break;
        default:
            break;
    }
    ControlView::Apply(change, control);
}

void GridView::Feed(const platform::UserInput& input) {
    const QModelIndex cell = model_->index(input.row, input.column);
    if (!cell.isValid()) {
        // No widget cell to act on: the grid itself refuses the position.
        DeliverCell(input.kind, input.row, input.column, input.text);
        return;
    }
    if (input.kind == platform::InputKind::EditCell) {
        // The user's edit ends with the typed text committed to the cell.
        ShowFocusCell(input.row, input.column);
        model_->setData(cell, QString::fromStdString(input.text), Qt::EditRole);
        return;
    }
    quiet_ = true;
    table_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    quiet_ = false;
    DeliverCell(platform::InputKind::ClickCell, input.row, input.column, {});
}

}  // namespace desktop
