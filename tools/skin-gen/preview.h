// Compositions of the drawn images for looking at the skin as a whole.
#pragma once

#include <QImage>

#include <map>

namespace skingen {

// The main window's normal view as the player would paint it, with sample texts and data.
QImage ComposeNormalView(const std::map<int, QImage>& images);

// Every button run in normal, hover, pressed and disabled, then the extended view's bars, the
// file list panel, the information dialog and the small parts, enlarged for inspection.
QImage ComposeSheet(const std::map<int, QImage>& images);

}  // namespace skingen
