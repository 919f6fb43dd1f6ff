#include "fakecard.h"
#include "informationdlg.h"
#include "platformservices.h"
#include "removabledrives.h"
#include "resourceids.h"
#include "skinbutton.h"
#include "statictrans.h"
#include "stringtable.h"
#include "testenvironment.h"

#include <QFile>
#include <QTest>
#include <sys/stat.h>
#include <gtest/gtest.h>

namespace {

constexpr quint64 kMiB = 1024 * 1024;
constexpr int kWaitMs = 60000;  // a bound for failures only: waits end on their condition

class FakeDrives : public RemovableDrives {
 public:
  std::optional<VolumeSpace> space;
  mutable QString askedFor;
  std::optional<VolumeSpace> Space(const QString& path) const override {
    askedFor = path;
    return space;
  }
};

QString Korean(int id) { return testenv::Services().Strings().Load(id, 1042); }
QString English(int id) { return testenv::Services().Strings().Load(id, 1033); }

TEST(UsageWalk, CountsOneTypeByNameBelowTheFolder) {
  FakeCard card;
  card.AddRecording("20240105_093000_NOR_F1.AVI", 2048 + 1023);  // 2 KiB: truncated per file
  card.AddRecording("20240105_093100_NOR_F1.AVI", 1536);         // 1 KiB, so 1 + 1, not 3 / 2
  card.AddRecording("20240105_093200_NOR_F1.AVI", 1023);         // nothing
  card.AddRecording("20240105_093300_nor_f1.avi", 4096);         // any case
  card.AddRecording("20240105_093400_EVT_F1.MP4", 8192);
  card.AddFile("Recordings/old/deeper/20240105_093500_NOR_F1.mp4", 10 * 1024);  // any depth
  card.AddRecording("20240105_NOR_F.AVI", 50 * 1024);             // 18 characters: no type code
  card.AddRecording("20240105_093600_NOR_F1.TXT", 50 * 1024);
  EXPECT_EQ(UsageWalk(card.RecordingsPath(), "NOR"), 2 + 1 + 0 + 4 + 10);
  EXPECT_EQ(UsageWalk(card.RecordingsPath(), "EVT"), 8);
  EXPECT_EQ(UsageWalk(card.RecordingsPath(), "MOT"), 0);
  EXPECT_EQ(UsageWalk(card.Root() + "NoSuchFolder", "NOR"), 0);
}

TEST(FirmwareVersion, ReadsMajorAndMinor) {
  struct Case {
    qint32 major, minor;
    int length;
    const char* text;
  };
  const Case cases[] = {
      {1, 7, 16, "1.007"},  {1, 7, 100, "1.007"}, {1, 7, 12, "1.000"}, {2, 5, 9, "2.000"},
      {1, 7, 0, ""},        {0, 0, 16, "0.000"},   {99, 999, 16, "99.999"},
      // Numbers no recorder writes come from a damaged or foreign file: no version is shown.
      {1, 1234, 16, ""},    {-1, 3, 16, ""},       {100, 0, 16, ""},      {1223696546, 0, 16, ""},
  };
  for (const Case& c : cases) {
    FakeCard card;
    card.WriteConfig(c.major, c.minor, c.length);
    EXPECT_EQ(FirmwareVersionText(card.Root()), c.text) << c.major << "." << c.minor << " in " << c.length;
  }
  FakeCard noConfig;
  EXPECT_EQ(FirmwareVersionText(noConfig.Root()), "");
}

TEST(FirmwareVersion, AFifoOrAFolderInPlaceOfTheFileIsNeverOpenedForReading) {
  FakeCard fifo;
  fifo.AddFolder("Configs");
  // Opening a FIFO for reading would wait for a writer for ever.
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo.Root() + "Configs/qx5_sysenv.cfg").constData(), 0600), 0);
  EXPECT_EQ(FirmwareVersionText(fifo.Root()), "");
  FakeCard folder;
  folder.AddFolder("Configs/qx5_sysenv.cfg");
  EXPECT_EQ(FirmwareVersionText(folder.Root()), "");
}

TEST(GigabyteText, RoundsToOneDecimal) {
  EXPECT_EQ(GigabyteText(15193), "14.8 GB");
  EXPECT_EQ(GigabyteText(0), "0.0 GB");
  EXPECT_EQ(GigabyteText(2.0 / 1024.0), "0.0 GB");
  EXPECT_EQ(GigabyteText(30 * 1024), "30.0 GB");
}

class InformationDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drives.space = VolumeSpace{15193 * kMiB + 123, 2765 * kMiB};
    card.AddRecording("20240105_093000_NOR_F1.AVI", qint64(1536) * 1024 * 1024);  // 1.5 GB
    card.AddRecording("20240105_093100_EVT_F1.AVI", qint64(512) * 1024 * 1024);
    card.WriteConfig(1, 7);
  }
  // The figures are read on a worker thread; what the dialog shows once they are in.
  std::unique_ptr<CInformationDlg> Open(const QString& root) {
    auto dialog = std::make_unique<CInformationDlg>(nullptr, root, drives, Korean, English);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->FiguresPending(); }, kWaitMs));
    return dialog;
  }

  FakeCard card;
  FakeDrives drives;
};

TEST_F(InformationDlgTest, ShowsTheCardsFigures) {
  auto dialog = Open(card.Root());
  EXPECT_EQ(drives.askedFor, card.Root());
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_TOTAL), "14.8 GB");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_FREE), "2.7 GB");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_NORMAL), "1.5 GB");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_EVENT), "0.5 GB");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_MOTION), "0.0 GB");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_FIRMWARE), "1.007");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_PLAYER_VERSION), "1.1.6");  // not in the UI language
  EXPECT_EQ(dialog->LabelText(10103), Korean(ids::IDS_TOTAL_SPACE));
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_TITLE), "정보");

  dialog->ZeroFigures();
  for (int id : {ids::IDC_INFO_TOTAL, ids::IDC_INFO_FREE, ids::IDC_INFO_NORMAL,
                 ids::IDC_INFO_EVENT, ids::IDC_INFO_MOTION})
    EXPECT_EQ(dialog->LabelText(id), "0.0 GB") << id;
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_FIRMWARE), "");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_PLAYER_VERSION), "1.1.6");
}

TEST_F(InformationDlgTest, UnreadableSpaceAndNoCard) {
  drives.space.reset();
  auto dialog = Open(card.Root());
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_TOTAL), "0.0 GB");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_FREE), "0.0 GB");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_NORMAL), "1.5 GB");  // still walked

  auto placeholders = Open(QString());
  const std::pair<int, const char*> expected[] = {
      {ids::IDC_INFO_TOTAL, "05.4 GB"}, {ids::IDC_INFO_FREE, "2.7 GB"},
      {ids::IDC_INFO_NORMAL, "8.2 GB"}, {ids::IDC_INFO_EVENT, "4.5 GB"},
      {ids::IDC_INFO_MOTION, "0.5 GB"}, {ids::IDC_INFO_FIRMWARE, "1.0.0"},
      {ids::IDC_INFO_PLAYER_VERSION, "1.1.6"},
  };
  for (const auto& [id, text] : expected) EXPECT_EQ(placeholders->LabelText(id), text) << id;
}

// The firmware is read from a FIFO's place without waiting for a writer: the figures arrive, the
// version is empty.
TEST_F(InformationDlgTest, AFifoAsTheFirmwareFileLeavesOnlyTheVersionEmpty) {
  const QString config = card.Root() + "Configs/qx5_sysenv.cfg";
  ASSERT_TRUE(QFile::remove(config));
  ASSERT_EQ(::mkfifo(QFile::encodeName(config).constData(), 0600), 0);
  auto dialog = Open(card.Root());
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_FIRMWARE), "");
  EXPECT_EQ(dialog->LabelText(ids::IDC_INFO_NORMAL), "1.5 GB");
}

TEST_F(InformationDlgTest, WindowLayoutCloseAndDrag) {
  auto dialog = Open(card.Root());
  EXPECT_EQ(dialog->size(), QSize(338, 412));
  EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->findChildren<CSovStaticTrans*>().size(), 21);
  CSovStaticTrans* total = dialog->Label(ids::IDC_INFO_TOTAL);
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->geometry(), QRect(80, 70, 60, 15));
  EXPECT_EQ(total->textColour, QColor(248, 58, 10));
  EXPECT_EQ(total->bkColour, QColor(33, 33, 33));
  EXPECT_EQ(dialog->Label(10108)->geometry(), QRect(16, 375, 200, 15));
  EXPECT_EQ(dialog->Label(ids::IDC_INFO_MEMORY_HEADING)->textColour, QColor(211, 211, 211));

  auto* close = dialog->findChild<CSovSkinButton*>(ids::ControlName(ids::IDC_INFO_CLOSE));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->geometry(), QRect(307, 4, 28, 22));
  EXPECT_EQ(close->toolTip(), "Close");

  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  // A press on a label drags like a press on the background.
  const QPoint start = dialog->pos();
  QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(100, 75));
  QTest::mouseMove(dialog.get(), QPoint(130, 95));
  QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(130, 95));
  EXPECT_EQ(dialog->pos(), start + QPoint(30, 20));

  QTest::mouseClick(close, Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
