// CPanelDialog: what the three floating panels of the extended view share: a borderless child of
// the main window raised over the video, its skin background, and Page Up / Page Down as the
// main window's Previous / Next from any of its controls.
#pragma once

#include <QWidget>
#include <span>

class PanelHost;
class QPainter;

// A panel button's skin images (normal, pressed, hover, disabled, focus) and its tooltip.
struct PanelButtonSkin {
  int id;
  int normal, pressed, hover, disabled, focus;
  const char* tooltip;  // null: none
};

class CPanelDialog : public QWidget {
  Q_OBJECT
 public:
  // Hidden until the extended view shows it; host may be null (then the commands do nothing).
  CPanelDialog(int templateId, PanelHost* host, QWidget* parent);

  PanelHost* Host() const { return host_; }

  // True for a panel and every control inside one. The main window's own key handling leaves
  // keys sent to these to the panel: a slider's arrows and a button's Space are their own.
  static bool Contains(const QObject* object);

 protected:
  // The panel's skin; it covers the whole panel, so nothing below is erased first.
  virtual void DrawBackground(QPainter& painter) = 0;
  // Each button its images, an empty text and its tooltip.
  void ApplyButtonSkins(std::span<const PanelButtonSkin> skins);
  void paintEvent(QPaintEvent* event) override;
  // Keys its controls leave end here, as in a dialog of its own, except Escape, which goes on to
  // the window (it leaves the extended view).
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void LoadAccelerators();

  PanelHost* host_;
};
