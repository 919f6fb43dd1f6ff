// CStaticView: a video area of the main window; the playback engine renders into it.
#pragma once

#include <QWidget>

// Neither erases nor paints, so the video the engine draws (from an event filter on this widget)
// is never overdrawn. The mouse passes through to the window below, as over a plain static.
class CStaticView : public QWidget {
  Q_OBJECT
 public:
  // text names the view ("Video window1", "Video window2") and becomes its object name.
  CStaticView(const QString& text, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
