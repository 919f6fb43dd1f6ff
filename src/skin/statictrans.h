// CSovStaticTrans: the text label of the skinned windows, drawn over the parent's skin, over a
// solid colour or over a small skin bitmap of its own.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <optional>

// Background: the image at its natural size in the top-left corner, its pure green pixels letting
// the parent show through; else a solid bkColour; else nothing, the parent's skin shows. The
// mouse passes through to the parent, as over a plain static text.
class CSovStaticTrans : public QWidget {
  Q_OBJECT
 public:
  CSovStaticTrans(int id, QWidget* parent);

  // Set directly by the owner, followed by RefreshBackground().
  QColor textColour{171, 171, 171};
  std::optional<QColor> bkColour;

  // A missing bitmap leaves the label without an image.
  void SetBackgroundImage(int bitmapId);
  void SetBackgroundImage(const QImage& image);
  void ReleaseBackgroundImage();
  bool HasBackgroundImage() const { return !backgroundImage_.isNull(); }

  // Has the parent repaint the area under the label (2 pixels in from every edge), which repaints
  // the label over it.
  void RefreshBackground();

  // Line height in pixels (as skin::UiFont) and weight on the 100-900 scale; the face is kept.
  void SetFontHeight(int pixels);
  void SetFontWeight(int weight);

  void SetWindowText(const QString& text);
  QString GetWindowText() const { return text_; }
  // Left and top unless set; long texts wrap between words as in a plain static text.
  void SetAlignment(Qt::Alignment alignment);
  Qt::Alignment Alignment() const { return alignment_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage backgroundImage_;  // key colour already made transparent
  QString text_;
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
};
