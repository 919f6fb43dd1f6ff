#include "preview.h"

#include "paint.h"
#include "skintable.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

QImage Get(const std::map<int, QImage>& images, int id) {
  const auto it = images.find(id);
  return it == images.end() ? QImage() : it->second;
}

QImage Transparent(const QImage& image, QRgb key) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] | 0xFF000000) == (key | 0xFF000000)) line[x] = 0;
  }
  return out;
}

// The slider's paint: channel stretched over the width, fill up to the thumb, keyed thumb.
void Slider(QPainter& p, const std::map<int, QImage>& images, QRect r, int channel, int fill, int thumb, qreal at) {
  const QImage c = Get(images, channel), f = Get(images, fill), t = Get(images, thumb);
  const int thumbX = int((r.width() - t.width()) * at);
  p.drawImage(QRect(r.x(), r.y() + (r.height() - c.height()) / 2, r.width(), r.height()), c);
  const int fw = thumbX + 5;
  p.drawImage(QRect(r.x(), r.y() + (r.height() - f.height()) / 2, fw, r.height()), f,
              QRect(0, 0, std::min(fw, f.width()), f.height()));
  p.drawImage(QPoint(r.x() + thumbX, r.y() + r.height() / 2 - t.height() / 2), Transparent(t, kWhite));
}

void Label(QPainter& p, const std::map<int, QImage>& images, QPoint at, int id, const QString& text, QColor ink, QSize size) {
  p.drawImage(at, Transparent(Get(images, id), kGreen));
  QFont font = UiFont(11);
  p.setFont(font);
  p.setPen(ink);
  p.drawText(QRect(at, size), Qt::AlignCenter, text);
}

void Digits(QPainter& p, const std::map<int, QImage>& images, QPoint at, int value) {
  QImage work(30, 15, QImage::Format_RGB32);
  work.fill(Qt::black);
  {
    QPainter w(&work);
    const int digits[] = {(value / 100) % 10, (value / 10) % 10, value % 10};
    for (int i = 0; i < 3; ++i) w.drawImage(QPoint(i * 10, 0), Transparent(Get(images, 321 + digits[i]), kGreen));
  }
  p.drawImage(at, Transparent(work, kGreen));
}

void Graph(QPainter& p, const std::map<int, QImage>& images) {
  QImage graph = Get(images, 292).convertToFormat(QImage::Format_ARGB32);
  {
    QPainter g(&graph);
    g.setPen(QPen(QColor(187, 45, 9), 1));
    const int baselines[] = {19, 57, 95};
    for (int axis = 0; axis < 3; ++axis) {
      QPointF last;
      for (int x = 0; x < 370; x += 2) {
        const qreal v = 60 * std::sin(x * (0.05 + axis * 0.013) + axis) * std::cos(x * 0.011) + (x % 37 == 0 ? 40 : 0);
        const QPointF pt(x, int(baselines[axis] - v * 0.1484375));
        if (x > 0) g.drawLine(last, pt);
        last = pt;
      }
    }
  }
  p.drawImage(QPoint(41, 531), Transparent(graph, kGreen));
}

void ListRows(QPainter& p, const std::map<int, QImage>& images, QRect list, int rows) {
  const QImage boxes = Get(images, 241);
  const int widths[] = {163, 51, 54, 40};
  p.fillRect(list, QColor(33, 33, 33));
  QFont font = UiFont(11);
  p.setFont(font);
  for (int row = 0; row < rows && (row + 1) * 21 <= list.height(); ++row) {
    const int y = list.y() + row * 21;
    const bool selected = row == 3;
    const bool playing = row == 3;
    p.fillRect(QRect(list.x(), y, 308, 21), selected ? QColor(71, 71, 71) : QColor(33, 33, 33));
    p.setPen(playing ? QColor(247, 58, 8) : QColor(150, 150, 150));
    const char* type = row % 5 == 2 ? "EVT" : (row % 7 == 4 ? "MOT" : "NOR");
    const QString name = QStringLiteral("20261211_%1_%2_F.AVI").arg(101500 + row * 300, 6, 10, QChar('0')).arg(QLatin1String(type));
    int x = list.x();
    p.drawText(QRect(x + 4, y, widths[0] - 4, 21), Qt::AlignLeft | Qt::AlignVCenter, name);
    x += widths[0];
    p.drawText(QRect(x, y, widths[1], 21), Qt::AlignCenter, QStringLiteral("26.12.11"));
    x += widths[1];
    p.drawText(QRect(x, y, widths[2], 21), Qt::AlignCenter, QStringLiteral("%1").arg(40000 + row * 731));
    x += widths[2];
    const int box = row % 4 == 1 ? 1 : 0;
    p.drawImage(QPoint(x + 11, y + 3), boxes, QRect(box * 18, 0, 18, 16));
  }
  p.setPen(QColor(44, 44, 44));
  int x = list.x();
  for (int w : widths) {
    x += w;
    p.drawLine(x - 1, list.y(), x - 1, list.bottom());
  }
  for (int y = list.y(); y < list.bottom(); y += 21) p.drawLine(list.x(), y, list.x() + 307, y);
  // The scrollbar beside the list.
  const QRect bar(list.x() + 308, list.y(), 18, list.height());
  p.fillRect(bar, colour::kScrollBack);
  p.drawImage(QPoint(bar.x() + 1, bar.y()), Get(images, 236));
  for (int y = bar.y() + 16; y < bar.bottom() - 15; ++y) p.drawImage(QPoint(bar.x(), y), Get(images, 239));
  p.drawImage(QPoint(bar.x() + 1, bar.bottom() - 15), Get(images, 240));
  p.drawImage(QRect(bar.x() + 1, bar.y() + 40, 16, 90), Get(images, 238), QRect(0, 0, 16, 26));
}

struct Shown {
  int id;
  QPoint at;
};

// Normal-view positions of the buttons, in their idle looks (the All tab shown selected).
const Shown kNormalView[] = {
    {133, {150, 12}}, {136, {937, 12}}, {130, {973, 12}}, {456, {431, 53}}, {460, {467, 53}}, {466, {501, 53}},
    {145, {543, 53}}, {469, {579, 53}}, {139, {613, 53}}, {142, {647, 53}}, {313, {871, 53}}, {148, {907, 53}},
    {154, {940, 53}}, {151, {974, 53}}, {166, {695, 78}}, {173, {776, 78}}, {167, {857, 78}}, {170, {938, 78}},
    {451, {963, 107}}, {206, {450, 475}}, {191, {486, 475}}, {197, {535, 475}}, {203, {584, 475}}, {194, {620, 475}},
    {160, {937, 639}}, {280, {973, 639}}, {501, {450, 544}}, {223, {450, 581}}, {500, {450, 617}},
};

}  // namespace

QImage ComposeNormalView(const std::map<int, QImage>& images) {
  QImage view = Get(images, 129).convertToFormat(QImage::Format_RGB32);
  QPainter p(&view);
  Smooth(p);
  p.drawImage(QPoint(3, 77), Get(images, 498));
  p.drawImage(QPoint(695, 635), Get(images, 279));
  ListRows(p, images, QRect(695, 126, 326, 508), 24);
  for (const Shown& s : kNormalView) p.drawImage(s.at, Get(images, s.id));
  Slider(p, images, QRect(30, 474, 391, 20), 209, 210, 213, 0.35);
  Slider(p, images, QRect(477, 544, 179, 15), 267, 215, 218, 0.5);
  Slider(p, images, QRect(477, 582, 179, 15), 268, 216, 219, 50 / 99.0);
  Slider(p, images, QRect(477, 620, 179, 15), 266, 214, 217, 0.5);
  Label(p, images, {40, 494}, 293, QStringLiteral("00:01:45"), QColor(33, 34, 36), {50, 13});
  Label(p, images, {364, 494}, 294, QStringLiteral("00:05:00"), QColor(33, 34, 36), {50, 13});
  Label(p, images, {121, 57}, 312, QStringLiteral("20261211_102415_NOR_F.AVI"), QColor(146, 146, 146), {290, 15});
  Graph(p, images);
  Digits(p, images, {865, 641}, 57);
  return view;
}

QImage ComposeSheet(const std::map<int, QImage>& images) {
  constexpr int kScale = 2;
  const auto& runs = ButtonRuns();
  const int rowHeight = 64;
  const int barsTop = 24 + int(runs.size() + 1) / 2 * rowHeight;
  QImage sheet(1400, barsTop + 900, QImage::Format_RGB32);
  sheet.fill(QColor(60, 62, 66));
  QPainter p(&sheet);
  p.setFont(UiFont(11));
  // Button runs, two columns, each state enlarged.
  for (size_t i = 0; i < runs.size(); ++i) {
    const ButtonRun& run = runs[i];
    const int x0 = 12 + int(i % 2) * 700;
    const int y0 = 12 + int(i / 2) * rowHeight;
    p.setPen(Qt::white);
    p.drawText(QRect(x0, y0, 120, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(run.role));
    int x = x0 + 124;
    for (int id : {run.normal, run.hover, run.pressed, run.disabled}) {
      if (id == 0) {
        x += run.size.width() * kScale + 12;
        continue;
      }
      const QImage image = Get(images, id);
      p.drawImage(QRect(x, y0, image.width() * kScale, image.height() * kScale), image);
      p.setPen(QColor(200, 200, 200));
      p.drawText(QRect(x, y0 + image.height() * kScale, 80, 14), Qt::AlignLeft, QString::number(id));
      x += std::max(image.width() * kScale, 40) + 12;
    }
  }
  // The top bar and the control panel at 1022 pixels, laid out as the extended view does.
  const int w = 1022;
  int y = barsTop;
  p.drawImage(QRect(12, y, w, 40), Get(images, 270));
  p.setPen(Qt::white);
  p.drawText(QRect(12 + 28, y + 11, 300, 15), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("20261211_102415_NOR_F.AVI"));
  const Shown top[] = {{285, {w - 56, 7}}, {489, {w - 99, 7}}, {485, {w - 142, 7}}, {483, {w - 188, 7}}, {477, {w - 228, 7}},
                       {473, {w - 268, 7}}};
  for (const Shown& s : top) p.drawImage(QPoint(12, y) + s.at, Get(images, s.id));
  y += 52;
  p.drawImage(QRect(12, y, w, 44), Get(images, 269));
  const int h = 44;
  const Shown panel[] = {{308, {w - 93, h - 36}}, {288, {w - 57, h - 36}}, {206, {w - 550, h - 36}}, {191, {w - 514, h - 36}},
                         {197, {w - 465, h - 36}}, {203, {w - 416, h - 36}}, {194, {w - 380, h - 36}}, {303, {w - 319, h - 32}}};
  for (const Shown& s : panel) p.drawImage(QPoint(12, y) + s.at, Get(images, s.id));
  Smooth(p);
  Slider(p, images, QRect(12 + 20, y + h - 39, w - 599, 20), 306, 307, 213, 0.4);
  Slider(p, images, QRect(12 + w - 291, y + h - 31, 181, 15), 296, 297, 219, 0.5);
  Label(p, images, {12 + 20, y + h - 19}, 278, QStringLiteral("00:01:45"), QColor(33, 34, 36), {50, 15});
  Label(p, images, {12 + w - 628, y + h - 19}, 278, QStringLiteral("00:05:00"), QColor(33, 34, 36), {50, 15});
  y += 60;
  // File list panel: its background is the face's list area.
  const QImage face = Get(images, 129);
  p.drawImage(QPoint(12, y), face, QRect(693, 47, 326, 587));
  const Shown list[] = {{313, {177, 5}}, {148, {213, 5}}, {154, {246, 5}}, {151, {280, 5}}, {451, {269, 59}},
                        {164, {1, 30}},  {175, {82, 30}}, {167, {163, 30}}, {170, {244, 30}}};
  for (const Shown& s : list) p.drawImage(QPoint(12, y) + s.at, Get(images, s.id));
  ListRows(p, images, QRect(12 + 1, y + 78, 326, 508), 12);
  // Information dialog.
  const QPoint info(360, y);
  p.drawImage(info, Get(images, 493));
  p.drawImage(info + QPoint(307, 4), Get(images, 494));
  struct InfoLabel {
    int x, y, w;
    const char* text;
    int style;  // 0 title, 1 heading, 2 plain, 3 value
  };
  const InfoLabel labels[] = {
      {14, 6, 200, "정보", 0},           {14, 42, 200, "메모리 정보", 1},   {16, 70, 140, "전체 용량 : ", 2},
      {80, 70, 60, "14.8 GB", 3},        {16, 90, 131, "사용 가능한 용량 : ", 2}, {120, 90, 60, "2.7 GB", 3},
      {16, 110, 150, "사용 중인 용량", 2}, {27, 130, 110, "일반 : ", 2},       {63, 130, 60, "8.2 GB", 3},
      {27, 150, 61, "이벤트 : ", 2},      {75, 150, 60, "4.5 GB", 3},         {27, 170, 150, "모션 : ", 2},
      {63, 170, 100, "0.5 GB", 3},        {14, 229, 270, "버전 정보", 1},     {16, 256, 200, "QX5 펌웨어 버전 : ", 2},
      {122, 256, 60, "1.007", 3},         {16, 275, 190, "VE Dodezod 버전 : ", 2}, {122, 275, 60, "1.0.0", 3},
      {14, 328, 270, "전국 Tavro A/S센터 네트워크", 1}, {16, 356, 200, "www.tavro.example/support", 2},
      {16, 375, 200, "1588-0000", 2},
  };
  for (const InfoLabel& l : labels) {
    const QRect r(info + QPoint(l.x, l.y), QSize(l.w, 15));
    const bool strong = l.style <= 1;
    p.setFont(UiFont(strong ? 15 : 13, strong));
    const QColor ink = l.style == 0 || l.style == 3 ? QColor(248, 58, 10) : l.style == 1 ? QColor(211, 211, 211) : QColor(171, 171, 171);
    if (l.style == 3) p.fillRect(r, QColor(33, 33, 33));
    p.setPen(ink);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(l.text));
  }
  // Small parts, enlarged.
  const QPoint parts(720, y);
  int px = parts.x();
  for (int id : {241, 236, 240, 238, 213, 217, 293, 278, 321, 322, 323, 324, 325, 326, 327, 328, 329, 330}) {
    const QImage image = Get(images, id);
    p.drawImage(QRect(px, parts.y(), image.width() * 3, image.height() * 3), image);
    px += image.width() * 3 + 8;
    if (px > 1330) {
      px = parts.x();
      p.translate(0, 80);
    }
  }
  p.resetTransform();
  p.drawImage(QPoint(720, y + 260), Get(images, 292));
  p.drawImage(QPoint(720, y + 390), Get(images, 279));
  p.drawImage(QPoint(1100, y + 390), Get(images, 128));
  p.drawImage(QRect(720, y + 430, 344, 194), Get(images, 498));
  return sheet;
}

}  // namespace skingen
