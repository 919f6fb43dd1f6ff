// TransportController: the user's side of playback. Play and pause, the steps, previous and next
// (moving on past recordings that cannot be played), the four sliders, mute, the time labels and
// the position timer that follows playback and moves on at the end of a recording.
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class AudioOutput;
class CControlPanelDlg;
class CSovImageSlider;
class CSovSkinButton;
class CSovStaticTrans;
class CVideoPlayer;
class MainLayout;
class RecordingLists;
class RecordingSession;
struct PlayerDialogs;

class TransportController : public QObject {
  Q_OBJECT
 public:
  struct Controls {
    CSovSkinButton* play;
    CSovSkinButton* mute;
    CSovImageSlider* position;
    CSovImageSlider* speed;
    CSovImageSlider* volume;
    CSovImageSlider* brightness;
    CSovStaticTrans* elapsed;
    CSovStaticTrans* duration;
  };

  TransportController(CVideoPlayer& player, AudioOutput& audio, RecordingLists& lists, RecordingSession& session,
                      MainLayout& layout, Controls controls, PlayerDialogs& dialogs,
                      std::function<QString(int)> loadUiString, QWidget* window);
  ~TransportController() override;

  // The sliders' ranges and first positions and the half volume the player starts with.
  void SetInitialValues();
  // The extended view's transport bar, whose position, times, play and mute looks and volume are
  // twins of the window's.
  void SetControlPanel(CControlPanelDlg* panel);

  void PlayPause();
  void PlayPrevious();
  void PlayNext();
  void PlayRow(int row);
  void StopAndReset();
  void PositionTick();
  void OnRewind();
  void OnForward();
  void ToggleMute();
  // A slider's notification: its trackbar code and the position it reports.
  void OnSliderScroll(int sliderId, int code, int position);
  // The position slider at 0 and both time labels at "00:00:00".
  void ResetDisplay();
  // Speed back to 1x and brightness to 0, both repainted (a new recording, or the card went away).
  void ResetSpeedAndBrightness();

  bool TimerRunning() const { return timer_.isActive(); }
  void StopTimer() { timer_.stop(); }

  // The mute button checked or not with its look, on the window and on the transport bar.
  void SetMuteLook(bool muted);

  // "%02d:%02d:%02d" of hours, minutes and seconds of ms.
  static QString TimeText(qint64 ms);
  // The speed slider's position (1 to 9) as a playback rate; 1.0 for any other position.
  static double RateForSpeedPosition(int position);

 signals:
  // Every tick while a recording is loaded, after the time labels.
  void positionChanged(qint64 positionMs, qint64 durationMs);

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  bool OpenAndPlay(int row);
  void OnRecordingOpened(qint64 durationMs);
  void OnOpenFailed(const QString& path);
  void TellSkipped();
  // The one place each twin is written: the window's control and the transport bar's.
  void SetPlayLook(bool pause);
  void SetPositionSlider(qint64 positionMs, bool evenWhileDragging);
  void SetDuration(qint64 durationMs);
  void UpdateTimeLabels(qint64 positionMs, qint64 durationMs);
  void ApplyBrightness(int brightness);
  bool IsRunningOrPaused() const;

  CVideoPlayer& player_;
  AudioOutput& audio_;
  RecordingLists& lists_;
  RecordingSession& session_;
  MainLayout& layout_;
  Controls controls_;
  PlayerDialogs& dialogs_;
  std::function<QString(int)> loadUiString_;
  QPointer<QWidget> window_;
  QPointer<CControlPanelDlg> panel_;

  QBasicTimer timer_;
  // Names of the recordings skipped since the last one that played, told once the run ends.
  QStringList skipped_;
};
