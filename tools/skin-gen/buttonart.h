// The look of every skin button: one drawing per shape and state over the pixels it will cover.
#pragma once

#include "glyphs.h"

#include <QColor>
#include <QImage>
#include <QString>

namespace skingen {

enum class Look { Normal, Hover, Pressed, Disabled };

enum class Shape {
  Cap,     // a raised key with an icon: transport, tool and title buttons
  Danger,  // a cap that warms to red under the mouse: close
  Tab,     // a type filter tab; pressed is the selected tab
  Flat,    // a bare icon on the face: the small mute, speed and brightness icons
};

struct ButtonArt {
  Shape shape = Shape::Cap;
  Glyph glyph = Glyph::None;
  QString text;            // tab caption, or a short word beside the glyph
  QColor dot;              // a small type colour before a tab caption; invalid for none
};

// The image of a button in one state, drawn over backdrop (the pixels around the button where it
// sits, which give the image its surroundings) and of backdrop's size.
QImage DrawButton(const QImage& backdrop, const ButtonArt& art, Look look);

}  // namespace skingen
