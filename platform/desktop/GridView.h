// The view of a control that shows itself as a grid of text cells (Control::Cells): a table
// that reads the cells when it draws them, header rows and columns drawn like headers, cells
// edited in place.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include "platform/desktop/ControlView.h"
#include "platform/dialog/CellGrid.h"

namespace desktop {

// The cells as a table model; nothing is copied, so a grid of a million rows costs nothing.
// The table shows at most kMostRows rows and kMostColumns columns: a table widget spends time
// and memory on every row and column it has, and only a mistyped post number (a row two
// billion) makes a grid larger. Cells beyond are still the grid's; a script reaches them.
class CellGridModel : public QAbstractTableModel {
public:
    static constexpr int kMostRows = 100'000;
    static constexpr int kMostColumns = 1'000;

    CellGridModel(const platform::CellGrid& cells,
                  std::function<void(int, int, std::string)> edited, QObject* parent);
    [[nodiscard]] int rowCount(const QModelIndex& parent) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // The grid's shape changed: the table starts again from the cells.
    void Reset();
    // One cell's text changed.
    void CellChanged(int row, int column);

private:
    [[nodiscard]] bool IsHeader(int row, int column) const;
    const platform::CellGrid& cells_;
    std::function<void(int, int, std::string)> edited_;
};

class GridView : public ControlView {
public:
    GridView(const platform::Control& control, const platform::CellGrid& cells, QWidget* parent,
             InputSink sink);
    [[nodiscard]] QWidget* Widget() const override { return table_; }
    void Apply(const platform::WindowEvent& change, const platform::Control& control) override;
    void Feed(const platform::UserInput& input) override;

private:
    void ShowFocusCell(int row, int column);
    void DeliverCell(platform::InputKind kind, int row, int column, std::string text);

    const platform::CellGrid& cells_;
    QTableView* table_;
    CellGridModel* model_;
    int id_;
    bool quiet_ = false;  // the focus cell moves from code, not by the user
};

}  // namespace desktop
