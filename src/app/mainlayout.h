// MainLayout: where the main window's controls are and whether they can be used. It lays the
// window out for the normal view, the extended (maximised) view and the large map, toggles the
// extended view, places the video windows for a channel view, and enables the controls by state.
#pragma once

#include "playerstates.h"

#include <QRect>
#include <functional>

class AudioOutput;
class CVideoPlayer;
class ExtendedViewBars;
class QDialog;
struct MainControls;

class MainLayout {
 public:
  MainLayout(QDialog& window, const MainControls& controls, CVideoPlayer& player, AudioOutput& audio);

  // The command of the current channel view, carried out again after a relayout (it may refuse a
  // view the loaded recording cannot show).
  void SetChannelCommand(std::function<void()> command) { channelCommand_ = std::move(command); }
  // Draws the G-sensor graph again (the normal view shows it unless the large map covers it).
  void SetGraphDrawing(std::function<void()> draw) { drawGraph_ = std::move(draw); }
  // The extended view's bars, made after the window's own controls.
  void SetBars(ExtendedViewBars* bars) { bars_ = bars; }

  // mode: ViewNormal, ViewExtended or ViewLargeMap; anything else does nothing.
  void LayoutForView(int mode);
  void OnExtend();
  // Leaves the extended view the way the extend command does; nothing in the normal view.
  void LeaveExtendedView();
  // The window's size changed; the extended view follows it.
  void OnResize();

  // The one place where controls are enabled and disabled.
  void UpdateControlStates(ControlState state);

  // Places and shows the video windows for view in the current view mode and checks its button.
  void ShowChannel(Channel view);
  // No channel chosen yet (nothing loaded): the window shows its empty video picture.
  void ClearChannel() { channelView_ = ChannelNone; }
  // Hides both video windows.
  void HideVideo();

  int ViewMode() const { return viewMode_; }
  int MapState() const { return mapState_; }
  void SetMapState(int state) { mapState_ = state; }
  int ChannelView() const { return channelView_; }
  ControlState CurrentControlState() const { return controlState_; }
  QRect WindowRect() const { return windowRect_; }
  void RememberWindowRect(const QRect& rect) { windowRect_ = rect; }

  // The largest 16:9 rectangle centred in a client area of width x height.
  static QRect Fit16x9(int width, int height);

 private:
  void LayoutNormal();
  void LayoutExtended();
  void LayoutLargeMap();
  void Place(int id, const QRect& rect) const;
  void SetVisible(std::initializer_list<int> ids, bool visible) const;
  void ShowList(bool visible) const;
  void SetEnabled(int id, bool on) const;
  int StreamCount() const;

  QDialog& window_;
  const MainControls& controls_;
  CVideoPlayer& player_;
  AudioOutput& audio_;
  std::function<void()> channelCommand_;
  std::function<void()> drawGraph_;
  ExtendedViewBars* bars_ = nullptr;  // owned by the window

  int viewMode_ = ViewNormal;
  int mapState_ = MapHidden;
  int channelView_ = ChannelNone;
  ControlState controlState_ = NoRecordings;
  QRect windowRect_;
};
