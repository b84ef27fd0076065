// The layers of the host's drawing as a list of check boxes: ticking one shows the layer,
// clearing it hides it, as the host operation HostShowLayer does.
#pragma once

#include <QListWidget>
#include <functional>

#include "host/Drawing.h"

namespace host {

class LayerPanel : public QListWidget {
public:
    explicit LayerPanel(Drawing& drawing, QWidget* parent = nullptr);
    // Lists the drawing's layers anew (a command or an opened drawing may have changed them).
    void Refresh();
    // Called after the person showed or hid a layer.
    std::function<void()> onChanged;

private:
    Drawing& drawing_;
    bool refreshing_ = false;  // the list is being filled: its changes are not the person's
};

}  // namespace host
