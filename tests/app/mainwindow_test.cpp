// The main window's composition, start-up and control states, and its transport on the sample card.
#include "appfixture.h"

#include "configlistctrl.h"
#include "imageslider.h"
#include "platformservices.h"
#include "playgraph.h"
#include "recordinglists.h"
#include "recordingmodel.h"
#include "registry.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"
#include "transportcontroller.h"
#include "uilanguage.h"
#include "videoplayer.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ids;

namespace {

const QString kAppPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TAVRORoadcask.exe");

// Every control whose enabled state the window manages or leaves alone.
const int kManaged[] = {IDC_MINIMIZE,     IDC_CLOSE,       IDC_INFORMATION,    IDC_REWIND,        IDC_FORWARD,
                        IDC_PLAY,         IDC_PREVIOUS,    IDC_NEXT,           IDC_FLIP_VERTICAL, IDC_CAPTURE,
                        IDC_EXTEND,       IDC_FOLDER,      IDC_CALENDAR,       IDC_SAVE,          IDC_DELETE,
                        IDC_CHECK_ALL,    IDC_TYPE_ALL,    IDC_TYPE_NORMAL,    IDC_TYPE_EVENT,    IDC_TYPE_MOTION,
                        IDC_MAP_LARGER,   IDC_MAP_SHOW,    IDC_MUTE,           IDC_FLIP_HORIZONTAL, IDC_VIEW_FRONT,
                        IDC_VIEW_REAR,    IDC_VIEW_BOTH,   IDC_POSITION_SLIDER, IDC_SPEED_SLIDER, IDC_VOLUME_SLIDER,
                        IDC_BRIGHTNESS_SLIDER};

QSet<int> EnabledControls(const CTavroPlayerDlg& w) {
  QSet<int> enabled;
  for (int id : kManaged) {
    QWidget* c = w.findChild<QWidget*>(ControlName(id));
    if (c && c->isEnabled()) enabled.insert(id);
  }
  return enabled;
}

// The rows of the sample card listed in the window, and which of them have one or two cameras.
struct CardRows {
  int oneCamera = -1;
  int twoCameras = -1;
};

CardRows ListSampleCard(MainWindowFixture& f) {
  const QString root = f.AddCard(SampleCard(), "QX5");
  f.AnswerDriveWith(root);
  EXPECT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
  CardRows rows;
  CConfigListCtrl* list = f.window->RecordingList();
  for (int row = 0; row < list->GetItemCount() && (rows.oneCamera < 0 || rows.twoCameras < 0); ++row) {
    if (!f.window->Player().Open(list->GetItemText(row, 4))) continue;
    const int streams = f.window->Player().PlayGraph()->VideoStreamCount();
    if (streams == 1 && rows.oneCamera < 0) rows.oneCamera = row;
    if (streams == 2 && rows.twoCameras < 0) rows.twoCameras = row;
  }
  f.window->Player().Close();
  return rows;
}

}  // namespace

TEST(MainWindow, StartsAsTheSkinnedWindowWithEveryControlInPlace) {
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  EXPECT_EQ(f.window->windowTitle(), QString("TAVRO Roadcask QX5"));
  EXPECT_EQ(f.window->size(), QSize(1022, 682));
  EXPECT_TRUE(f.window->windowFlags() & Qt::FramelessWindowHint);
  const struct {
    int id;
    QRect rect;
  } placed[] = {{IDC_PLAY, {535, 475, 37, 28}},          {IDC_CLOSE, {973, 12, 37, 28}},
                {IDC_TYPE_MOTION, {938, 78, 82, 29}},    {IDC_POSITION_SLIDER, {30, 474, 391, 20}},
                {IDC_DURATION_LABEL, {364, 494, 50, 13}}, {IDC_MAP_SHOW, {973, 639, 37, 22}}};
  for (const auto& p : placed) {
    QWidget* c = f.window->findChild<QWidget*>(ControlName(p.id));
    ASSERT_TRUE(c) << p.id;
    EXPECT_EQ(c->geometry(), p.rect) << p.id;
  }
  for (int id : kManaged) EXPECT_TRUE(f.window->findChild<QWidget*>(ControlName(id))) << id;
  EXPECT_EQ(f.window->Label(IDC_ELAPSED_LABEL)->GetWindowText(), QString("00:00:00"));
  EXPECT_EQ(f.window->Slider(IDC_SPEED_SLIDER)->GetPos(), 5);
  EXPECT_EQ(f.window->Slider(IDC_BRIGHTNESS_SLIDER)->GetRangeMin(), -150);
}

TEST(MainWindow, UiLanguageIsTheStoredChoiceOrTheSystemsWhenTheTableHasIt) {
  const QLocale english(QLocale::English), korean(QLocale::Korean), german(QLocale::German), russian(QLocale::Russian);
  const struct {
    const char* installer;  // the App Paths value; null: no key at all
    int user;               // stored by --language; 0: none
    QLocale system;
    QString expectedTitle;
  } cases[] = {
      {nullptr, 0, english, "Select Drive"},     {nullptr, 0, korean, "드라이브 선택"},
      {nullptr, 0, german, "드라이브 선택"},       {nullptr, 0, russian, "Выбор диска"},
      {"1033", 0, korean, "Select Drive"},       {"1042", 0, english, "드라이브 선택"},
      {"2052", 0, english, "Select Drive"},      {"garbage", 0, german, "드라이브 선택"},
      {"1033", 1042, english, "드라이브 선택"},   {nullptr, 1033, korean, "Select Drive"},
  };
  const QLocale pinned;
  for (const auto& c : cases) {
    MainWindowFixture f;
    if (c.installer) {
      RegistryKey::Create(f.services->Registry(), RegistryRoot::LocalMachine, kAppPaths)->SetString("language", c.installer);
    }
    if (c.user) {
      ASSERT_TRUE(StoreUiLanguage(f.services->Registry(), c.user));
    }
    QLocale::setDefault(c.system);
    ASSERT_TRUE(f.window->OnInitDialog());
    QLocale::setDefault(pinned);
    EXPECT_EQ(f.window->LoadUiString(IDS_SELECT_DRIVE_TITLE), c.expectedTitle)
        << (c.installer ? c.installer : "none") << " " << c.user << " " << c.system.name().toStdString();
  }
}

TEST(MainWindow, ControlStatesWithoutACardAndWithoutASoundDevice) {
  MainWindowFixture f(AudioOutput::Presence::Absent);
  ASSERT_TRUE(f.window->OnInitDialog());
  const QSet<int> expected = {IDC_MINIMIZE,    IDC_CLOSE,      IDC_INFORMATION, IDC_EXTEND,     IDC_FOLDER,
                              IDC_CHECK_ALL,   IDC_TYPE_ALL,   IDC_TYPE_NORMAL, IDC_TYPE_EVENT, IDC_TYPE_MOTION,
                              IDC_SPEED_SLIDER, IDC_BRIGHTNESS_SLIDER};
  EXPECT_EQ(EnabledControls(*f.window), expected);
  // No output device: the volume shows muted and cannot be used.
  EXPECT_EQ(f.window->Slider(IDC_VOLUME_SLIDER)->GetPos(), 0);
  EXPECT_TRUE(f.window->Button(IDC_MUTE)->GetCheck());
}

TEST(MainWindow, ControlStatesFollowTheRecordingLifecycleAndTheStreamCount) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  MainWindowFixture f(AudioOutput::Presence::Present);
  ASSERT_TRUE(f.window->OnInitDialog());
  const CardRows rows = ListSampleCard(f);
  ASSERT_GE(rows.oneCamera, 0);
  ASSERT_GE(rows.twoCameras, 0);

  const QSet<int> always = {IDC_MINIMIZE,    IDC_CLOSE,      IDC_INFORMATION, IDC_EXTEND,       IDC_FOLDER,
                            IDC_CHECK_ALL,   IDC_TYPE_ALL,   IDC_TYPE_NORMAL, IDC_TYPE_EVENT,   IDC_TYPE_MOTION,
                            IDC_SPEED_SLIDER, IDC_BRIGHTNESS_SLIDER, IDC_VOLUME_SLIDER, IDC_MUTE};
  const QSet<int> listed = always + QSet<int>{IDC_CALENDAR, IDC_SAVE, IDC_DELETE};
  const QSet<int> opened = listed + QSet<int>{IDC_POSITION_SLIDER, IDC_VIEW_FRONT, IDC_CAPTURE, IDC_REWIND,
                                              IDC_FORWARD, IDC_PLAY, IDC_PREVIOUS, IDC_NEXT,
                                              IDC_MAP_LARGER, IDC_MAP_SHOW};
  const QSet<int> twoCameraOnly = {IDC_VIEW_REAR, IDC_VIEW_BOTH, IDC_FLIP_VERTICAL, IDC_FLIP_HORIZONTAL};

  EXPECT_EQ(EnabledControls(*f.window), listed);
  struct Case {
    int row;
    QSet<int> expected;
  };
  for (const Case& c : {Case{rows.oneCamera, opened}, Case{rows.twoCameras, opened + twoCameraOnly}}) {
    f.window->Lists().SetCurrent(c.row);
    ASSERT_TRUE(f.window->OpenRecording(f.window->RecordingList()->GetItemText(c.row, 4)));
    EXPECT_EQ(EnabledControls(*f.window), c.expected) << "row " << c.row;
  }
  f.window->StopAndReset();
  EXPECT_EQ(EnabledControls(*f.window), listed);
}

TEST(Transport, TextsAndTables) {
  const struct {
    qint64 ms;
    const char* text;
  } times[] = {{0, "00:00:00"},         {83456, "00:01:23"},       {3600000, "01:00:00"},
               {3723900, "01:02:03"},   {360000000, "100:00:00"}};
  for (const auto& t : times) EXPECT_EQ(TransportController::TimeText(t.ms), QString(t.text)) << t.ms;

  const double rates[] = {1.0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.25, 1.5, 1.75, 2.0, 1.0};
  for (int position = 0; position <= 10; ++position)
    EXPECT_DOUBLE_EQ(TransportController::RateForSpeedPosition(position), rates[position]) << position;

  EXPECT_EQ(AudioOutput::WordForStep(99), 64879u * 65537u);
  EXPECT_EQ(AudioOutput::WordForStep(1), 655u * 65537u);
  EXPECT_EQ(AudioOutput::WordForStep(0), 0u);
}

TEST(Transport, VolumeSliderDrivesMuteAndTheVolumeWord) {
  MainWindowFixture f(AudioOutput::Presence::Present);
  ASSERT_TRUE(f.window->OnInitDialog());
  CSovImageSlider* volume = f.window->Slider(IDC_VOLUME_SLIDER);
  volume->SetPos(0);
  f.window->OnSliderScroll(IDC_VOLUME_SLIDER, 5, 0);
  EXPECT_TRUE(f.window->Button(IDC_MUTE)->GetCheck());
  EXPECT_EQ(f.services->Audio().GetVolume(), 0u);
  volume->SetPos(1);
  f.window->OnSliderScroll(IDC_VOLUME_SLIDER, 5, 1);
  EXPECT_FALSE(f.window->Button(IDC_MUTE)->GetCheck());
  EXPECT_EQ(f.services->Audio().GetVolume(), 655u * 65537u);
  // Muting by the button silences; unmuting restores the slider's volume.
  f.window->Button(IDC_MUTE)->SetCheck(true);
  f.window->ToggleMute();
  EXPECT_EQ(f.services->Audio().GetVolume(), 0u);
  f.window->Button(IDC_MUTE)->SetCheck(false);
  f.window->ToggleMute();
  EXPECT_EQ(f.services->Audio().GetVolume(), 655u * 65537u);
}

TEST(Transport, PlaysOneRecordingAfterAnotherAndResetsAfterTheLast) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  ListSampleCard(f);
  CConfigListCtrl* list = f.window->RecordingList();
  const int count = list->GetItemCount();
  ASSERT_GE(count, 2);

  // Page Down with nothing loaded plays the first row; Page Up then does nothing.
  f.window->PlayNext();
  EXPECT_EQ(f.window->CurrentIndex(), 0);
  EXPECT_TRUE(f.window->TimerRunning());
  EXPECT_EQ(f.window->Player().PlayGraph()->State(), PlayState::Running);
  f.window->PlayPrevious();
  EXPECT_EQ(f.window->CurrentIndex(), 0);

  // At the end of a row the next tick plays the following row.
  f.window->Player().SeekTo(f.window->Player().GetDurationMs());
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.window->CurrentIndex() == 1; }, 15000));
  EXPECT_EQ(list->GetFirstSelectedItem(), 1);

  // After the last row the window returns to the listed state.
  f.window->Lists().SetCurrent(count - 1);
  f.window->PlayNext();
  EXPECT_EQ(f.window->CurrentIndex(), -1);
  EXPECT_FALSE(f.window->TimerRunning());
  EXPECT_FALSE(f.window->Player().PlayGraph());
  EXPECT_EQ(f.window->Label(IDC_DURATION_LABEL)->GetWindowText(), QString("00:00:00"));
  EXPECT_EQ(f.window->Slider(IDC_POSITION_SLIDER)->GetPos(), 0);
  EXPECT_EQ(f.window->CurrentControlState(), CTavroPlayerDlg::Listed);
}

TEST(Transport, PlayPauseAppliesTheSpeedOnResumeAndRewindStopsAtZero) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  ListSampleCard(f);
  f.window->RecordingList()->SelectItem(0);
  f.window->PlayPause();
  CVideoPlayer& player = f.window->Player();
  ASSERT_TRUE(player.PlayGraph());
  EXPECT_EQ(player.PlayGraph()->State(), PlayState::Running);
  f.window->PlayPause();
  EXPECT_EQ(player.PlayGraph()->State(), PlayState::Paused);

  // Speed 1 while paused: the resume asks for 0.2, which the engine plays at 0.5.
  f.window->Slider(IDC_SPEED_SLIDER)->SetPos(1);
  f.window->OnSliderScroll(IDC_SPEED_SLIDER, 5, 1);
  f.window->PlayPause();
  EXPECT_EQ(player.PlayGraph()->State(), PlayState::Running);
  EXPECT_DOUBLE_EQ(player.PlayGraph()->Rate(), 0.5);

  f.window->PlayPause();
  player.SeekTo(400);
  f.window->OnRewind();
  EXPECT_EQ(player.GetPositionMs(), 0);
  EXPECT_EQ(f.window->Label(IDC_ELAPSED_LABEL)->GetWindowText(), QString("00:00:00"));
}

TEST(Transport, AnUnplayableRecordingIsSkippedWithANotice) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  QTemporaryDir folder;
  // Row 0 is not a media file; row 1 is a real recording.
  QFile broken(folder.filePath("20200101_000000_NOR_1F.AVI"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write(QByteArray(4096, 'x'));
  broken.close();
  const QStringList real = QDir(SampleCard() + "/Recordings").entryList({"*.AVI"}, QDir::Files, QDir::Name);
  ASSERT_FALSE(real.isEmpty());
  ASSERT_TRUE(QFile::copy(SampleCard() + "/Recordings/" + real.first(), folder.filePath("20200101_000100_NOR_1F.AVI")));

  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  ASSERT_TRUE(f.Listed([&] { f.window->ListFolderMode(folder.path()); }));
  ASSERT_EQ(f.window->RecordingList()->GetItemCount(), 2);
  f.window->PlayRow(0);
  // The next recording is tried from the event loop.
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.window->CurrentIndex() == 1 && f.window->Player().PlayGraph(); }, 15000));
  EXPECT_EQ(f.window->Player().PlayGraph()->State(), PlayState::Running);
  ASSERT_EQ(f.notices.size(), 1);
  EXPECT_TRUE(f.notices.first().contains("20200101_000000_NOR_1F.AVI"));
}
