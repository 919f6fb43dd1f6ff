#include "transportcontroller.h"

#include "audiooutput.h"
#include "controlpaneldlg.h"
#include "dialoghooks.h"
#include "graph/interfaces.h"
#include "imageslider.h"
#include "mainlayout.h"
#include "playgraph.h"
#include "recordingentry.h"
#include "recordinglists.h"
#include "recordingsession.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QFileInfo>
#include <QTimerEvent>
#include <algorithm>
#include <climits>

using namespace ids;

namespace {

// Trackbar notification codes the handlers act on.
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;

constexpr int kSpeedNormalPosition = 5;  // 1.0x
// Half of the volume slider's 0 to 99, and half of the volume word in both channels.
constexpr int kVolumeStartPosition = 50;
constexpr quint32 kVolumeStartWord = 0x7FFF7FFF;
// A run of unplayable recordings names at most this many of them in its notice.
constexpr int kSkippedNamesShown = 20;

PlayState StateOf(const CVideoPlayer& player) {
  const CPlayGraph* graph = player.PlayGraph();
  return graph ? graph->State() : PlayState::Empty;
}

// The sliders count in int; a duration beyond that (about 24.8 days) stops at the slider's end.
int SliderValue(qint64 ms) { return static_cast<int>(std::clamp<qint64>(ms, 0, INT_MAX)); }

}  // namespace

TransportController::TransportController(CVideoPlayer& player, AudioOutput& audio, RecordingLists& lists,
                                         RecordingSession& session, MainLayout& layout, Controls controls,
                                         PlayerDialogs& dialogs, std::function<QString(int)> loadUiString,
                                         QWidget* window)
    : QObject(nullptr),
      player_(player),
      audio_(audio),
      lists_(lists),
      session_(session),
      layout_(layout),
      controls_(controls),
      dialogs_(dialogs),
      loadUiString_(std::move(loadUiString)),
      window_(window) {
  connect(&session_, &RecordingSession::recordingOpened, this, &TransportController::OnRecordingOpened);
  connect(&session_, &RecordingSession::openFailed, this, &TransportController::OnOpenFailed);
}

TransportController::~TransportController() = default;

QString TransportController::TimeText(qint64 ms) {
  const qint64 s = ms / 1000;
  return QString::asprintf("%02lld:%02lld:%02lld", s / 3600, (s % 3600) / 60, s % 60);
}

double TransportController::RateForSpeedPosition(int position) {
  static constexpr double kRates[] = {0.2, 0.4, 0.6, 0.8, 1.0, 1.25, 1.5, 1.75, 2.0};
  if (position < 1 || position > 9) return 1.0;
  return kRates[position - 1];
}

void TransportController::SetInitialValues() {
  controls_.volume->SetRange(0, 99);
  controls_.volume->SetPos(kVolumeStartPosition);
  controls_.volume->setEnabled(true);
  audio_.SetVolume(kVolumeStartWord);
  controls_.mute->setEnabled(true);
  controls_.mute->SetCheck(false);

  controls_.speed->SetRange(1, 9);
  controls_.speed->SetPos(kSpeedNormalPosition);
  controls_.brightness->SetRange(decoderparam::kMinBrightness, decoderparam::kMaxBrightness);
  controls_.brightness->SetPos(0);
}

void TransportController::SetControlPanel(CControlPanelDlg* panel) {
  panel_ = panel;
  if (panel_) panel_->SetUpVolume(kVolumeStartPosition);
}

bool TransportController::IsRunningOrPaused() const {
  const PlayState state = StateOf(player_);
  return state == PlayState::Running || state == PlayState::Paused;
}

void TransportController::SetPlayLook(bool pause) {
  CSovSkinButton* play = controls_.play;
  const int image = pause ? IDB_PAUSE : IDB_PLAY;
  play->SetBitmaps(image, image + 2, image + 1, image, image);
  play->SetToolTipText(pause ? QStringLiteral("Pause") : QStringLiteral("Play"));
  play->setText(QString());
  play->update();
  if (panel_) panel_->SetPlayLook(pause);
}

void TransportController::SetMuteLook(bool muted) {
  CSovSkinButton* mute = controls_.mute;
  const int image = muted ? IDB_MUTED : IDB_UNMUTED;
  mute->SetBitmaps(image, image + 2, image + 1, image + 2, image);
  mute->SetCheck(muted);
  mute->update();
  if (panel_) panel_->SetMuteLook(muted);
}

void TransportController::SetDuration(qint64 durationMs) {
  controls_.position->SetRange(0, SliderValue(durationMs), false);
  controls_.duration->SetWindowText(TimeText(durationMs));
  controls_.duration->RefreshBackground();
  if (!panel_) return;
  panel_->SetPositionRange(durationMs);
  panel_->SetDurationText(TimeText(durationMs));
}

void TransportController::OnRecordingOpened(qint64 durationMs) {
  SetDuration(durationMs);
  ResetSpeedAndBrightness();
  TellSkipped();
}

void TransportController::PlayPause() {
  const PlayState state = StateOf(player_);
  if (state == PlayState::Paused) {
    SetPlayLook(true);
    player_.SetRate(RateForSpeedPosition(controls_.speed->GetPos()));
    player_.Play();
    timer_.start(kPositionTimerMs, this);
  } else if (state == PlayState::Running) {
    player_.Pause();
    SetPlayLook(false);
  } else if (lists_.RowCount() > 0) {
    const int row = lists_.FirstSelectedRow();
    if (row < 0) return;
    if (row != lists_.CurrentIndex()) {
      lists_.SetCurrent(row);
      if (!session_.OpenRecording(lists_.PathOf(row))) return;
    }
    player_.Play();
    timer_.start(kPositionTimerMs, this);
    SetPlayLook(true);
    SetDuration(player_.GetDurationMs());
    if (player_.PlayGraph()) player_.SetBrightness(controls_.brightness->GetPos());
    layout_.UpdateControlStates(Opened);
  }
  lists_.UpdateLists();
}

bool TransportController::OpenAndPlay(int row) {
  const QString path = lists_.PathOf(row);
  if (path.isEmpty()) return false;
  lists_.SelectAndRevealInBoth(row);
  if (!session_.OpenRecording(path)) return false;
  PlayPause();
  return true;
}

void TransportController::PlayPrevious() {
  const int row = lists_.RowBeforeCurrent();
  if (row < 0 || row >= lists_.RowCount()) return;
  lists_.SetCurrent(row);
  OpenAndPlay(row);
}

void TransportController::PlayNext() {
  const int row = lists_.RowAfterCurrent();
  if (row >= lists_.RowCount()) {
    StopAndReset();
    return;
  }
  lists_.SetCurrent(row);
  lists_.SetHotRow(row);
  OpenAndPlay(row);
}

void TransportController::PlayRow(int row) {
  const QString path = lists_.PathOf(row);
  if (path.isEmpty()) return;
  lists_.SetCurrent(row);
  if (!session_.OpenRecording(path)) return;
  // Both lists: the play command that follows starts the main list's selected row.
  lists_.SelectInBoth(row);
  PlayPause();
}

void TransportController::OnOpenFailed(const QString& path) {
  skipped_ << RecordingDisplayName(QFileInfo(path).fileName());
  // The next recording is tried from the event loop, not from inside this open: a card full of
  // damaged files is walked one file per turn, with the window painting in between.
  QMetaObject::invokeMethod(this, &TransportController::PlayNext, Qt::QueuedConnection);
}

void TransportController::TellSkipped() {
  if (skipped_.isEmpty()) return;
  QStringList names = skipped_.mid(0, kSkippedNamesShown);
  if (skipped_.size() > kSkippedNamesShown) names << QStringLiteral("… (+%1)").arg(skipped_.size() - kSkippedNamesShown);
  skipped_.clear();
  dialogs_.notice(loadUiString_(IDS_CANNOT_PLAY) + '\n' + names.join('\n'));
}

void TransportController::StopAndReset() {
  timer_.stop();
  session_.Close();
  ResetDisplay();
  lists_.ClearCurrent();
  SetPlayLook(false);
  layout_.UpdateControlStates(Listed);
  if (window_) window_->update();
  TellSkipped();
}

void TransportController::ResetDisplay() {
  controls_.position->SetPos(0, true);
  for (CSovStaticTrans* label : {controls_.elapsed, controls_.duration}) {
    label->SetWindowText(TimeText(0));
    label->RefreshBackground();
  }
  if (!panel_) return;
  panel_->SetPosition(0, true);
  panel_->SetElapsedText(TimeText(0));
  panel_->SetDurationText(TimeText(0));
}

void TransportController::ResetSpeedAndBrightness() {
  controls_.speed->SetPos(kSpeedNormalPosition, true);
  controls_.brightness->SetPos(0, true);
}

void TransportController::SetPositionSlider(qint64 positionMs, bool evenWhileDragging) {
  if (evenWhileDragging || !controls_.position->dragging()) {
    controls_.position->SetPos(SliderValue(positionMs), true);
    controls_.position->RedrawNow();
  }
  if (panel_) panel_->SetPosition(positionMs, evenWhileDragging);
}

void TransportController::UpdateTimeLabels(qint64 positionMs, qint64 durationMs) {
  // Only changed texts are set: the labels sit on the skin and every set repaints the face below.
  const QString elapsedText = TimeText(positionMs);
  if (elapsedText != controls_.elapsed->GetWindowText()) {
    controls_.elapsed->SetWindowText(elapsedText);
    controls_.elapsed->RefreshBackground();
    controls_.elapsed->repaint();
    if (panel_) panel_->SetElapsedText(elapsedText);
  }
  const QString durationText = TimeText(durationMs);
  if (durationText != controls_.duration->GetWindowText()) {
    controls_.duration->SetWindowText(durationText);
    controls_.duration->RefreshBackground();
    if (panel_) panel_->SetDurationText(durationText);
  }
}

void TransportController::PositionTick() {
  if (!player_.PlayGraph()) return;
  const PlayState state = StateOf(player_);
  if (state == PlayState::Running) {
    const qint64 p = player_.GetPositionMs();
    const qint64 d = player_.GetDurationMs();
    if (p >= d || p < 0) {
      SetPositionSlider(p, true);
      UpdateTimeLabels(p, d);
      PlayNext();
      return;
    }
    SetPositionSlider(p, false);
    UpdateTimeLabels(p, d);
    emit positionChanged(p, d);
  } else if (state == PlayState::Paused || state == PlayState::Stopped) {
    player_.Pause();
    const qint64 p = player_.GetPositionMs();
    const qint64 d = player_.GetDurationMs();
    SetPositionSlider(p, true);
    UpdateTimeLabels(p, d);
    emit positionChanged(p, d);
  }
}

void TransportController::timerEvent(QTimerEvent* event) {
  if (event->timerId() == timer_.timerId()) {
    PositionTick();
    return;
  }
  QObject::timerEvent(event);
}

void TransportController::OnRewind() {
  if (!IsRunningOrPaused()) return;
  player_.StepBack(1);
  PositionTick();
}

void TransportController::OnForward() {
  if (!IsRunningOrPaused()) return;
  player_.StepForward(1);
  PositionTick();
  player_.Repaint();
}

void TransportController::ToggleMute() {
  if (controls_.mute->GetCheck()) {
    audio_.SetVolume(0);
    SetMuteLook(true);
  } else {
    audio_.SetVolume(AudioOutput::WordForStep(controls_.volume->GetPos()));
    SetMuteLook(false);
  }
}

void TransportController::ApplyBrightness(int brightness) {
  CPlayGraph* graph = player_.PlayGraph();
  if (!graph) return;
  for (int n : {1, 2}) {
    if (IDecoderParameters* decoder = graph->Decoder(n)) {
      decoder->PutParam(decoderparam::kPictureProperties, 1);
      decoder->PutParam(decoderparam::kBrightness, brightness);
    }
  }
}

void TransportController::OnSliderScroll(int sliderId, int code, int position) {
  const bool pageOrTrack = code == kPageUp || code == kPageDown || code == kThumbTrack;
  const bool anyChange = pageOrTrack || code == kThumbPosition;
  switch (sliderId) {
    case IDC_POSITION_SLIDER:
      // The notified position, not the slider's: a tick may have moved the thumb back since.
      if (pageOrTrack) {
        player_.SeekTo(static_cast<uint64_t>(std::max(position, 0)));
        PositionTick();
      }
      break;
    case IDC_SPEED_SLIDER:
      // While paused or stopped the new speed waits for the next resume.
      if (anyChange && StateOf(player_) == PlayState::Running) player_.SetRate(RateForSpeedPosition(position));
      break;
    case IDC_VOLUME_SLIDER:
      if (anyChange) {
        SetMuteLook(position <= 0);
        audio_.SetVolume(AudioOutput::WordForStep(position));
      }
      break;
    case IDC_BRIGHTNESS_SLIDER:
      if (anyChange) ApplyBrightness(position);
      break;
    default: break;
  }
}
