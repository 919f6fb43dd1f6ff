#include "controlpaneldlg.h"

#include "audiooutput.h"
#include "controlfilelistdlg.h"
#include "imageslider.h"
#include "panelhost.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"
#include "statictrans.h"

#include <QPainter>
#include <algorithm>
#include <climits>

using namespace ids;

namespace {

const PanelButtonSkin kButtons[] = {
    {IDC_PANEL_INFORMATION, 308, 310, 309, 308, 308, "Information"},
    {IDC_PANEL_FILE_LIST, 288, 290, 289, 288, 288, "File List"},
    {IDC_PANEL_REWIND, 206, 208, 207, 206, 206, "Rewind"},
    {IDC_PANEL_FORWARD, 191, 193, 192, 191, 191, "Forward"},
    {IDC_PANEL_PLAY, 200, 202, 201, 200, 200, "Play"},
    {IDC_PANEL_PREVIOUS, 203, 205, 204, 203, 203, "Prev"},
    {IDC_PANEL_NEXT, 194, 196, 195, 194, 194, "Next"},
    {IDC_PANEL_MUTE, 303, 305, 304, 303, 303, "Volume"},
};

// The mute button's images; the toggle and the volume drag show the pressed image when disabled,
// the layout the normal one.
struct MuteLook {
  int normal, pressed, hover, disabled, focus;
};
constexpr MuteLook kMuted{300, 302, 301, 302, 300};
constexpr MuteLook kUnmuted{303, 305, 304, 305, 303};
constexpr MuteLook kLayoutMuted{300, 302, 301, 300, 300};
constexpr MuteLook kLayoutUnmuted{303, 305, 304, 303, 303};

void ApplyMuteLook(CSovSkinButton* button, bool muted, const MuteLook& look) {
  button->SetCheck(muted);
  button->SetBitmaps(look.normal, look.pressed, look.hover, look.disabled, look.focus);
  button->update();
}

}  // namespace

CControlPanelDlg::CControlPanelDlg(PanelHost* host, AudioOutput* audio, QWidget* parent)
    : CPanelDialog(kControlPanelTemplate, host, parent), audio_(audio) {
  CreateControls();
  OnInitDialog();
}

void CControlPanelDlg::CreateControls() {
  positionSlider_ = new CSovImageSlider(IDC_PANEL_POSITION_SLIDER, this);
  rewindButton_ = new CSovSkinButton(IDC_PANEL_REWIND, ButtonKind::Push, this);
  forwardButton_ = new CSovSkinButton(IDC_PANEL_FORWARD, ButtonKind::Push, this);
  playButton_ = new CSovSkinButton(IDC_PANEL_PLAY, ButtonKind::Push, this);
  previousButton_ = new CSovSkinButton(IDC_PANEL_PREVIOUS, ButtonKind::Push, this);
  nextButton_ = new CSovSkinButton(IDC_PANEL_NEXT, ButtonKind::Push, this);
  muteButton_ = new CSovSkinButton(IDC_PANEL_MUTE, ButtonKind::Check, this);
  volumeSlider_ = new CSovImageSlider(IDC_PANEL_VOLUME_SLIDER, this);
  informationButton_ = new CSovSkinButton(IDC_PANEL_INFORMATION, ButtonKind::Push, this);
  elapsedLabel_ = new CSovStaticTrans(IDC_PANEL_ELAPSED_LABEL, this);
  durationLabel_ = new CSovStaticTrans(IDC_PANEL_DURATION_LABEL, this);
  fileListButton_ = new CSovSkinButton(IDC_PANEL_FILE_LIST, ButtonKind::Check, this);

  for (CSovSkinButton* button : findChildren<CSovSkinButton*>(Qt::FindDirectChildrenOnly)) {
    const int id = button->objectName().toInt();
    connect(button, &CSovSkinButton::clicked, this, [this, id] { OnCommand(id); });
  }
  for (CSovImageSlider* slider : {positionSlider_, volumeSlider_}) {
    const int id = slider->objectName().toInt();
    connect(slider, &CSovImageSlider::hScroll, this,
            [this, id](int code, int position) { OnHScroll(id, code, position); });
  }
}

void CControlPanelDlg::OnInitDialog() {
  resize(width(), kHeight);
  strip_ = QPixmap::fromImage(skin::LoadSkinBitmap(IDB_PANEL_STRIP));
  ApplyButtonSkins(kButtons);
  // Below the visible strip until the first layout.
  positionSlider_->setGeometry(39, 477, 371, 20);
  positionSlider_->SetBitmaps(IDB_POSITION_CHANNEL, IDB_POSITION_FILL, IDB_POSITION_THUMB,
                              IDB_POSITION_THUMB, IDB_POSITION_THUMB);
  positionSlider_->SetWheelEnabled(false);
  // The volume keeps the slider's own range 0..100, one step more than the window's 0..99.
  volumeSlider_->SetBitmaps(IDB_VOLUME_CHANNEL, IDB_VOLUME_FILL, IDB_VOLUME_THUMB, IDB_VOLUME_THUMB,
                            IDB_VOLUME_THUMB);
  volumeSlider_->SetWheelEnabled(false);
  for (CSovStaticTrans* label : {elapsedLabel_, durationLabel_}) {
    label->textColour = QColor(33, 34, 36);
    label->RefreshBackground();
    label->SetBackgroundImage(IDB_PANEL_TIME_LABEL);
    label->bkColour.reset();
    // "00:00:00" fits inside the rounded ends of its 50 x 15 background only a size smaller.
    label->SetFontHeight(14);
    label->SetAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->SetWindowText(QStringLiteral("00:00:00"));
  }
}

void CControlPanelDlg::SetFileListPanel(CControlFileListDlg* panel) { fileListPanel_ = panel; }

void CControlPanelDlg::LayoutControls() {
  const int w = width();
  const int h = height();
  auto place = [](QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(x, y, width, height);
    control->update();
  };
  place(informationButton_, w - 93, h - 36, 36, 28);
  place(fileListButton_, w - 57, h - 36, 37, 28);
  place(rewindButton_, w - 550, h - 36, 36, 28);
  place(forwardButton_, w - 514, h - 36, 37, 28);
  place(playButton_, w - 465, h - 36, 37, 28);
  place(previousButton_, w - 416, h - 36, 36, 28);
  place(nextButton_, w - 380, h - 36, 37, 28);
  place(muteButton_, w - 319, h - 32, 22, 16);
  place(positionSlider_, 20, h - 39, w - 599, 20);
  place(volumeSlider_, w - 291, h - 31, 181, 15);
  // The images the bar's sliders keep from now on; decoding them again on every show of the bar
  // would give the same images.
  if (!barImagesSet_) {
    positionSlider_->SetBitmaps(IDB_PANEL_POSITION_CHANNEL, IDB_PANEL_POSITION_FILL, IDB_POSITION_THUMB,
                                IDB_POSITION_THUMB, IDB_POSITION_THUMB);
    volumeSlider_->SetBitmaps(IDB_EXT_VOLUME_CHANNEL, IDB_EXT_VOLUME_FILL, IDB_VOLUME_THUMB,
                              IDB_VOLUME_THUMB, IDB_VOLUME_THUMB);
    barImagesSet_ = true;
  }
  place(elapsedLabel_, 20, h - 19, 50, 15);
  place(durationLabel_, w - 628, h - 19, 50, 15);

  PanelHost* host = Host();
  if (!host) return;
  CSovImageSlider* windowVolume = host->Slider(IDC_VOLUME_SLIDER);
  CSovSkinButton* windowMute = host->Button(IDC_MUTE);
  const int v = windowVolume ? windowVolume->GetPos() : volumeSlider_->GetPos();
  volumeSlider_->SetPos(v, true);
  const bool muted = windowMute && windowMute->GetCheck();
  SetVolumeWord(muted ? 0 : AudioOutput::WordForStep(v));
  SetLayoutMuteLook(muted);
}

void CControlPanelDlg::OnCommand(int id) {
  if (id == IDC_PANEL_MUTE) {
    OnMuteToggle();
    return;
  }
  PanelHost* host = Host();
  if (!host) return;
  switch (id) {
    case IDC_PANEL_REWIND: host->OnRewind(); break;
    case IDC_PANEL_FORWARD: host->OnForward(); break;
    case IDC_PANEL_PLAY: host->PlayPause(); break;
    case IDC_PANEL_PREVIOUS: host->PlayPrevious(); break;
    case IDC_PANEL_NEXT: host->PlayNext(); break;
    case IDC_PANEL_INFORMATION: host->OnInformation(); break;
    case IDC_PANEL_FILE_LIST: OnFileListToggle(); break;
    default: break;
  }
}

void CControlPanelDlg::OnMuteToggle() {
  PanelHost* host = Host();
  if (muteButton_->GetCheck()) {
    SetVolumeWord(0);
    SetMuteLook(true);
    if (host) host->SetMuteLook(true);
    return;
  }
  const int v = volumeSlider_->GetPos();
  SetVolumeWord(AudioOutput::WordForStep(v));
  SetMuteLook(false);
  if (!host) return;
  if (CSovImageSlider* windowVolume = host->Slider(IDC_VOLUME_SLIDER)) windowVolume->SetPos(v, true);
  host->SetMuteLook(false);
}

void CControlPanelDlg::OnHScroll(int sliderId, int code, int position) {
  PanelHost* host = Host();
  if (!host) return;
  // The position the notification carries, not the slider's live one: a tick may have moved the
  // thumb between the user's move and this queued notice.
  if (sliderId == IDC_PANEL_POSITION_SLIDER) {
    // A press and every move of a drag seek at once; line steps, Home and End, and the closing
    // position of a drag (already sought by its last move) do not.
    if (code != TB_PAGEUP && code != TB_PAGEDOWN && code != TB_THUMBTRACK) return;
    host->SeekTo(position);
    if (CSovImageSlider* windowPosition = host->Slider(IDC_POSITION_SLIDER)) windowPosition->SetPos(position, true);
    host->PositionTick();
    return;
  }
  if (sliderId == IDC_PANEL_VOLUME_SLIDER) {
    if (code < TB_PAGEUP || code > TB_THUMBTRACK) return;
    // The window's slider keeps the value within its own 0..99.
    if (CSovImageSlider* windowVolume = host->Slider(IDC_VOLUME_SLIDER)) windowVolume->SetPos(position, true);
    const bool muted = position <= 0;
    SetMuteLook(muted);
    host->SetMuteLook(muted);
    SetVolumeWord(AudioOutput::WordForStep(position));
  }
}

void CControlPanelDlg::OnFileListToggle() {
  if (!fileListPanel_) return;
  if (!fileListButton_->GetCheck()) {
    fileListButton_->SetCheck(false);
    fileListPanel_->hide();
    return;
  }
  fileListButton_->SetCheck(true);
  if (fileListPanel_->isVisible()) return;
  // Right edges aligned and the list's bottom on this bar's top.
  QWidget* listParent = fileListPanel_->parentWidget();
  const QPoint barTopRight = mapTo(window(), QPoint(width(), 0));
  QPoint topLeft(barTopRight.x() - CControlFileListDlg::kWidth, barTopRight.y() - CControlFileListDlg::kHeight);
  if (listParent) topLeft = listParent->mapFrom(window(), topLeft);
  fileListPanel_->setGeometry(QRect(topLeft, QSize(CControlFileListDlg::kWidth, CControlFileListDlg::kHeight)));
  fileListPanel_->raise();
  fileListPanel_->show();
}

void CControlPanelDlg::SetPositionRange(qint64 durationMs) {
  positionSlider_->SetRange(0, int(std::clamp<qint64>(durationMs, 0, INT_MAX)));
}

void CControlPanelDlg::SetPosition(qint64 positionMs, bool evenWhileDragging) {
  if (positionSlider_->dragging() && !evenWhileDragging) return;
  positionSlider_->SetPos(int(std::clamp<qint64>(positionMs, INT_MIN, INT_MAX)), true);
}

void CControlPanelDlg::SetElapsedText(const QString& text) {
  elapsedLabel_->SetWindowText(text);
  elapsedLabel_->update();
}

void CControlPanelDlg::SetDurationText(const QString& text) {
  durationLabel_->SetWindowText(text);
  durationLabel_->update();
}

void CControlPanelDlg::SetPlayLook(bool pause) {
  if (pause) {
    playButton_->SetBitmaps(IDB_PAUSE, IDB_PAUSE + 2, IDB_PAUSE + 1, IDB_PAUSE, IDB_PAUSE);
    playButton_->SetToolTipText(QStringLiteral("Pause"));
  } else {
    playButton_->SetBitmaps(IDB_PLAY, IDB_PLAY + 2, IDB_PLAY + 1, IDB_PLAY, IDB_PLAY);
    playButton_->SetToolTipText(QStringLiteral("Play"));
  }
  playButton_->update();
}

void CControlPanelDlg::SetMuteLook(bool muted) { ApplyMuteLook(muteButton_, muted, muted ? kMuted : kUnmuted); }

void CControlPanelDlg::SetLayoutMuteLook(bool muted) {
  ApplyMuteLook(muteButton_, muted, muted ? kLayoutMuted : kLayoutUnmuted);
}

void CControlPanelDlg::SetUpVolume(int position) {
  volumeSlider_->setEnabled(true);
  volumeSlider_->SetPos(position, true);
  muteButton_->setEnabled(true);
  SetMuteLook(false);
}

void CControlPanelDlg::SetTransportEnabled(bool enabled) {
  positionSlider_->setEnabled(enabled);
  for (CSovSkinButton* button : {rewindButton_, forwardButton_, playButton_, previousButton_, nextButton_})
    button->setEnabled(enabled);
}

void CControlPanelDlg::SetFileListChecked(bool checked) { fileListButton_->SetCheck(checked); }

void CControlPanelDlg::SetVolumeWord(quint32 word) {
  if (audio_) audio_->SetVolume(word);
}

CSovSkinButton* CControlPanelDlg::Button(int id) const {
  return findChild<CSovSkinButton*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

CSovImageSlider* CControlPanelDlg::Slider(int id) const {
  return findChild<CSovImageSlider*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

CSovStaticTrans* CControlPanelDlg::Label(int id) const {
  return findChild<CSovStaticTrans*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

void CControlPanelDlg::DrawBackground(QPainter& painter) {
  // The strip at its own height along the bottom edge, stretched to the width.
  painter.drawPixmap(QRect(0, height() - strip_.height(), width(), strip_.height()), strip_);
}
