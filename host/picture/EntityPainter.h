// Paints the drawing's entities on shown layers into a view of the picture, in the host's
// colours: surfaces shaded with a light mesh over them, the other kinds as their outlines.
#pragma once

#include "host/Drawing.h"
#include "host/picture/PictureView.h"
#include "host/picture/SvgBuilder.h"

namespace host {

// Surfaces with more rows or columns than this are drawn through every n-th grid line, so the
// picture stays small whatever the surface's size.
inline constexpr int kMostPictureGridLines = 60;

// Whether the drawing shows entities of this layer (a layer without a record is shown).
[[nodiscard]] bool LayerShown(const Drawing& drawing, int layer);

// Every point the picture must hold to show the drawing's shown entities.
[[nodiscard]] Extent ShownExtent(const Drawing& drawing);

// Paints every shown entity into `view`: surfaces first, far parts before near ones.
void PaintEntities(const Drawing& drawing, const PictureView& view, SvgBuilder& svg);

}  // namespace host
