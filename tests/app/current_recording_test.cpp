// The recording in the player as the list changes around it: filters that hide it, previous and
// next from its place, the delete guard, a run of unplayable recordings, and the card going away
// while it plays.
#include "appfixture.h"

#include "configlistctrl.h"
#include "imageslider.h"
#include "maincontrols.h"
#include "playgraph.h"
#include "recordinglists.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ids;

namespace {

// A card of its own (the tests delete from it): a copy of the sample card's recordings.
struct CopiedCard {
  CopiedCard() {
    QDir().mkpath(dir.filePath("Recordings"));
    const QDir sample(SampleCard() + "/Recordings");
    for (const QString& name : sample.entryList(QDir::Files, QDir::Name)) {
      QFile::copy(sample.filePath(name), dir.filePath("Recordings/" + name));
      names << name;
    }
    root = f.AddCard(dir.path(), "QX5");
    f.AnswerDriveWith(root);
    EXPECT_TRUE(f.window->OnInitDialog());
    EXPECT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
  }
  QString Path(const QString& name) const { return dir.filePath("Recordings/" + name); }
  QString LoadedName() const { return QFileInfo(f.window->Lists().CurrentPath()).fileName(); }
  bool Playing() const {
    return f.window->Player().PlayGraph() && f.window->Player().PlayGraph()->State() == PlayState::Running;
  }

  QTemporaryDir dir;
  MainWindowFixture f;
  QString root;
  QStringList names;  // in list order
};

}  // namespace

TEST(CurrentRecording, AFilterThatHidesThePlayingRecordingKeepsItsPlaceAndItsProtection) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  CopiedCard c;
  ASSERT_EQ(c.names.size(), 12);
  const QString playing = "20261210_102852_EVT_2R.AVI";
  const int row = int(c.names.indexOf(playing));
  c.f.window->PlayRow(row);
  ASSERT_TRUE(c.Playing());
  ASSERT_EQ(c.f.window->CurrentIndex(), row);

  // Only the normal recordings: the playing event recording is not listed, and plays on.
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnTypeFilter(CTavroPlayerDlg::TypeNormal); }));
  EXPECT_EQ(c.f.window->CurrentIndex(), -1);
  EXPECT_TRUE(c.Playing());
  // Back to all: it is found again, so the played-row mark and the delete guard follow it.
  EXPECT_TRUE(c.f.Listed([&] { c.f.window->OnTypeFilter(CTavroPlayerDlg::TypeAll); }));
  EXPECT_EQ(c.f.window->CurrentIndex(), row);
  c.f.window->Lists().SetChecked(row, true);
  c.f.window->OnDelete();
  EXPECT_EQ(c.f.messages, QStringList{c.f.window->LoadUiString(IDS_PLAYING_NOT_DELETABLE)});
  EXPECT_TRUE(QFile::exists(c.Path(playing)));

  // Hidden again, next and previous go on from where it would sort among the normal recordings.
  const struct {
    bool next;
    const char* expected;
  } steps[] = {{true, "20261210_114318_NOR_1F.AVI"}, {false, "20261209_095139_NOR_1F.MP4"}};
  for (const auto& step : steps) {
    ASSERT_TRUE(c.f.Listed([&] { c.f.window->OnTypeFilter(CTavroPlayerDlg::TypeAll); }));
    c.f.window->PlayRow(row);
    ASSERT_TRUE(c.f.Listed([&] { c.f.window->OnTypeFilter(CTavroPlayerDlg::TypeNormal); }));
    ASSERT_EQ(c.f.window->CurrentIndex(), -1);
    if (step.next) c.f.window->PlayNext();
    else c.f.window->PlayPrevious();
    EXPECT_EQ(c.LoadedName(), QString(step.expected)) << (step.next ? "next" : "previous");
    EXPECT_TRUE(c.Playing());
    EXPECT_EQ(c.f.window->RecordingList()->GetItemText(c.f.window->CurrentIndex(), 0), QString(step.expected));
  }
}

TEST(CurrentRecording, ARunOfUnplayableRecordingsIsWalkedFromTheEventLoopAndToldOnce) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  const int broken = 150;
  const struct {
    bool playableAtTheEnd;
  } cases[] = {{true}, {false}};
  for (const auto& c : cases) {
    QTemporaryDir folder;
    for (int i = 0; i < broken; ++i) {
      QFile file(folder.filePath(QString("20200101_%1_NOR_1F.AVI").arg(i, 6, 10, QChar('0'))));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(QByteArray(4096, char('a' + i % 26)));
    }
    if (c.playableAtTheEnd) {
      const QStringList real = QDir(SampleCard() + "/Recordings").entryList({"*.AVI"}, QDir::Files, QDir::Name);
      ASSERT_TRUE(QFile::copy(SampleCard() + "/Recordings/" + real.first(), folder.filePath("20200102_000000_NOR_1F.AVI")));
    }
    MainWindowFixture f;
    ASSERT_TRUE(f.window->OnInitDialog());
    ASSERT_TRUE(f.Listed([&] { f.window->ListFolderMode(folder.path()); }));
    f.window->PlayRow(0);
    // The walk goes on after the command returned: nothing of it nests in the call.
    EXPECT_LT(f.window->CurrentIndex(), broken - 1);
    if (c.playableAtTheEnd) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return f.window->CurrentIndex() == broken && f.window->Player().PlayGraph(); }, 60000));
      EXPECT_EQ(f.window->Player().PlayGraph()->State(), PlayState::Running);
    } else {
      ASSERT_TRUE(QTest::qWaitFor([&] { return !f.notices.isEmpty(); }, 60000));
      EXPECT_EQ(f.window->CurrentIndex(), -1);
      EXPECT_EQ(f.window->CurrentControlState(), CTavroPlayerDlg::Listed);
    }
    QTest::qWait(50);
    ASSERT_EQ(f.notices.size(), 1);
    EXPECT_TRUE(f.notices.first().contains("20200101_000000_NOR_1F.AVI"));
    EXPECT_TRUE(f.notices.first().contains(QString("(+%1)").arg(broken - 20)));
  }
}

TEST(CurrentRecording, DraggingThePositionWhilePausedSeeksToTheNotifiedPosition) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  CopiedCard c;
  c.f.window->PlayRow(0);
  ASSERT_TRUE(c.Playing());
  c.f.window->PlayPause();
  // A tick between the move and its notice put the thumb back at the old position.
  c.f.window->Slider(IDC_POSITION_SLIDER)->SetPos(0);
  c.f.window->OnSliderScroll(IDC_POSITION_SLIDER, 5, 2000);
  EXPECT_EQ(c.f.window->Player().GetPositionMs(), 2000);
  EXPECT_EQ(c.f.window->Slider(IDC_POSITION_SLIDER)->GetPos(), 2000);
}

TEST(CurrentRecording, RemovingTheCardWhilePlayingInTheExtendedViewReturnsToTheNormalWindow) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  CopiedCard c;
  CTavroPlayerDlg& w = *c.f.window;
  w.show();
  w.PlayRow(0);
  ASSERT_TRUE(c.Playing());
  w.OnExtend();
  ASSERT_EQ(w.CurrentViewMode(), CTavroPlayerDlg::ViewExtended);
  w.Slider(IDC_SPEED_SLIDER)->SetPos(8);
  w.Slider(IDC_BRIGHTNESS_SLIDER)->SetPos(40);

  w.OnDriveRemoved(c.root);
  EXPECT_FALSE(w.Player().PlayGraph());
  EXPECT_FALSE(w.TimerRunning());
  EXPECT_EQ(w.RecordingList()->GetItemCount(), 0);
  EXPECT_EQ(w.CurrentControlState(), CTavroPlayerDlg::NoRecordings);
  EXPECT_EQ(w.CurrentViewMode(), CTavroPlayerDlg::ViewNormal);
  EXPECT_FALSE(w.isMaximized());
  EXPECT_EQ(w.size(), kNormalWindowSize);
  EXPECT_TRUE(w.RecordingList()->isVisible());
  EXPECT_EQ(w.Button(IDC_PLAY)->geometry(), QRect(535, 475, 37, 28));
  EXPECT_EQ(w.Slider(IDC_POSITION_SLIDER)->GetPos(), 0);
  EXPECT_EQ(w.Slider(IDC_SPEED_SLIDER)->GetPos(), 5);
  EXPECT_EQ(w.Slider(IDC_BRIGHTNESS_SLIDER)->GetPos(), 0);
  EXPECT_EQ(w.Label(IDC_ELAPSED_LABEL)->GetWindowText(), QString("00:00:00"));
  EXPECT_EQ(w.Label(IDC_FILE_NAME_LABEL)->GetWindowText(), QString());
}
