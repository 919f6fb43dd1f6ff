// Shared palette and drawing helpers of the skin artwork: colours, fonts, key-colour rendering.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>

namespace skingen {

// One dark skin: near-black greys, light grey ink, one orange accent.
namespace colour {
inline const QColor kBase(24, 25, 27);        // window face
inline const QColor kList(33, 33, 33);        // list background, shared with the list control
inline const QColor kColumn(28, 29, 31);      // the list column around the list
inline const QColor kVideo(5, 5, 6);          // empty video area
inline const QColor kEdgeDark(9, 9, 10);
inline const QColor kEdgeLight(54, 56, 60);
inline const QColor kInk(171, 171, 171);
inline const QColor kInkBright(236, 236, 236);
inline const QColor kInkDim(78, 79, 82);
inline const QColor kCaption(112, 114, 118);  // engraved captions
inline const QColor kAccent(247, 58, 8);
inline const QColor kAccentLight(255, 112, 56);
inline const QColor kScrollBack(13, 14, 15);  // scrollbar background, shared with the scrollbar control
}  // namespace colour

inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kGreen = 0xFF00FF00;

// NanumBarunGothic at a pixel size; falls back to DejaVu Sans through fontconfig.
QFont UiFont(int pixelSize, bool bold = false, qreal letterSpacing = 0);

// Rows of the extended view's bars. The normal face repeats them so that buttons shared by the
// face and a bar sit on the same pixels in both places.
QColor TopStripRow(int y);    // 0..39
QColor PanelStripRow(int y);  // 0..43

// An opaque image of size filled row by row from row(y).
QImage RowsImage(QSize size, const std::function<QColor(int)>& row);

// A copy of the part of source under rect; parts outside source are filled with fill.
QImage Crop(const QImage& source, const QRect& rect, QColor fill = colour::kBase);

// Draws art onto a transparent layer and flattens it for a key-colour image: pixels the art covers
// at least half are blended over backdrop, all others become exactly key. Blended pixels that
// happen to equal the key are nudged, so the key only ever appears where transparency is meant.
QImage Keyed(const QImage& backdrop, QRgb key, const std::function<void(QPainter&)>& art);

// An opaque RGB32 image of size filled with fill, with a painter set up for antialiased drawing.
QImage Opaque(QSize size, QColor fill);
void Smooth(QPainter& painter);

// Text in a rectangle with an optional dark shadow one pixel below, the engraved look of the face.
void DrawText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, QColor ink,
              Qt::Alignment align = Qt::AlignCenter, bool engraved = false);

// A rounded rectangle path with pixel-aligned edges.
QPainterPath RoundedRect(const QRectF& rect, qreal radius);

// Linear vertical gradient helper.
QLinearGradient Vertical(const QRectF& rect, QColor top, QColor bottom);

// The brand mark, a lens in an orange ring, centred on centre; the title row and the
// application icon both carry it.
void DrawMark(QPainter& painter, QPointF centre, qreal radius);

// A recessed field: dark fill, dark top edge and a faint light bottom edge.
void DrawRecess(QPainter& painter, const QRectF& rect, qreal radius, QColor fill);

}  // namespace skingen
