// The main window's transport: play and pause, steps, previous and next, the four sliders, mute,
// and the position timer that follows playback and moves on at the end of a recording.
#include "tavroplayerdlg.h"

#include "audiooutput.h"
#include "configlistctrl.h"
#include "imageslider.h"
#include "platformservices.h"
#include "playgraph.h"
#include "recordingmodel.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "staticview.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QBasicTimer>

using namespace ids;

namespace {

// Trackbar notification codes the handlers act on.
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;

PlayState StateOf(const CVideoPlayer& player) {
  const CPlayGraph* graph = player.PlayGraph();
  return graph ? graph->State() : PlayState::Empty;
}

}  // namespace

QString CTavroPlayerDlg::TimeText(qint64 ms) {
  const qint64 s = ms / 1000;
  return QString::asprintf("%02lld:%02lld:%02lld", s / 3600, (s % 3600) / 60, s % 60);
}

double CTavroPlayerDlg::RateForSpeedPosition(int position) {
  static constexpr double kRates[] = {0.2, 0.4, 0.6, 0.8, 1.0, 1.25, 1.5, 1.75, 2.0};
  if (position < 1 || position > 9) return 1.0;
  return kRates[position - 1];
}

bool CTavroPlayerDlg::IsRunningOrPaused() const {
  const PlayState state = StateOf(*player);
  return state == PlayState::Running || state == PlayState::Paused;
}

void CTavroPlayerDlg::SetPlayLook(bool pause) {
  CSovSkinButton* play = buttons.value(IDC_PLAY);
  if (pause) {
    play->SetBitmaps(IDB_PAUSE, IDB_PAUSE + 2, IDB_PAUSE + 1, IDB_PAUSE, IDB_PAUSE);
    play->SetToolTipText(QStringLiteral("Pause"));
  } else {
    play->SetBitmaps(IDB_PLAY, IDB_PLAY + 2, IDB_PLAY + 1, IDB_PLAY, IDB_PLAY);
    play->SetToolTipText(QStringLiteral("Play"));
  }
  play->setText(QString());
  play->update();
}

void CTavroPlayerDlg::SetMuteLook(bool muted) {
  CSovSkinButton* mute = buttons.value(IDC_MUTE);
  if (muted) mute->SetBitmaps(IDB_MUTED, IDB_MUTED + 2, IDB_MUTED + 1, IDB_MUTED + 2, IDB_MUTED);
  else mute->SetBitmaps(IDB_UNMUTED, IDB_UNMUTED + 2, IDB_UNMUTED + 1, IDB_UNMUTED + 2, IDB_UNMUTED);
  mute->SetCheck(muted);
  mute->update();
}

void CTavroPlayerDlg::SetWaveOutVolumeForStep(int step) {
  services.Audio().SetVolume(AudioOutput::WordForStep(step));
}

void CTavroPlayerDlg::PlayPause() {
  const PlayState state = StateOf(*player);
  if (player->PlayGraph() && state == PlayState::Paused) {
    SetPlayLook(true);
    const double rate = RateForSpeedPosition(sliders.value(IDC_SPEED_SLIDER)->GetPos());
    player->SetRate(rate);
    player->Play();
    positionTimer->start(kPositionTimerMs, this);
  } else if (player->PlayGraph() && state == PlayState::Running) {
    player->Pause();
    SetPlayLook(false);
  } else if (rows->rowCount() > 0) {
    const int row = recordingList->GetFirstSelectedItem();
    if (row < 0) return;
    if (row != currentIndex) {
      currentIndex = row;
      if (!OpenRecording(recordingList->GetItemText(row, 4))) return;
    }
    player->Play();
    positionTimer->start(kPositionTimerMs, this);
    SetPlayLook(true);
    const qint64 duration = player->GetDurationMs();
    sliders.value(IDC_POSITION_SLIDER)->SetRange(0, static_cast<int>(duration & 0x7FFFFFFF), false);
    labels.value(IDC_DURATION_LABEL)->SetWindowText(TimeText(duration));
    labels.value(IDC_DURATION_LABEL)->RefreshBackground();
    if (player->PlayGraph()) player->SetBrightness(sliders.value(IDC_BRIGHTNESS_SLIDER)->GetPos());
    UpdateControlStates(Opened);
  }
  recordingList->update();
}

void CTavroPlayerDlg::SelectAndReveal(int row) {
  recordingList->DeselectAll();
  recordingList->SelectItem(row);
  recordingList->EnsureVisible(row, false);
  recordingList->repaint();
}

void CTavroPlayerDlg::PlayPrevious() {
  if (currentIndex <= 0) return;
  const int row = currentIndex - 1;
  if (row >= recordingList->GetItemCount()) return;
  currentIndex = row;
  const QString path = recordingList->GetItemText(row, 4);
  if (path.isEmpty()) return;
  SelectAndReveal(row);
  if (OpenRecording(path)) PlayPause();
}

void CTavroPlayerDlg::PlayNext() {
  const int row = currentIndex + 1;
  if (row >= recordingList->GetItemCount()) {
    StopAndReset();
    return;
  }
  currentIndex = row;
  const QString path = recordingList->GetItemText(row, 4);
  recordingList->SetHotItem(row);
  if (path.isEmpty()) return;
  SelectAndReveal(row);
  if (OpenRecording(path)) PlayPause();
}

void CTavroPlayerDlg::PlayRow(int row) {
  if (row < 0) return;
  const QString path = recordingList->GetItemText(row, 4);
  if (path.isEmpty()) return;
  currentIndex = row;
  if (OpenRecording(path)) PlayPause();
}

void CTavroPlayerDlg::StopAndReset() {
  channelView = 0;
  positionTimer->stop();
  if (player->PlayGraph()) player->Stop();
  player->SeekTo(0);
  player->Close();

  CSovImageSlider* position = sliders.value(IDC_POSITION_SLIDER);
  position->SetPos(0, true);
  for (int id : {IDC_ELAPSED_LABEL, IDC_DURATION_LABEL}) {
    labels.value(id)->SetWindowText(TimeText(0));
    labels.value(id)->RefreshBackground();
  }
  fileNameLabel->SetWindowText(QString());
  fileNameLabel->RefreshBackground();
  currentIndex = -1;
  SetPlayLook(false);

  if (mapState == MapSmall) {
    OnMapShow();
  } else if (mapState == MapLarge) {
    mapState = MapHidden;
    LayoutForView(viewMode);
  }
  DrawGSensorGraph();
  UpdateControlStates(Listed);
  update();
}

void CTavroPlayerDlg::SetPositionSliders(qint64 positionMs, bool redrawNow) {
  CSovImageSlider* position = sliders.value(IDC_POSITION_SLIDER);
  position->SetPos(static_cast<int>(positionMs & 0x7FFFFFFF), true);
  if (redrawNow) position->RedrawNow();
}

void CTavroPlayerDlg::UpdateTimeLabels(qint64 positionMs, qint64 durationMs) {
  // Only changed texts are set: the labels sit on the skin and every set repaints the face below.
  CSovStaticTrans* elapsed = labels.value(IDC_ELAPSED_LABEL);
  const QString elapsedText = TimeText(positionMs);
  if (elapsedText != elapsed->GetWindowText()) {
    elapsed->SetWindowText(elapsedText);
    elapsed->RefreshBackground();
    elapsed->repaint();
  }
  CSovStaticTrans* duration = labels.value(IDC_DURATION_LABEL);
  const QString durationText = TimeText(durationMs);
  if (durationText != duration->GetWindowText()) {
    duration->SetWindowText(durationText);
    duration->RefreshBackground();
  }
}

void CTavroPlayerDlg::PositionTick() {
  if (!player->PlayGraph()) return;
  const PlayState state = StateOf(*player);
  if (state == PlayState::Running) {
    const qint64 p = player->GetPositionMs();
    const qint64 d = player->GetDurationMs();
    if (p >= d || p < 0) {
      SetPositionSliders(p, true);
      UpdateTimeLabels(p, d);
      PlayNext();
      return;
    }
    if (!sliders.value(IDC_POSITION_SLIDER)->dragging()) SetPositionSliders(p, true);
    UpdateTimeLabels(p, d);
    UpdateMapPosition(p);
    UpdateSpeed(p);
  } else if (state == PlayState::Paused || state == PlayState::Stopped) {
    player->Pause();
    const qint64 p = player->GetPositionMs();
    const qint64 d = player->GetDurationMs();
    SetPositionSliders(p, true);
    UpdateTimeLabels(p, d);
    UpdateMapPosition(p);
    UpdateSpeed(p);
  }
}

void CTavroPlayerDlg::OnRewind() {
  if (!IsRunningOrPaused()) return;
  player->StepBack(1);
  PositionTick();
}

void CTavroPlayerDlg::OnForward() {
  if (!IsRunningOrPaused()) return;
  player->StepForward(1);
  PositionTick();
  player->Repaint();
}

void CTavroPlayerDlg::ToggleMute() {
  if (buttons.value(IDC_MUTE)->GetCheck()) {
    services.Audio().SetVolume(0);
    SetMuteLook(true);
  } else {
    SetWaveOutVolumeForStep(sliders.value(IDC_VOLUME_SLIDER)->GetPos());
    SetMuteLook(false);
  }
}

void CTavroPlayerDlg::ApplyBrightnessToDecoders(int brightness) {
  CPlayGraph* graph = player->PlayGraph();
  if (!graph) return;
  for (int n : {1, 2}) {
    if (IDecoderParameters* decoder = graph->Decoder(n)) {
      decoder->PutParam(205, 1);
      decoder->PutParam(202, brightness);
    }
  }
}

void CTavroPlayerDlg::OnSliderScroll(int sliderId, int code, int position) {
  Q_UNUSED(position);
  const bool pageOrTrack = code == kPageUp || code == kPageDown || code == kThumbTrack;
  const bool anyChange = pageOrTrack || code == kThumbPosition;
  switch (sliderId) {
    case IDC_POSITION_SLIDER:
      if (pageOrTrack) {
        player->SeekTo(sliders.value(IDC_POSITION_SLIDER)->GetPos());
        PositionTick();
      }
      break;
    case IDC_SPEED_SLIDER:
      // While paused or stopped the new speed waits for the next resume.
      if (anyChange && player->PlayGraph() && StateOf(*player) == PlayState::Running)
        player->SetRate(RateForSpeedPosition(sliders.value(IDC_SPEED_SLIDER)->GetPos()));
      break;
    case IDC_VOLUME_SLIDER:
      if (anyChange) {
        const int v = sliders.value(IDC_VOLUME_SLIDER)->GetPos();
        SetMuteLook(v <= 0);
        SetWaveOutVolumeForStep(v);
      }
      break;
    case IDC_BRIGHTNESS_SLIDER:
      if (anyChange) ApplyBrightnessToDecoders(sliders.value(IDC_BRIGHTNESS_SLIDER)->GetPos());
      break;
    default: break;
  }
}
