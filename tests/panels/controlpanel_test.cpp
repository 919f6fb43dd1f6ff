// The transport bar: its layout, its buttons reaching the window's commands, the seek and the
// volume from its sliders, mute both ways, the play look, and Page Up / Page Down from its controls.
#include "audiooutput.h"
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "controltopdlg.h"
#include "configlistctrl.h"
#include "extendedviewbars.h"
#include "imageslider.h"
#include "paneltestsupport.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"
#include "statictrans.h"

#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

using namespace ids;
using paneltest::Deliver;
using paneltest::MoveTo;

namespace {

// The bar's layout for a client width W (height 44).
struct Placement {
  int id;
  std::function<QRect(int w)> rect;
};

const std::vector<Placement> kPanelLayout = {
    {IDC_PANEL_INFORMATION, [](int w) { return QRect(w - 93, 8, 36, 28); }},
    {IDC_PANEL_FILE_LIST, [](int w) { return QRect(w - 57, 8, 37, 28); }},
    {IDC_PANEL_REWIND, [](int w) { return QRect(w - 550, 8, 36, 28); }},
    {IDC_PANEL_FORWARD, [](int w) { return QRect(w - 514, 8, 37, 28); }},
    {IDC_PANEL_PLAY, [](int w) { return QRect(w - 465, 8, 37, 28); }},
    {IDC_PANEL_PREVIOUS, [](int w) { return QRect(w - 416, 8, 36, 28); }},
    {IDC_PANEL_NEXT, [](int w) { return QRect(w - 380, 8, 37, 28); }},
    {IDC_PANEL_MUTE, [](int w) { return QRect(w - 319, 12, 22, 16); }},
    {IDC_PANEL_POSITION_SLIDER, [](int w) { return QRect(20, 5, w - 599, 20); }},
    {IDC_PANEL_VOLUME_SLIDER, [](int w) { return QRect(w - 291, 13, 181, 15); }},
    {IDC_PANEL_ELAPSED_LABEL, [](int) { return QRect(20, 25, 50, 15); }},
    // Ends where the position slider ends.
    {IDC_PANEL_DURATION_LABEL, [](int w) { return QRect(w - 628, 25, 50, 15); }},
};

// Whether the button shows skin images normal, pressed (held down) and disabled in those states.
// Its check state is left as it was.
void ExpectLook(CSovSkinButton* button, int normal, int pressed, int disabled) {
  auto shows = [button](int id) {
    return button->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
           skin::LoadSkinBitmap(id).convertToFormat(QImage::Format_RGB32);
  };
  const bool checked = button->GetCheck();
  button->setChecked(false);
  EXPECT_TRUE(shows(normal)) << normal;
  button->setDown(true);
  EXPECT_TRUE(shows(pressed)) << pressed;
  button->setDown(false);
  button->setEnabled(false);
  EXPECT_TRUE(shows(disabled)) << disabled;
  button->setEnabled(true);
  button->setChecked(checked);
}

class ControlPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(1280, 720);
    ASSERT_TRUE(paneltest::ShowActive(window));
    paneltest::ParkMouse(window);
    window.EnterExtended();
    MoveTo(window, {640, 700});
    ASSERT_TRUE(panel->isVisible());
    window.calls.clear();
  }

  QWidget* Control(int id) const { return panel->findChild<QWidget*>(ControlName(id)); }
  CSovImageSlider* PanelSlider(int id) const { return panel->Slider(id); }
  CSovImageSlider* WindowSlider(int id) const { return window.Slider(id); }
  bool WindowMuted() const { return window.Button(IDC_MUTE)->GetCheck(); }
  bool PanelMuted() const { return panel->Button(IDC_PANEL_MUTE)->GetCheck(); }
  quint32 Word() const { return audio.GetVolume().value_or(0xDEADBEEF); }

  AudioOutput audio{AudioOutput::Presence::Present};
  FakeWindow window{&audio};
  CControlPanelDlg* panel = window.ControlPanel();
};

TEST_F(ControlPanelTest, LayoutFollowsTheWidth) {
  for (int width : {1920, 1280}) {
    panel->setGeometry(0, 0, width, CControlPanelDlg::kHeight);
    panel->LayoutControls();
    for (const Placement& p : kPanelLayout) EXPECT_EQ(Control(p.id)->geometry(), p.rect(width)) << p.id << " at " << width;
  }
}

TEST_F(ControlPanelTest, EveryButtonRunsTheWindowsCommand) {
  struct Case {
    int id;
    const char* call;
  };
  for (const Case& c : {Case{IDC_PANEL_REWIND, "OnRewind"}, Case{IDC_PANEL_FORWARD, "OnForward"},
                        Case{IDC_PANEL_PLAY, "PlayPause"}, Case{IDC_PANEL_PREVIOUS, "PlayPrevious"},
                        Case{IDC_PANEL_NEXT, "PlayNext"}, Case{IDC_PANEL_INFORMATION, "OnInformation"}}) {
    window.calls.clear();
    QTest::mouseClick(panel->Button(c.id), Qt::LeftButton);
    EXPECT_EQ(window.calls, QStringList{c.call}) << c.id;
  }
}

TEST_F(ControlPanelTest, EveryPressAndMoveOfADragSeeksButNotItsEndNorTheKeys) {
  panel->SetPositionRange(600000);
  WindowSlider(IDC_POSITION_SLIDER)->SetRange(0, 600000);
  CSovImageSlider* slider = PanelSlider(IDC_PANEL_POSITION_SLIDER);
  const int y = slider->height() / 2;
  std::vector<int> seeks;
  auto expectSeeksTo = [&](int position) {
    Deliver();
    EXPECT_EQ(window.calls, (QStringList{QStringLiteral("SeekTo(%1)").arg(position), "PositionTick"}));
    EXPECT_EQ(WindowSlider(IDC_POSITION_SLIDER)->GetPos(), position);
    seeks.push_back(position);
    window.calls.clear();
  };

  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(100, y));
  expectSeeksTo(slider->GetPos());
  QTest::mouseMove(slider, QPoint(200, y));
  expectSeeksTo(slider->GetPos());
  QTest::mouseMove(slider, QPoint(340, y));
  expectSeeksTo(slider->GetPos());
  // Released where the last move was: the closing position seeks nothing more.
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(340, y));
  Deliver();
  EXPECT_TRUE(window.calls.isEmpty());
  EXPECT_EQ(seeks.size(), 3u);
  EXPECT_LT(seeks[0], seeks[1]);
  EXPECT_LT(seeks[1], seeks[2]);

  // Line steps, Home and End move the thumb but never seek.
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End}) {
    QTest::keyClick(slider, key);
    Deliver();
    EXPECT_TRUE(window.calls.isEmpty()) << key;
  }
  EXPECT_EQ(slider->GetPos(), 600000);  // End went there, without a seek
}

TEST_F(ControlPanelTest, TheTickLeavesTheThumbUnderTheMouseWhileItIsDragged) {
  panel->SetPositionRange(600000);
  CSovImageSlider* slider = PanelSlider(IDC_PANEL_POSITION_SLIDER);
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(300, slider->height() / 2));
  const int dragged = slider->GetPos();
  panel->SetPosition(1000, false);
  EXPECT_EQ(slider->GetPos(), dragged);
  panel->SetPosition(1000, true);  // a reset moves it all the same
  EXPECT_EQ(slider->GetPos(), 1000);
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(300, slider->height() / 2));
  panel->SetPosition(2000, false);
  EXPECT_EQ(slider->GetPos(), 2000);
}

// Volume slider 181 wide with an 11-pixel thumb: x 5 is 0, x 7 is 1, x 180 is 100.
TEST_F(ControlPanelTest, DraggingTheVolumeSetsTheWordAndBothMuteButtonsAndTheWindowsSlider) {
  CSovImageSlider* slider = PanelSlider(IDC_PANEL_VOLUME_SLIDER);
  const int y = slider->height() / 2;
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(90, y));
  Deliver();
  ASSERT_GT(slider->GetPos(), 0);

  struct Case {
    int x;
    int panelPosition;
    int windowPosition;
    bool muted;
    quint32 word;
  };
  for (const Case& c : {Case{5, 0, 0, true, 0u}, Case{7, 1, 1, false, 655u * 65537u},
                        Case{180, 100, 99, false, 0xFFFFFFFFu}, Case{5, 0, 0, true, 0u}}) {
    window.calls.clear();
    QTest::mouseMove(slider, QPoint(c.x, y));
    Deliver();
    EXPECT_EQ(slider->GetPos(), c.panelPosition) << c.x;
    EXPECT_EQ(WindowSlider(IDC_VOLUME_SLIDER)->GetPos(), c.windowPosition) << c.x;
    EXPECT_EQ(PanelMuted(), c.muted) << c.x;
    EXPECT_EQ(WindowMuted(), c.muted) << c.x;
    EXPECT_EQ(Word(), c.word) << c.x;
    EXPECT_EQ(window.calls, QStringList{QStringLiteral("SetMuteLook(%1)").arg(int(c.muted))}) << c.x;
  }
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(5, y));
}

TEST_F(ControlPanelTest, KeysAndTheWheelOnTheVolumeSliderLeaveTheSoundAlone) {
  CSovImageSlider* slider = PanelSlider(IDC_PANEL_VOLUME_SLIDER);
  slider->SetPos(40);
  audio.SetVolume(AudioOutput::WordForStep(40));
  WindowSlider(IDC_VOLUME_SLIDER)->SetPos(40);
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Home, Qt::Key_End}) {
    QTest::keyClick(slider, key);
    Deliver();
  }
  EXPECT_EQ(slider->GetPos(), 100);  // End moved it
  EXPECT_EQ(Word(), AudioOutput::WordForStep(40));
  EXPECT_EQ(WindowSlider(IDC_VOLUME_SLIDER)->GetPos(), 40);
  EXPECT_FALSE(PanelMuted());
  EXPECT_TRUE(window.calls.isEmpty());

  for (int id : {IDC_PANEL_VOLUME_SLIDER, IDC_PANEL_POSITION_SLIDER}) {
    CSovImageSlider* s = PanelSlider(id);
    const int before = s->GetPos();
    QWheelEvent wheel(QPointF(5, 5), s->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(s, &wheel);
    Deliver();
    EXPECT_EQ(s->GetPos(), before) << id;
  }
  EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(ControlPanelTest, MuteSilencesThenRestoresThePanelsVolumeIntoTheWindow) {
  CSovSkinButton* mute = panel->Button(IDC_PANEL_MUTE);
  PanelSlider(IDC_PANEL_VOLUME_SLIDER)->SetPos(80);
  WindowSlider(IDC_VOLUME_SLIDER)->SetPos(20);

  QTest::mouseClick(mute, Qt::LeftButton);
  EXPECT_TRUE(PanelMuted());
  EXPECT_TRUE(WindowMuted());
  EXPECT_EQ(Word(), 0u);
  ExpectLook(mute, 300, 302, 302);
  EXPECT_EQ(window.calls, QStringList{"SetMuteLook(1)"});
  EXPECT_EQ(WindowSlider(IDC_VOLUME_SLIDER)->GetPos(), 20);

  window.calls.clear();
  QTest::mouseClick(mute, Qt::LeftButton);
  EXPECT_FALSE(PanelMuted());
  EXPECT_FALSE(WindowMuted());
  EXPECT_EQ(Word(), AudioOutput::WordForStep(80));
  EXPECT_EQ(WindowSlider(IDC_VOLUME_SLIDER)->GetPos(), 80);
  ExpectLook(mute, 303, 305, 305);
  EXPECT_EQ(window.calls, QStringList{"SetMuteLook(0)"});
}

TEST_F(ControlPanelTest, WithoutAWindowMuteStillActsOnTheSoundAndItsOwnButton) {
  CControlPanelDlg alone(nullptr, &audio, nullptr);
  alone.resize(1280, 44);
  alone.LayoutControls();
  alone.Slider(IDC_PANEL_VOLUME_SLIDER)->SetPos(30);
  alone.Button(IDC_PANEL_MUTE)->click();
  EXPECT_TRUE(alone.Button(IDC_PANEL_MUTE)->GetCheck());
  EXPECT_EQ(Word(), 0u);
  alone.Button(IDC_PANEL_MUTE)->click();
  EXPECT_EQ(Word(), AudioOutput::WordForStep(30));
  // The rest has nothing to act on.
  alone.Button(IDC_PANEL_FILE_LIST)->click();
  alone.Button(IDC_PANEL_PLAY)->click();
  EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(ControlPanelTest, EachShowOfTheBarTakesVolumeAndMuteFromTheWindow) {
  struct Case {
    int volume;
    bool muted;
    quint32 word;
    int normal, pressed, disabled;
  };
  // The layout's looks show the normal image when disabled.
  for (const Case& c : {Case{37, true, 0u, 300, 302, 300},
                        Case{37, false, AudioOutput::WordForStep(37), 303, 305, 303}}) {
    MoveTo(window, {640, 360});
    WindowSlider(IDC_VOLUME_SLIDER)->SetPos(c.volume);
    window.Button(IDC_MUTE)->SetCheck(c.muted);
    MoveTo(window, {640, 700});
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(PanelSlider(IDC_PANEL_VOLUME_SLIDER)->GetPos(), c.volume);
    EXPECT_EQ(PanelMuted(), c.muted);
    EXPECT_EQ(Word(), c.word);
    ExpectLook(panel->Button(IDC_PANEL_MUTE), c.normal, c.pressed, c.disabled);
  }
}

TEST_F(ControlPanelTest, PlayLookAndTooltipFollowTheWindow) {
  CSovSkinButton* play = panel->Button(IDC_PANEL_PLAY);
  EXPECT_EQ(play->toolTip(), "Play");
  ExpectLook(play, 200, 202, 200);
  panel->SetPlayLook(true);
  ExpectLook(play, 197, 199, 197);
  EXPECT_EQ(play->toolTip(), "Pause");
  panel->SetPlayLook(false);
  ExpectLook(play, 200, 202, 200);
  EXPECT_EQ(play->toolTip(), "Play");
}

TEST_F(ControlPanelTest, VolumeSetUpEnablesAndUnmutes) {
  panel->SetMuteLook(true);
  panel->Button(IDC_PANEL_MUTE)->setEnabled(false);
  PanelSlider(IDC_PANEL_VOLUME_SLIDER)->setEnabled(false);
  panel->SetUpVolume(50);
  EXPECT_EQ(PanelSlider(IDC_PANEL_VOLUME_SLIDER)->GetPos(), 50);
  EXPECT_TRUE(PanelSlider(IDC_PANEL_VOLUME_SLIDER)->isEnabled());
  EXPECT_TRUE(panel->Button(IDC_PANEL_MUTE)->isEnabled());
  EXPECT_FALSE(PanelMuted());
}

TEST_F(ControlPanelTest, TimesAndPositionAsTheWindowWritesThem) {
  EXPECT_EQ(panel->Label(IDC_PANEL_ELAPSED_LABEL)->GetWindowText(), "00:00:00");
  EXPECT_EQ(panel->Label(IDC_PANEL_DURATION_LABEL)->GetWindowText(), "00:00:00");
  panel->SetPositionRange(3723900);
  panel->SetDurationText("01:02:03");
  panel->SetElapsedText("00:10:00");
  panel->SetPosition(600000, false);
  EXPECT_EQ(panel->Label(IDC_PANEL_DURATION_LABEL)->GetWindowText(), "01:02:03");
  EXPECT_EQ(panel->Label(IDC_PANEL_ELAPSED_LABEL)->GetWindowText(), "00:10:00");
  EXPECT_EQ(PanelSlider(IDC_PANEL_POSITION_SLIDER)->GetRangeMax(), 3723900);
  EXPECT_EQ(PanelSlider(IDC_PANEL_POSITION_SLIDER)->GetPos(), 600000);
}

// Page Up and Page Down are the window's Previous and Next wherever the focus is in a panel; no
// slider or list of a panel pages with them.
TEST_F(ControlPanelTest, PageKeysReachPreviousAndNextFromAnyPanelControl) {
  window.SetRows(40);
  QTest::mouseClick(panel->Button(IDC_PANEL_FILE_LIST), Qt::LeftButton);
  MoveTo(window, {640, 10});  // still in a band: the bars stay
  ASSERT_TRUE(window.FileListPanel()->isVisible());
  ASSERT_TRUE(window.TopBar()->isVisible());
  panel->SetPositionRange(600000);
  PanelSlider(IDC_PANEL_POSITION_SLIDER)->SetPos(300000);
  PanelSlider(IDC_PANEL_VOLUME_SLIDER)->SetPos(50);

  const std::vector<QWidget*> focusable = {
      PanelSlider(IDC_PANEL_POSITION_SLIDER), PanelSlider(IDC_PANEL_VOLUME_SLIDER),
      panel->Button(IDC_PANEL_PLAY), window.TopBar()->Button(IDC_TOP_FRONT),
      window.FileListPanel()->List(), window.FileListPanel()->Button(IDC_FILES_ALL)};
  for (QWidget* control : focusable) {
    control->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control->hasFocus(); })) << control->objectName().toStdString();
    window.calls.clear();
    QTest::keyClick(control, Qt::Key_PageUp);
    QTest::keyClick(control, Qt::Key_PageDown);
    Deliver();
    EXPECT_EQ(window.calls, (QStringList{"PlayPrevious", "PlayNext"})) << control->objectName().toStdString();
  }
  EXPECT_EQ(PanelSlider(IDC_PANEL_POSITION_SLIDER)->GetPos(), 300000);
  EXPECT_EQ(PanelSlider(IDC_PANEL_VOLUME_SLIDER)->GetPos(), 50);
  EXPECT_EQ(window.FileListPanel()->List()->GetTopIndex(), 0);
}

TEST_F(ControlPanelTest, TransportEnablingFollowsTheWindow) {
  const int transport[] = {IDC_PANEL_POSITION_SLIDER, IDC_PANEL_REWIND, IDC_PANEL_FORWARD, IDC_PANEL_PLAY,
                     IDC_PANEL_PREVIOUS, IDC_PANEL_NEXT};
  for (bool enabled : {false, true}) {
    panel->SetTransportEnabled(enabled);
    for (int id : transport) EXPECT_EQ(panel->findChild<QWidget*>(ControlName(id))->isEnabled(), enabled) << id;
    // Volume, mute, Information and File List are never disabled by the state.
    for (int id : {IDC_PANEL_VOLUME_SLIDER, IDC_PANEL_MUTE, IDC_PANEL_INFORMATION, IDC_PANEL_FILE_LIST})
      EXPECT_TRUE(panel->findChild<QWidget*>(ControlName(id))->isEnabled()) << id;
  }
}

// A panel is a dialog of its own for the keyboard: what its controls leave does not reach the
// window (whose Left would rewind), except Escape, which leaves the extended view there.
TEST_F(ControlPanelTest, KeysStayInThePanelExceptEscape) {
  for (QWidget* control : std::initializer_list<QWidget*>{panel->Button(IDC_PANEL_PLAY), PanelSlider(IDC_PANEL_VOLUME_SLIDER)}) {
    window.keysReachingWindow.clear();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_A, Qt::Key_Return, Qt::Key_Escape}) QTest::keyClick(control, key);
    EXPECT_EQ(window.keysReachingWindow, QList<int>{Qt::Key_Escape}) << control->objectName().toStdString();
  }
  EXPECT_TRUE(CPanelDialog::Contains(PanelSlider(IDC_PANEL_VOLUME_SLIDER)));
  EXPECT_TRUE(CPanelDialog::Contains(window.FileListPanel()->List()));
  EXPECT_TRUE(CPanelDialog::Contains(window.TopBar()));
  EXPECT_FALSE(CPanelDialog::Contains(window.Slider(IDC_VOLUME_SLIDER)));
  EXPECT_FALSE(CPanelDialog::Contains(&window));
}

}  // namespace
