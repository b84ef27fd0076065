// The layer list: one checkable row per layer record of the drawing, "number name".
#include "host/desktop/LayerPanel.h"

namespace host {

LayerPanel::LayerPanel(Drawing& drawing, QWidget* parent) : QListWidget(parent), drawing_(drawing) {
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (refreshing_) return;
        drawing_.ShowLayer(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
        if (onChanged) onChanged();
    });
    Refresh();
}

void LayerPanel::Refresh() {
    refreshing_ = true;
    clear();
    for (const auto& [number, layer] : drawing_.Layers()) {
        auto* item = new QListWidgetItem(
            QString("%1  %2").arg(number, 3).arg(QString::fromStdString(layer.name)), this);
        item->setData(Qt::UserRole, number);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(layer.visible ? Qt::Checked : Qt::Unchecked);
    }
    refreshing_ = false;
}

}  // namespace host
