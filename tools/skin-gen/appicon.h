// The application icon: bitmap 128 of the skin, and the same art for the desktop's icon theme at
// every size it asks for, as PNG images and as a scalable SVG.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace skingen {

// The art is designed on 128 x 128 and scaled to size.
QImage DrawAppIcon(int size = 128);

// Writes SIZExSIZE.png for each of sizes and scalable.svg into directory; false and a message
// when a file cannot be written.
bool WriteIconTheme(const QString& directory, const std::vector<int>& sizes, QString* error);

}  // namespace skingen
