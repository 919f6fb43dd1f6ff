// ExtendedViewBars: the three panels of the extended view and the mouse bands that show and hide
// them. The main window owns one, forwards its mouse moves, resizes and view changes to it, and
// lets it hide and show its own controls through PanelHost.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class AudioOutput;
class CControlFileListDlg;
class CControlPanelDlg;
class CControlTopDlg;
class PanelHost;
class QWidget;

class ExtendedViewBars {
 public:
  // Band decisions, kept as bandState: the mouse is in a band (bars wanted) or over the picture.
  static constexpr int kShowBars = 21;
  static constexpr int kHideBars = 22;
  static constexpr int kTopBandHeight = 40;     // the top bar's height
  static constexpr int kBottomBandHeight = 44;  // the transport bar's height

  // Makes the transport bar, the top bar and the file list panel, hidden, as children of window,
  // and turns on the window's mouse tracking (the bands need moves without a button held).
  ExtendedViewBars(PanelHost& host, QWidget* window, AudioOutput* audio);

  CControlTopDlg* TopBar() const;
  CControlPanelDlg* ControlPanel() const;
  CControlFileListDlg* FileListPanel() const;

  // kShowBars for a point of the top band (y 0..39) or the bottom band (the last 44 rows) of a
  // client area of that size, otherwise kHideBars.
  static int BandDecision(QSize client, QPoint point);
  // 0 until the first decision; kept across view changes and resizes.
  int BandState() const { return bandState_; }

  // The geometry of the bars in the window's client area.
  QRect TopBarRect() const;
  QRect ControlPanelRect() const;

  // A move over the window's own face (moves over a panel never arrive here); ignored outside the
  // extended view. A decision acts only when it differs from the last one.
  void OnMouseMove(QPoint clientPos);
  // The window's new size in the extended view: the bars are placed and laid out anew but hidden;
  // the band state stays, so they show again only after the mouse has left the bands once.
  void OnResize();
  // The extend toggle: entering and leaving hide the bars and the file list panel (File List is
  // unchecked with it).
  void OnEnterExtended();
  void OnLeaveExtended();

 private:
  void ShowBars();
  void HideBars();
  void HideFaceControls(bool alsoExtendButton);
  void HideFileList();
  void HideAllPanels();

  PanelHost& host_;
  QPointer<QWidget> window_;
  QPointer<CControlPanelDlg> controlPanel_;
  QPointer<CControlTopDlg> topBar_;
  QPointer<CControlFileListDlg> fileListPanel_;
  int bandState_ = 0;
};
