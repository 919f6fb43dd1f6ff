// The extended view in the real window: its bars come and go with the mouse, and every control on
// them shows what the window's own twin shows and acts on the same recording.
#include "appfixture.h"

#include "configlistctrl.h"
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "controltopdlg.h"
#include "extendedviewbars.h"
#include "imageslider.h"
#include "platformservices.h"
#include "playgraph.h"
#include "recordinglists.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"
#include "videoplayer.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace ids;

namespace {

struct ExtendedWindow {
  explicit ExtendedWindow(const QString& folder = SampleCard()) : f(AudioOutput::Presence::Present) {
    root = f.AddCard(folder, "QX5");
    f.AnswerDriveWith(root);
    EXPECT_TRUE(f.window->OnInitDialog());
    EXPECT_TRUE(f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }));
    f.window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
  }
  CTavroPlayerDlg& W() { return *f.window; }
  CControlPanelDlg& Panel() { return *W().Bars()->ControlPanel(); }
  CControlTopDlg& Top() { return *W().Bars()->TopBar(); }
  CControlFileListDlg& Files() { return *W().Bars()->FileListPanel(); }
  void Extend() {
    W().OnExtend();
    // Maximised once the window has the screen's size (the platform resizes it a moment later).
    ASSERT_TRUE(QTest::qWaitFor([&] { return W().isMaximized() && W().size() == W().screen()->availableGeometry().size(); }, 5000));
  }
  // The first row with the given number of cameras, playing.
  void PlayWithCameras(int cameras) {
    for (int row = 0; row < W().RecordingList()->GetItemCount(); ++row) {
      W().PlayRow(row);
      if (W().Player().VideoStreamCount() == cameras) return;
    }
    FAIL() << "no recording with " << cameras << " cameras";
  }
  bool Running() {
    return W().Player().PlayGraph() && W().Player().PlayGraph()->State() == PlayState::Running;
  }

  MainWindowFixture f;
  QString root;
};

}  // namespace

TEST(ExtendedView, TheBarsFollowTheMouseAndTheFileListGoesWithThem) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  ExtendedWindow e;
  e.PlayWithCameras(2);
  e.Extend();
  CTavroPlayerDlg& w = e.W();
  const QPoint middle(w.width() / 2, w.height() / 2);
  const struct {
    QPoint at;
    bool bars;
  } moves[] = {{middle, false}, {QPoint(10, 5), true},   {middle, false},
               {QPoint(w.width() / 3, w.height() - 3), true}, {middle + QPoint(5, 5), false}};
  for (const auto& m : moves) {
    QTest::mouseMove(&w, m.at);
    EXPECT_TRUE(QTest::qWaitFor([&] { return e.Panel().isVisible() == m.bars && e.Top().isVisible() == m.bars; }, 2000))
        << m.at.x() << "," << m.at.y();
    // The window's own bottom controls never show over the picture: the bars carry their twins.
    EXPECT_FALSE(w.Button(IDC_PLAY)->isVisible());
  }

  // File List opens the list above the bar's right end; back over the picture everything goes.
  QTest::mouseMove(&w, QPoint(10, w.height() - 3));
  ASSERT_TRUE(QTest::qWaitFor([&] { return e.Panel().isVisible(); }, 2000));
  CSovSkinButton* fileList = e.Panel().Button(IDC_PANEL_FILE_LIST);
  QTest::mouseClick(fileList, Qt::LeftButton);
  ASSERT_TRUE(e.Files().isVisible());
  EXPECT_EQ(e.Files().geometry().bottom() + 1, e.Panel().geometry().top());
  EXPECT_EQ(e.Files().geometry().right(), e.Panel().geometry().right());
  QTest::mouseMove(&w, middle);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !e.Files().isVisible() && !e.Panel().isVisible(); }, 2000));
  EXPECT_FALSE(fileList->GetCheck());

  // Reduce from the top bar leaves the view as the window's extend command does.
  QTest::mouseMove(&w, QPoint(10, 5));
  ASSERT_TRUE(QTest::qWaitFor([&] { return e.Top().isVisible(); }, 2000));
  QTest::mouseClick(e.Top().findChild<CSovSkinButton*>(ControlName(IDC_TOP_REDUCE)), Qt::LeftButton);
  EXPECT_EQ(w.CurrentViewMode(), CTavroPlayerDlg::ViewNormal);
  EXPECT_EQ(w.size(), QSize(1022, 682));
  EXPECT_FALSE(e.Top().isVisible());
  EXPECT_TRUE(e.Running());
}

TEST(ExtendedView, TheTransportBarShowsAndDoesWhatTheWindowDoes) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  ExtendedWindow e;
  CTavroPlayerDlg& w = e.W();
  e.PlayWithCameras(2);
  ASSERT_TRUE(e.Running());
  auto panelLabel = [&](int id) { return e.Panel().Label(id)->GetWindowText(); };
  auto panelTooltip = [&] { return e.Panel().Button(IDC_PANEL_PLAY)->toolTip(); };

  // Playing: the pause look, the duration and the position as the window shows them.
  EXPECT_EQ(panelTooltip(), QString("Pause"));
  EXPECT_EQ(panelLabel(IDC_PANEL_DURATION_LABEL), w.Label(IDC_DURATION_LABEL)->GetWindowText());
  EXPECT_EQ(e.Panel().Slider(IDC_PANEL_POSITION_SLIDER)->GetRangeMax(), w.Slider(IDC_POSITION_SLIDER)->GetRangeMax());
  EXPECT_EQ(e.Top().FileNameLabel()->GetWindowText(), w.Label(IDC_FILE_NAME_LABEL)->GetWindowText());

  // Paused from the bar: the window's play look follows.
  QTest::mouseClick(e.Panel().Button(IDC_PANEL_PLAY), Qt::LeftButton);
  EXPECT_EQ(w.Player().PlayGraph()->State(), PlayState::Paused);
  EXPECT_EQ(w.Button(IDC_PLAY)->toolTip(), QString("Play"));
  EXPECT_EQ(panelTooltip(), QString("Play"));

  // A seek from the bar's slider: the engine, both sliders and both time labels.
  emit e.Panel().Slider(IDC_PANEL_POSITION_SLIDER)->hScroll(5, 2000);
  EXPECT_EQ(w.Player().GetPositionMs(), 2000);
  EXPECT_EQ(w.Slider(IDC_POSITION_SLIDER)->GetPos(), 2000);
  EXPECT_EQ(e.Panel().Slider(IDC_PANEL_POSITION_SLIDER)->GetPos(), 2000);
  EXPECT_EQ(w.Label(IDC_ELAPSED_LABEL)->GetWindowText(), QString("00:00:02"));
  EXPECT_EQ(panelLabel(IDC_PANEL_ELAPSED_LABEL), QString("00:00:02"));

  // Mute on the window: the bar's mute follows, and the sound is off.
  w.Button(IDC_MUTE)->SetCheck(true);
  w.ToggleMute();
  EXPECT_TRUE(e.Panel().Button(IDC_PANEL_MUTE)->GetCheck());
  EXPECT_EQ(e.f.services->Audio().GetVolume(), 0u);
  w.Button(IDC_MUTE)->SetCheck(false);
  w.ToggleMute();
  EXPECT_FALSE(e.Panel().Button(IDC_PANEL_MUTE)->GetCheck());

  // The bar's volume to 0 and back: the window's slider and both mute buttons follow.
  CSovImageSlider* volume = e.Panel().Slider(IDC_PANEL_VOLUME_SLIDER);
  volume->SetPos(0);
  emit volume->hScroll(5, 0);
  EXPECT_EQ(w.Slider(IDC_VOLUME_SLIDER)->GetPos(), 0);
  EXPECT_TRUE(w.Button(IDC_MUTE)->GetCheck());
  EXPECT_TRUE(e.Panel().Button(IDC_PANEL_MUTE)->GetCheck());
  volume->SetPos(50);
  emit volume->hScroll(5, 50);
  EXPECT_FALSE(w.Button(IDC_MUTE)->GetCheck());
  EXPECT_FALSE(e.Panel().Button(IDC_PANEL_MUTE)->GetCheck());
  EXPECT_NE(e.f.services->Audio().GetVolume(), 0u);

  // The end of the list resets both.
  w.StopAndReset();
  EXPECT_EQ(panelLabel(IDC_PANEL_DURATION_LABEL), QString("00:00:00"));
  EXPECT_EQ(e.Panel().Slider(IDC_PANEL_POSITION_SLIDER)->GetPos(), 0);
  EXPECT_EQ(e.Top().FileNameLabel()->GetWindowText(), QString());
  EXPECT_FALSE(e.Panel().Button(IDC_PANEL_PLAY)->isEnabled());
}

TEST(ExtendedView, TheTopBarsButtonsAreTheWindowsTwins) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  ExtendedWindow e;
  CTavroPlayerDlg& w = e.W();
  auto top = [&](int id) { return e.Top().findChild<CSovSkinButton*>(ControlName(id)); };

  e.PlayWithCameras(2);
  for (int id : {IDC_TOP_FRONT, IDC_TOP_REAR, IDC_TOP_BOTH, IDC_TOP_FLIP_VERTICAL, IDC_TOP_FLIP_HORIZONTAL})
    EXPECT_TRUE(top(id)->isEnabled()) << id;
  const struct {
    int topId;
    int windowId;
  } views[] = {{IDC_TOP_BOTH, IDC_VIEW_BOTH}, {IDC_TOP_REAR, IDC_VIEW_REAR}, {IDC_TOP_FRONT, IDC_VIEW_FRONT}};
  for (const auto& v : views) {
    QTest::mouseClick(top(v.topId), Qt::LeftButton);
    for (const auto& other : views) {
      EXPECT_EQ(top(other.topId)->GetCheck(), other.topId == v.topId) << v.topId;
      EXPECT_EQ(w.Button(other.windowId)->GetCheck(), other.topId == v.topId) << v.topId;
    }
  }
  QTest::mouseClick(top(IDC_TOP_FLIP_VERTICAL), Qt::LeftButton);
  EXPECT_EQ(w.FlipVertical(), 1);
  EXPECT_TRUE(w.Button(IDC_FLIP_VERTICAL)->GetCheck());
  w.OnFlipVertical();
  EXPECT_FALSE(top(IDC_TOP_FLIP_VERTICAL)->GetCheck());
  w.OnFlipVertical();
  EXPECT_TRUE(top(IDC_TOP_FLIP_VERTICAL)->GetCheck());

  // A one-camera recording: front alone, and the flips shown off on both.
  e.PlayWithCameras(1);
  EXPECT_TRUE(top(IDC_TOP_FRONT)->isEnabled());
  for (int id : {IDC_TOP_REAR, IDC_TOP_BOTH, IDC_TOP_FLIP_VERTICAL, IDC_TOP_FLIP_HORIZONTAL})
    EXPECT_FALSE(top(id)->isEnabled()) << id;
  EXPECT_FALSE(top(IDC_TOP_FLIP_VERTICAL)->GetCheck());
  EXPECT_FALSE(w.Button(IDC_FLIP_VERTICAL)->GetCheck());
}

TEST(ExtendedView, TheFileListPanelIsTheSameListWithTheSameFilters) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  ExtendedWindow e;
  CTavroPlayerDlg& w = e.W();
  CConfigListCtrl* twin = e.Files().List();
  ASSERT_EQ(w.PanelList(), twin);
  auto sameRows = [&] {
    if (twin->GetItemCount() != w.RecordingList()->GetItemCount()) return false;
    for (int row = 0; row < twin->GetItemCount(); ++row)
      if (twin->GetItemText(row, 0) != w.RecordingList()->GetItemText(row, 0)) return false;
    return true;
  };
  EXPECT_TRUE(sameRows());
  EXPECT_TRUE(e.Files().Button(IDC_FILES_ALL)->GetCheck());

  // The panel's Event tab filters both lists; its check button checks every row in both.
  EXPECT_TRUE(e.f.Listed([&] { QTest::mouseClick(e.Files().Button(IDC_FILES_EVENT), Qt::LeftButton); }));
  EXPECT_TRUE(w.Button(IDC_TYPE_EVENT)->GetCheck());
  EXPECT_FALSE(e.Files().Button(IDC_FILES_ALL)->GetCheck());
  EXPECT_TRUE(sameRows());
  EXPECT_EQ(twin->GetItemCount(), 4);
  e.Files().Button(IDC_FILES_CHECK)->click();
  EXPECT_TRUE(w.Button(IDC_CHECK_ALL)->GetCheck());
  EXPECT_EQ(w.Lists().CheckedRows().size(), 4u);
  EXPECT_EQ(w.RecordingList()->GetItemText(3, 3), QString("1"));
  EXPECT_EQ(twin->GetItemText(3, 3), QString("1"));
  // The window's type tab clears the marks and the check button on both.
  EXPECT_TRUE(e.f.Listed([&] { w.OnTypeFilter(CTavroPlayerDlg::TypeAll); }));
  EXPECT_FALSE(e.Files().Button(IDC_FILES_CHECK)->GetCheck());
  EXPECT_TRUE(e.Files().Button(IDC_FILES_ALL)->GetCheck());
  EXPECT_TRUE(w.Lists().CheckedRows().empty());

  // A mark set in one list shows in the other.
  w.Lists().SetChecked(2, true);
  EXPECT_EQ(twin->GetItemText(2, 3), QString("1"));

  // The card goes: the panel's tabs go with the window's.
  w.OnDriveRemoved(e.root);
  EXPECT_EQ(twin->GetItemCount(), 0);
  for (int id : {IDC_FILES_ALL, IDC_FILES_NORMAL, IDC_FILES_EVENT, IDC_FILES_MOTION})
    EXPECT_FALSE(e.Files().Button(id)->GetCheck()) << id;
  EXPECT_FALSE(e.Files().Button(IDC_FILES_SAVE)->isEnabled());
}

TEST(ExtendedView, ADoubleClickInThePanelPlaysThatRowOrTheNextPlayableOne) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  QTemporaryDir folder;
  QDir().mkpath(folder.filePath("Recordings"));
  QFile broken(folder.filePath("Recordings/20200101_000000_NOR_1F.AVI"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write(QByteArray(4096, 'x'));
  broken.close();
  const QStringList real = QDir(SampleCard() + "/Recordings").entryList({"*.AVI"}, QDir::Files, QDir::Name);
  for (int i = 0; i < 2; ++i)
    ASSERT_TRUE(QFile::copy(SampleCard() + "/Recordings/" + real[i],
                            folder.filePath(QString("Recordings/2020010%1_000000_NOR_1F.AVI").arg(i + 2))));
  ExtendedWindow e(folder.path());
  CTavroPlayerDlg& w = e.W();
  ASSERT_EQ(w.RecordingList()->GetItemCount(), 3);

  // A playable row plays and is the current row in both lists.
  w.PlayRowFromPanel(2);
  EXPECT_TRUE(e.Running());
  EXPECT_EQ(w.CurrentIndex(), 2);
  EXPECT_EQ(w.RecordingList()->GetFirstSelectedItem(), 2);
  EXPECT_EQ(e.Files().List()->GetFirstSelectedItem(), 2);

  // The unplayable row is skipped for the next one, which stays the current row.
  w.PlayRowFromPanel(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.CurrentIndex() == 1 && e.Running(); }, 10000));
  QTest::qWait(50);
  EXPECT_EQ(w.CurrentIndex(), 1);
  EXPECT_EQ(e.f.notices.size(), 1);
}

TEST(ExtendedView, ScreenshotWithTheBarsShown) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  ExtendedWindow e;
  CTavroPlayerDlg& w = e.W();
  e.PlayWithCameras(2);
  w.OnViewBoth();
  e.Extend();
  QTest::mouseMove(&w, QPoint(10, w.height() - 3));
  ASSERT_TRUE(QTest::qWaitFor([&] { return e.Panel().isVisible() && e.Top().isVisible(); }, 2000));
  QTest::mouseClick(e.Panel().Button(IDC_PANEL_FILE_LIST), Qt::LeftButton);
  QTest::qWait(300);
  const QImage shot = w.grab().toImage();
  // For a person to look at: the picture with both bars and the file list over it.
  ASSERT_TRUE(shot.save(QDir::current().filePath("extended-view-window.png")));
  // The top bar's strip and the transport bar's strip are painted, not the black face.
  EXPECT_NE(shot.pixelColor(w.width() / 2, 5), QColor(Qt::black));
  EXPECT_NE(shot.pixelColor(w.width() / 2, w.height() - 5), QColor(Qt::black));
}
