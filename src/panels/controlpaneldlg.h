// CControlPanelDlg: the transport bar of the extended view: position with its times, transport,
// volume and mute, Information and File List. Its buttons run the main window's commands; its
// sliders and mute act on the engine and the audio output and copy their state into the window's
// twin controls.
#pragma once

#include "paneldialog.h"

#include <QPixmap>
#include <QPointer>

class AudioOutput;
class CControlFileListDlg;
class CSovImageSlider;
class CSovSkinButton;
class CSovStaticTrans;

class CControlPanelDlg : public CPanelDialog {
  Q_OBJECT
 public:
  static constexpr int kHeight = 44;

  // audio may be null (no output to set); the file list panel is given later, as it is made after.
  CControlPanelDlg(PanelHost* host, AudioOutput* audio, QWidget* parent);
  void SetFileListPanel(CControlFileListDlg* panel);

  // Lays the controls out for the current width and takes volume and mute over from the window.
  void LayoutControls();

  // ---- Twins the main window writes ----
  // Range 0 .. duration when a recording is opened.
  void SetPositionRange(qint64 durationMs);
  // The thumb to the playback position, redrawn. While the user drags this panel's thumb it stays
  // under the mouse unless evenWhileDragging (a reset, a paused display).
  void SetPosition(qint64 positionMs, bool evenWhileDragging);
  // "%02d:%02d:%02d" texts of the position and the duration, repainted.
  void SetElapsedText(const QString& text);
  void SetDurationText(const QString& text);
  // Pause look and tooltip "Pause" while a recording runs, else the play look and "Play".
  void SetPlayLook(bool pause);
  // The mute button checked or not, with the muted or unmuted look, repainted.
  void SetMuteLook(bool muted);
  // The window's volume set-up: slider enabled at position, mute enabled and unmuted.
  void SetUpVolume(int position);
  // The position slider and the five transport buttons (1067, 1071 to 1075).
  void SetTransportEnabled(bool enabled);
  // File List's check state; the window unchecks it when it hides the file list panel itself.
  void SetFileListChecked(bool checked);

  CSovSkinButton* Button(int id) const;
  CSovImageSlider* Slider(int id) const;
  CSovStaticTrans* Label(int id) const;

 protected:
  void DrawBackground(QPainter& painter) override;

 private:
  void CreateControls();
  void OnInitDialog();
  void OnCommand(int id);
  void OnMuteToggle();
  void OnFileListToggle();
  void OnHScroll(int sliderId, int code, int position);
  void SetVolumeWord(quint32 word);
  // The look of the mute button as the layout gives it (disabled image = normal image).
  void SetLayoutMuteLook(bool muted);

  AudioOutput* audio_;
  QPointer<CControlFileListDlg> fileListPanel_;

  CSovImageSlider* positionSlider_ = nullptr;
  CSovSkinButton* rewindButton_ = nullptr;
  CSovSkinButton* forwardButton_ = nullptr;
  CSovSkinButton* playButton_ = nullptr;
  CSovSkinButton* previousButton_ = nullptr;
  CSovSkinButton* nextButton_ = nullptr;
  CSovSkinButton* muteButton_ = nullptr;
  CSovImageSlider* volumeSlider_ = nullptr;
  CSovSkinButton* informationButton_ = nullptr;
  CSovStaticTrans* elapsedLabel_ = nullptr;
  CSovStaticTrans* durationLabel_ = nullptr;
  CSovSkinButton* fileListButton_ = nullptr;

  QPixmap strip_;  // bitmap 269, one pixel wide
  bool barImagesSet_ = false;  // the sliders carry the bar's images from the first layout on
};
