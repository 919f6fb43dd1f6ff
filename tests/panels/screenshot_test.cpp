// The extended view with all three panels over a black picture, written as a PNG for a person to
// look at (PANELS_SCREENSHOT in the build tree), and checked where the skins must show.
#include "controlfilelistdlg.h"
#include "controlpaneldlg.h"
#include "controltopdlg.h"
#include "imageslider.h"
#include "paneltestsupport.h"
#include "resourceids.h"
#include "skinbitmap.h"
#include "skinbutton.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace ids;
using paneltest::MoveTo;

namespace {

TEST(ExtendedViewScreenshot, BarsAndFileListOverTheBlackPicture) {
  FakeWindow window;
  window.resize(1280, 720);
  ASSERT_TRUE(paneltest::ShowActive(window));
  paneltest::ParkMouse(window);
  window.EnterExtended();
  window.SetRows(30);
  window.currentIndex = 2;
  MoveTo(window, {640, 700});
  QTest::mouseClick(window.ControlPanel()->Button(IDC_PANEL_FILE_LIST), Qt::LeftButton);
  ASSERT_TRUE(window.FileListPanel()->isVisible());

  CControlPanelDlg* panel = window.ControlPanel();
  panel->SetPositionRange(60000);
  panel->SetPosition(21000, true);
  panel->SetElapsedText("00:00:21");
  panel->SetDurationText("00:01:00");
  panel->SetPlayLook(true);
  window.TopBar()->SetFileName("20240105_093002_NOR_F1.AVI");
  window.TopBar()->SetChannelView(4);
  window.FileListPanel()->SetTypeFilter(1);

  const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_TRUE(shot.save(QStringLiteral(PANELS_SCREENSHOT)));

  // The picture between the bars is the window's black face.
  EXPECT_EQ(shot.pixel(400, 360), qRgb(0, 0, 0));
  // Each bar's strip stretched along its edge, where no control covers it.
  const QImage top = skin::LoadSkinBitmap(IDB_TOP_STRIP);
  const QImage bottom = skin::LoadSkinBitmap(IDB_PANEL_STRIP);
  for (int y : {0, 3, 38}) EXPECT_EQ(shot.pixel(900, y), top.pixel(0, y)) << y;
  for (int y : {0, 2, 43}) EXPECT_EQ(shot.pixel(1000, 676 + y), bottom.pixel(0, y)) << y;
  // The file list panel shows the face behind the main window's list, from (693, 47).
  const QImage face = skin::LoadSkinBitmap(IDB_FACE);
  const QPoint origin = window.FileListPanel()->pos();
  EXPECT_EQ(origin, QPoint(954, 89));
  for (QPoint at : {QPoint(0, 0), QPoint(0, 300), QPoint(320, 15), QPoint(100, 65)})
    EXPECT_EQ(shot.pixel(origin + at), face.pixel(QPoint(693, 47) + at)) << at.x() << "," << at.y();
}

}  // namespace
