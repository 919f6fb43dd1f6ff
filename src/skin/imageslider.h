// CSovImageSlider: the horizontal value slider of the player, drawn from skin bitmaps (channel,
// fill left of the thumb, thumb), reporting changes with the trackbar notification codes.
#pragma once

#include <QImage>
#include <QWidget>

// Codes of hScroll(), numbered as the platform trackbar numbers its notifications.
enum TrackbarCode : int {
  TB_LINEUP = 0,
  TB_LINEDOWN = 1,
  TB_PAGEUP = 2,
  TB_PAGEDOWN = 3,
  TB_THUMBPOSITION = 4,
  TB_THUMBTRACK = 5,
  TB_TOP = 6,
  TB_BOTTOM = 7,
  TB_ENDTRACK = 8,
};

// A press jumps the value to the point (a click never pages) and drags from there; the keyboard
// steps by line and page size. Every notification is queued: the owner handles it after the
// slider's own event is finished, and it carries the value at the time it was sent. A slider
// without a parent widget sends nothing.
class CSovImageSlider : public QWidget {
  Q_OBJECT
 public:
  CSovImageSlider(int id, QWidget* parent);

  // No repaint: the next paint shows the new images.
  void SetBitmaps(int channelId, int fillId, int thumbId, int thumbDragId, int thumbFocusId);
  void SetImages(const QImage& channel, const QImage& fill, const QImage& thumb,
                 const QImage& thumbDrag, const QImage& thumbFocus);

  // A maximum below the minimum is taken as the minimum; the value is kept inside the range.
  void SetRange(int min, int max, bool redraw = false);
  int GetRangeMin() const { return min_; }
  int GetRangeMax() const { return max_; }
  void SetPos(int position, bool redraw = true);  // clamped to [min, max]
  int GetPos() const { return value_; }
  void SetLineSize(int size) { lineSize_ = size; }
  void SetPageSize(int size) { pageSize_ = size; }
  int GetLineSize() const { return lineSize_; }
  int GetPageSize() const { return pageSize_; }

  // Draws at once, with the thumb copied opaquely (its white key shows white): the playback timer
  // calls it after SetPos so the bar follows playback without waiting for a paint.
  void RedrawNow();

  // True from a left press on the slider until its release or the loss of the focus; the position
  // timer leaves the bar alone meanwhile.
  bool dragging() const { return dragging_; }
  // When off, the wheel over the slider changes nothing and goes no further.
  void SetWheelEnabled(bool enabled) { wheelEnabled_ = enabled; }
  bool wheelEnabled() const { return wheelEnabled_; }

 signals:
  void hScroll(int code, int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool SetValueFromPoint(int x);
  void Step(int value, int code);
  void Notify(int code);
  void Draw(QPainter& painter, bool opaqueThumb);

  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  int lineSize_ = 1;
  int pageSize_ = 10;
  int wheelRemainder_ = 0;  // eighths of a degree not yet turned into a step

  int thumbWidth_ = 0, thumbHeight_ = 0;
  int channelWidth_ = 0, channelHeight_ = 0;
  int fillWidth_ = 0, fillHeight_ = 0;
  QImage thumbFocusImage_, thumbDragImage_, thumbImage_;
  // The thumbs with their white key made transparent, for the ordinary paint.
  QImage thumbFocusKeyed_, thumbDragKeyed_, thumbKeyed_;
  QImage channelImage_;
  QImage fillImage_;
  int thumbX_ = 0, thumbY_ = 0;

  bool moved_ = false;  // the value changed during the current drag
  bool dragging_ = false;
  bool wheelEnabled_ = true;
  bool opaqueThumb_ = false;  // set only while RedrawNow paints
};
