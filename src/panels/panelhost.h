// PanelHost: what the extended view's panels need from the main window, its commands (named after
// the window's handlers) and the twin controls the panels read or write. The window implements it.
#pragma once

#include <QtGlobal>

class CConfigListCtrl;
class CSovImageSlider;
class CSovSkinButton;
class QWidget;
class RecordingModel;

// The type filters of OnTypeFilter, as the window numbers them.
namespace typefilter {
inline constexpr int kAll = 1;
inline constexpr int kNormal = 2;
inline constexpr int kEvent = 3;
inline constexpr int kMotion = 4;
}  // namespace typefilter

class PanelHost {
 public:
  virtual ~PanelHost() = default;

  // ---- Transport: the control panel's buttons, Page Up / Page Down on every panel ----
  virtual void PlayPause() = 0;
  virtual void PlayPrevious() = 0;
  virtual void PlayNext() = 0;
  virtual void OnRewind() = 0;
  virtual void OnForward() = 0;
  virtual void OnInformation() = 0;
  // A seek from the panel's position slider: the engine's SeekTo, then the panel sets the window's
  // position slider and runs PositionTick, which brings labels, map and speed up to date.
  virtual void SeekTo(qint64 positionMs) = 0;
  virtual void PositionTick() = 0;

  // ---- View: the top bar's buttons ----
  virtual void OnExtend() = 0;
  virtual void OnViewFront() = 0;
  virtual void OnViewRear() = 0;
  virtual void OnViewBoth() = 0;
  virtual void OnFlipVertical() = 0;
  virtual void OnFlipHorizontal() = 0;

  // ---- Library: the file list panel ----
  virtual void OnTypeFilter(int typeFilter) = 0;  // typefilter::kAll .. kMotion
  // These three read the window's own toggle (1003, 1092, 1093); the panel has copied its
  // button's check state into it before it calls them.
  virtual void OnCalendar() = 0;
  virtual void OnFolder() = 0;
  virtual void OnCheckAll() = 0;
  virtual void OnSave() = 0;
  virtual void OnDelete() = 0;
  // Double click on a row of the panel's list: if the main list's row has a path, current row =
  // row and OpenRecording(path); on success select the row alone in the main list and PlayPause,
  // on failure current row = -1. Nothing for a row without a path (row -1: beside the rows).
  virtual void PlayRowFromPanel(int row) = 0;
  // Click on the panel's list (after its check cell took the click): the row's check mark into
  // the main list, then the row selected alone there; row -1 (beside the rows) selects nothing.
  virtual void OnPanelListClick(int row) = 0;
  // The rows both lists show, the row being played (drawn orange in both, -1 none), and the
  // panel's list handed over once it is set up, so the window keeps it row for row with its own.
  virtual RecordingModel* RecordingRows() = 0;
  virtual int CurrentIndex() const = 0;
  virtual void AttachTwinList(CConfigListCtrl* list) = 0;

  // ---- Twin controls the panels read or write, by control id ----
  // Buttons: 1003 calendar, 1092 folder, 1093 check all (check state set before the command),
  // 1026 mute (check state read). Sliders: 1020 position and 1022 volume (position read and set).
  virtual CSovSkinButton* Button(int id) const = 0;
  virtual CSovImageSlider* Slider(int id) const = 0;
  // The window's mute button 1026 checked or not, with its muted or unmuted look, repainted: the
  // window's one place for the mute twin (it may write the panel's button too; that is harmless).
  virtual void SetMuteLook(bool muted) = 0;

  // ---- The extended view ----
  virtual bool IsExtendedView() const = 0;
  // The window's own controls the mouse bands hide and show, by id (1029: the recording list,
  // whose scrollbar goes with it); null for an id the window does not have.
  virtual QWidget* Control(int id) const = 0;
  // The engine's Repaint(): the video drawn again after the controls over it changed.
  virtual void RepaintVideo() = 0;
};
