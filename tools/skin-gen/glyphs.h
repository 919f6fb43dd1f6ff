// Vector icons of the skin, drawn on a 16 x 16 design grid scaled into any box.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace skingen {

enum class Glyph {
  None,
  Close,
  Minimise,
  Information,
  Capture,
  Extend,
  Reduce,
  FlipVertical,
  FlipHorizontal,
  Calendar,
  Delete,
  Save,
  Folder,
  CheckAll,
  MapShow,
  MapHide,
  MapLarger,
  Rewind,
  Forward,
  Previous,
  Next,
  Play,
  Pause,
  Speaker,
  SpeakerMuted,
  Speed,
  Brightness,
  FileList,
  Front,
  Rear,
  Both,
};

// Draws glyph centred in box (a square box gives the designed proportions) in ink. The glyph
// is composed on its own layer so that knock-outs (badges, cut-outs) never punch the backdrop.
void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, QColor ink);

}  // namespace skingen
