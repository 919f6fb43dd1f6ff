// CSovFileListVerticleScrollbar: the bitmap-drawn vertical scrollbar beside a CConfigListCtrl, in
// place of a system scroll bar. It sizes its thumb from the list's scroll state, scrolls the list
// with its arrows (auto-repeating while held), its track (a page) and its thumb (dragging), and
// hides itself when the list has nothing to scroll.
#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QPointer>
#include <QWidget>

class CConfigListCtrl;

class CSovFileListVerticleScrollbar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 18;
  static constexpr int kArrowHeight = 16;
  static constexpr int kMinThumbHeight = 20;
  static constexpr int kFirstDelayMs = 250;
  static constexpr int kRepeatMs = 50;

  struct Thumb {
    bool visible = false;
    int height = 50;
    int top = kArrowHeight;
    double ratio = 0;  // pixels of thumb travel per row
  };
  // The thumb of a scrollbar barHeight pixels high for a list scrolled to pos (rows) of limit,
  // with count rows of which perPage fit.
  static Thumb ComputeThumb(int barHeight, int pos, int limit, int count, int perPage);

  explicit CSovFileListVerticleScrollbar(QWidget* parent);
  ~CSovFileListVerticleScrollbar() override;

  void SetList(CConfigListCtrl* list);
  CConfigListCtrl* List() const { return list_.data(); }

  // Recomputes the thumb from the list, shows or hides the scrollbar and redraws it.
  void UpdateThumb();
  int ThumbTop() const { return thumbTop_; }
  int ThumbHeight() const { return thumbHeight_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  QRect ThumbRect() const;
  QRect UpArrowRect() const;
  QRect DownArrowRect() const;
  void ScrollOneRow(bool down);
  void ClampThumb();

  QPointer<CConfigListCtrl> list_;
  bool upPressed_ = false;
  bool downPressed_ = false;
  bool thumbDragging_ = false;
  int thumbTop_ = kArrowHeight;
  double ratio_ = 0;
  int thumbHeight_ = 50;
  QBasicTimer firstDelay_;  // started when an arrow is pressed
  QBasicTimer repeat_;      // then one row per tick until the button is released

  // The skin parts, loaded once: they are drawn on every list paint and scroll step.
  QImage upArrow_;
  QImage track_;
  QImage downArrow_;
  QImage thumb_;
};
