// The main window's playback commands: channel views, rear flips and capture.
#include "appfixture.h"

#include "configlistctrl.h"
#include "graph/interfaces.h"
#include "mainlayout.h"
#include "playgraph.h"
#include "recordinglists.h"
#include "recordingsession.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "staticview.h"
#include "videoplayer.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ids;

TEST(PlaybackCommands, Fit16x9KeepsTheShapeInsideTheClientArea) {
  const struct {
    QSize client;
    QRect expected;
  } cases[] = {{{1920, 1200}, {0, 60, 1920, 1080}},
               {{1600, 800}, {96, 0, 1408, 800}},
               {{1920, 1080}, {0, 0, 1920, 1080}},
               {{1022, 682}, {0, 57, 1022, 567}}};
  for (const auto& c : cases) EXPECT_EQ(MainLayout::Fit16x9(c.client.width(), c.client.height()), c.expected);
}

TEST(PlaybackCommands, CaptureNamesFollowTheRecordingName) {
  EXPECT_EQ(RecordingSession::CaptureInitialName("20140512_134500_EVT_AB.AVI"), QString("20140512_134500_IMG_CB.jpg"));
  EXPECT_EQ(RecordingSession::CaptureInitialName("short.AVI"), QString("short.AVI_IMG_C.jpg"));
  const struct {
    const char* chosen;
    const char* base;
  } bases[] = {{"/shots/trip.jpg", "/shots/trip"},
               {"/shots/trip.JPG", "/shots/trip"},
               {"/shots/trip", "/shots/trip"},
               {"/shots/trip.png", "/shots/trip.png"}};
  for (const auto& b : bases) EXPECT_EQ(RecordingSession::CaptureBasePath(b.chosen), QString(b.base)) << b.chosen;
}

namespace {

// Opens the first recording of the sample card with the given number of cameras.
bool OpenWithCameras(MainWindowFixture& f, int cameras) {
  const QString root = f.AddCard(SampleCard(), "QX5");
  f.AnswerDriveWith(root);
  if (f.window->CardRoot().isEmpty() && !f.Listed([&] { f.window->SelectDriveAndScan(); })) return false;
  CConfigListCtrl* list = f.window->RecordingList();
  for (int row = 0; row < list->GetItemCount(); ++row) {
    f.window->Lists().SetCurrent(row);
    if (!f.window->OpenRecording(list->GetItemText(row, 4))) continue;
    if (f.window->Player().PlayGraph()->VideoStreamCount() == cameras) return true;
  }
  return false;
}

QWidget* Video(MainWindowFixture& f, const char* name) { return f.window->findChild<QWidget*>(name); }

}  // namespace

TEST(PlaybackCommands, ChannelViewsPlaceTheVideoWindows) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  ASSERT_TRUE(OpenWithCameras(f, 2));
  QWidget* front = Video(f, "Video window1");
  QWidget* rear = Video(f, "Video window2");

  f.window->OnViewBoth();
  EXPECT_EQ(f.window->CurrentChannelView(), 4);
  EXPECT_EQ(front->geometry(), QRect(3, 175, 344, 194));
  EXPECT_EQ(rear->geometry(), QRect(347, 175, 344, 194));
  EXPECT_TRUE(f.window->Button(IDC_VIEW_BOTH)->GetCheck());
  EXPECT_FALSE(f.window->Button(IDC_VIEW_FRONT)->GetCheck());

  f.window->OnViewRear();
  EXPECT_EQ(rear->geometry(), QRect(3, 78, 688, 387));
  EXPECT_FALSE(front->isVisibleTo(f.window.get()));

  // A one-camera recording opens in the front view, whatever was chosen before, and refuses rear.
  ASSERT_TRUE(OpenWithCameras(f, 1));
  EXPECT_EQ(f.window->CurrentChannelView(), 1);
  EXPECT_EQ(front->geometry(), QRect(3, 78, 688, 387));
  f.window->Button(IDC_VIEW_REAR)->SetCheck(true);
  f.window->OnViewRear();
  EXPECT_EQ(f.window->CurrentChannelView(), 1);
  EXPECT_FALSE(f.window->Button(IDC_VIEW_REAR)->GetCheck());
}

TEST(PlaybackCommands, RearFlipsNeedAPlayingRecordingAndSurviveTheNextOpen) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  ASSERT_TRUE(OpenWithCameras(f, 2));
  // Stopped (cued): the flip unchecks its button and changes nothing.
  f.window->Button(IDC_FLIP_VERTICAL)->SetCheck(true);
  f.window->OnFlipVertical();
  EXPECT_FALSE(f.window->Button(IDC_FLIP_VERTICAL)->GetCheck());
  EXPECT_EQ(f.window->FlipVertical(), 0);

  f.window->Player().Play();
  f.window->OnFlipVertical();
  EXPECT_EQ(f.window->FlipVertical(), 1);
  EXPECT_TRUE(f.window->Button(IDC_FLIP_VERTICAL)->GetCheck());
  IDecoderParameters* rearDecoder = f.window->Player().PlayGraph()->Decoder(2);
  ASSERT_TRUE(rearDecoder);
  EXPECT_EQ(rearDecoder->GetParam(decoderparam::kFlipVertical), 1);
  ASSERT_TRUE(f.window->Player().PlayGraph()->Decoder(1));
  EXPECT_EQ(f.window->Player().PlayGraph()->Decoder(1)->GetParam(decoderparam::kFlipVertical), 0);

  // The next two-camera recording starts with the rear image as the user left it.
  const int row = f.window->CurrentIndex();
  ASSERT_TRUE(f.window->OpenRecording(f.window->RecordingList()->GetItemText(row, 4)));
  EXPECT_EQ(f.window->Player().PlayGraph()->Decoder(2)->GetParam(decoderparam::kFlipVertical), 1);
}

TEST(PlaybackCommands, CaptureWritesTheCameraImagesAndKeepsThePlayState) {
  ASSERT_FALSE(SampleCard().isEmpty()) << "the sample card fixture did not run";
  MainWindowFixture f;
  ASSERT_TRUE(f.window->OnInitDialog());
  ASSERT_TRUE(OpenWithCameras(f, 2));
  QTemporaryDir shots;

  // Stopped: nothing happens.
  f.captureAnswer = shots.filePath("never.jpg");
  f.window->OnCapture();
  EXPECT_TRUE(QDir(shots.path()).isEmpty());

  f.window->Player().Play();
  f.window->Player().Pause();
  f.captureAnswer = shots.filePath("trip.jpg");
  f.window->OnCapture();
  EXPECT_EQ(f.window->Player().PlayGraph()->State(), PlayState::Paused);
  for (const char* name : {"trip_front.jpg", "trip_rear.jpg"}) {
    QImageReader reader(shots.filePath(name));
    EXPECT_EQ(reader.format(), QByteArray("jpeg")) << name;
    EXPECT_GT(reader.size().width(), 0) << name;
  }
  EXPECT_EQ(f.window->CaptureFolder(), shots.path());

  // Running before the dialog: running again after it, also when cancelled.
  f.window->Player().Play();
  f.captureAnswer.clear();
  f.window->OnCapture();
  EXPECT_EQ(f.window->Player().PlayGraph()->State(), PlayState::Running);

  // An earlier capture beside the chosen name is replaced only when the user agrees.
  f.window->DialogHooks().confirmReplace = [](const QString&) { return false; };
  const QDateTime before = QFileInfo(shots.filePath("trip_rear.jpg")).lastModified();
  f.captureAnswer = shots.filePath("trip.png");
  f.window->OnCapture();
  EXPECT_TRUE(QFileInfo::exists(shots.filePath("trip.png_front.jpg")));
  f.captureAnswer = shots.filePath("trip.jpg");
  f.window->OnCapture();
  EXPECT_EQ(QFileInfo(shots.filePath("trip_rear.jpg")).lastModified(), before);
}
