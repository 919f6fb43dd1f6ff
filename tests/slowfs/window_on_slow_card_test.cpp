// The main window on a card that stops answering: the scan, the delete, the information dialog's
// walk and the save wait at a gate in the file system while the window must go on ticking and
// painting, with no file-system call on the card from its thread; the results arrive once the card
// answers again. And the hostile files of a card: FIFOs and links to devices named like
// recordings or like the configuration file are never opened in a way that waits.
#include "appfixture.h"
#include "slowfs.h"

#include "configlistctrl.h"
#include "fakecard.h"
#include "informationdlg.h"
#include "recordinglists.h"
#include "resourceids.h"
#include "skinbutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace ids;

namespace {

// A bound for failures only: every wait ends on its condition.
constexpr int kWaitMs = 60000;

// The card's folder is watched while this lives. A watchdog lets a held gate go once the bound
// has passed, so a window that waits on the card fails the test instead of hanging it; it is let
// go before anything that joins a worker.
class Gate {
 public:
  explicit Gate(const QString& folder) { slowfs_watch(QFile::encodeName(folder).constData()); }
  ~Gate() {
    Release();
    slowfs_watch(nullptr);
  }
  void Hold() {
    StopWatchdog();
    slowfs_hold();
    watchdog_ = std::thread([this] {
      std::unique_lock lock(mutex_);
      if (wake_.wait_for(lock, std::chrono::milliseconds(kWaitMs), [this] { return stop_; })) return;
      timedOut_ = true;
      slowfs_release();
    });
  }
  void Release() {
    StopWatchdog();
    slowfs_release();
  }
  // Whether the watchdog had to let the gate go.
  bool TimedOut() const { return timedOut_; }

 private:
  void StopWatchdog() {
    if (!watchdog_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    watchdog_.join();
    stop_ = false;
  }

  std::mutex mutex_;  // guards stop_
  std::condition_variable wake_;
  bool stop_ = false;
  std::atomic<bool> timedOut_{false};
  std::thread watchdog_;
};

// What shows the window answering: its timer ticks and it paints.
class Liveness : public QObject {
 public:
  explicit Liveness(QWidget* window) : window_(window) {
    window->installEventFilter(this);
    connect(&timer_, &QTimer::timeout, this, [this] {
      ++ticks;
      window_->update();
    });
    timer_.start(5);
  }
  bool Answered() const { return ticks >= 3 && paints >= 1; }
  int ticks = 0;
  int paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Paint) ++paints;
    return false;
  }

 private:
  QWidget* window_;
  QTimer timer_;
};

// Opens the FIFOs for writing once the bound has passed, which lets go an open for reading that
// waits on them: a player that does so fails the test instead of hanging it.
class FifoRescue {
 public:
  explicit FifoRescue(QList<QByteArray> fifos)
      : fifos_(std::move(fifos)), thread_([this] {
          std::unique_lock lock(mutex_);
          if (wake_.wait_for(lock, std::chrono::milliseconds(kWaitMs), [this] { return stop_; })) return;
          for (const QByteArray& fifo : fifos_) {
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
              rescued_ = true;
              ::close(fd);
            }
          }
        }) {}
  ~FifoRescue() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  bool Rescued() const { return rescued_; }

 private:
  QList<QByteArray> fifos_;
  std::mutex mutex_;  // guards stop_
  std::condition_variable wake_;
  bool stop_ = false;
  std::atomic<bool> rescued_{false};
  std::thread thread_;
};

bool BusyCursorShown() {
  return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
}

constexpr qint64 kMiB = 1024 * 1024;

// A card of six recordings in a shown window, its folder watched (not held); the normal
// recordings take 1.5 GB (sparse files: no disk space), the others 2 MiB each.
struct SlowCard {
  SlowCard() {
    const QDateTime start(QDate(2026, 12, 9), QTime(8, 0));
    const char* types[] = {"NOR", "EVT", "NOR", "MOT", "NOR", "EVT"};
    for (int i = 0; i < 6; ++i) {
      const qint64 bytes = QByteArray(types[i]) == "NOR" ? 512 * kMiB : 2 * kMiB;
      paths << card.AddRecording(FakeCard::RecorderName(start.addSecs(60 * i), types[i]), bytes);
    }
    card.WriteConfig(1, 7);
    root = f.AddCard(card.Root(), "QX5");
    EXPECT_TRUE(f.window->OnInitDialog());
    f.window->show();
    // The card search at start-up finds no answer yet; the tests choose the card themselves.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    f.AnswerDriveWith(root);
    gate = std::make_unique<Gate>(card.Root());
  }
  ~SlowCard() { gate.reset(); }  // before the window, whose workers it would hold
  bool ListCard() { return f.Listed([&] { EXPECT_TRUE(f.window->SelectDriveAndScan()); }); }
  // Waits until a worker is held inside a file-system call on the card; false when the window's
  // own thread was held instead (the watchdog had to let the gate go).
  bool WorkerHeld() {
    const bool seen = QTest::qWaitFor([&] { return slowfs_waiting() > 0 || gate->TimedOut(); }, kWaitMs);
    EXPECT_FALSE(gate->TimedOut()) << "the window's thread waited on the card";
    return seen && slowfs_waiting() > 0;
  }

  FakeCard card;
  MainWindowFixture f;
  QString root;
  QStringList paths;
  std::unique_ptr<Gate> gate;
};

}  // namespace

TEST(SlowCard, TheWindowAnswersWhileTheScanWaitsAndTheRowsArriveInOneStep) {
  SlowCard c;
  QSignalSpy replaced(&c.f.window->Lists(), &RecordingLists::rowsReplaced);
  c.gate->Hold();
  EXPECT_TRUE(c.f.window->SelectDriveAndScan());
  ASSERT_TRUE(c.WorkerHeld());
  EXPECT_TRUE(BusyCursorShown());
  Liveness live(c.f.window.get());
  ASSERT_TRUE(QTest::qWaitFor([&] { return live.Answered(); }, kWaitMs));
  // Nothing of the card is shown before its scan is done, and the window is not yet "listed".
  EXPECT_TRUE(replaced.isEmpty());
  EXPECT_EQ(c.f.window->CurrentControlState(), CTavroPlayerDlg::NoRecordings);

  c.gate->Release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !replaced.isEmpty(); }, kWaitMs));
  EXPECT_EQ(replaced.size(), 1);
  EXPECT_EQ(c.f.window->RecordingList()->GetItemCount(), 6);
  EXPECT_EQ(c.f.window->CurrentControlState(), CTavroPlayerDlg::Listed);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(slowfs_ui_calls(), 0);
  EXPECT_FALSE(c.gate->TimedOut());
}

TEST(SlowCard, ANewerListingOrTheCardsRemovalDropsAScanStillWaiting) {
  QTemporaryDir pc;
  QFile other(pc.filePath("20250101_120000_NOR_1F.MP4"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.resize(2048);
  other.close();
  struct Case {
    const char* what;
    bool removeCard;
    int rowsAfter;
  };
  const Case cases[] = {{"a folder chosen meanwhile", false, 1}, {"the card removed meanwhile", true, 0}};
  for (const Case& k : cases) {
    SlowCard c;
    c.gate->Hold();
    EXPECT_TRUE(c.f.window->SelectDriveAndScan());
    ASSERT_TRUE(c.WorkerHeld()) << k.what;
    if (k.removeCard) {
      c.f.window->OnDriveRemoved(c.root);
    } else {
      c.f.folderAnswer = pc.path();
      c.f.window->Button(IDC_FOLDER)->SetCheck(true);
      ASSERT_TRUE(c.f.Listed([&] { c.f.window->OnFolder(); })) << k.what;
    }
    EXPECT_EQ(c.f.window->RecordingList()->GetItemCount(), k.rowsAfter) << k.what;

    // The card answers again: the held scan ends, and what it found is dropped.
    QSignalSpy replaced(&c.f.window->Lists(), &RecordingLists::rowsReplaced);
    c.gate->Release();
    ASSERT_TRUE(QTest::qWaitFor([] { return slowfs_workers() == 0; }, kWaitMs)) << k.what;
    QCoreApplication::processEvents();  // its result, posted before it ended
    EXPECT_TRUE(replaced.isEmpty()) << k.what;
    EXPECT_EQ(c.f.window->RecordingList()->GetItemCount(), k.rowsAfter) << k.what;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << k.what;
    EXPECT_EQ(c.f.window->CurrentControlState(), k.removeCard ? CTavroPlayerDlg::NoRecordings : CTavroPlayerDlg::Listed)
        << k.what;
  }
}

TEST(SlowCard, TheWindowAnswersWhileADeleteWaitsAndTheListFollowsAfter) {
  SlowCard c;
  ASSERT_TRUE(c.ListCard());
  c.f.window->Lists().SetChecked(1, true);
  c.f.window->Lists().SetChecked(2, true);
  QSignalSpy replaced(&c.f.window->Lists(), &RecordingLists::rowsReplaced);
  c.gate->Hold();
  c.f.window->OnDelete();
  ASSERT_TRUE(c.WorkerHeld());
  EXPECT_TRUE(BusyCursorShown());
  Liveness live(c.f.window.get());
  ASSERT_TRUE(QTest::qWaitFor([&] { return live.Answered(); }, kWaitMs));
  EXPECT_TRUE(QFile::exists(c.paths[1]));
  EXPECT_EQ(c.f.window->RecordingList()->GetItemCount(), 6);

  c.gate->Release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !replaced.isEmpty(); }, kWaitMs));
  EXPECT_FALSE(QFile::exists(c.paths[1]));
  EXPECT_FALSE(QFile::exists(c.paths[2]));
  EXPECT_EQ(c.f.window->RecordingList()->GetItemCount(), 4);
  EXPECT_EQ(c.f.window->RecordingList()->GetFirstSelectedItem(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(slowfs_ui_calls(), 0);
  EXPECT_FALSE(c.gate->TimedOut());
}

TEST(SlowCard, TheInformationDialogShowsAtOnceAndItsFiguresFollow) {
  SlowCard c;
  ASSERT_TRUE(c.ListCard());
  c.gate->Hold();
  c.f.window->OnInformation();
  auto* dialog = c.f.window->findChild<CInformationDlg*>(ControlName(kInformationTemplate));
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_TRUE(c.WorkerHeld());
  EXPECT_TRUE(dialog->FiguresPending());
  EXPECT_EQ(dialog->cursor().shape(), Qt::BusyCursor);
  // No sample figure of the dialog's template passes for the card's meanwhile.
  EXPECT_EQ(dialog->LabelText(IDC_INFO_NORMAL), "");
  Liveness live(c.f.window.get());
  ASSERT_TRUE(QTest::qWaitFor([&] { return live.Answered(); }, kWaitMs));

  QSignalSpy shown(dialog, &CInformationDlg::figuresShown);
  c.gate->Release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, kWaitMs));
  EXPECT_EQ(dialog->LabelText(IDC_INFO_NORMAL), "1.5 GB");
  EXPECT_EQ(dialog->LabelText(IDC_INFO_FIRMWARE), "1.007");
  EXPECT_EQ(dialog->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(slowfs_ui_calls(), 0);
  EXPECT_FALSE(c.gate->TimedOut());
}

// The save's own loop runs while its worker waits: the test looks from a timer of that loop.
TEST(SlowCard, TheWindowPaintsWhileASaveWaitsOnTheCard) {
  SlowCard c;
  ASSERT_TRUE(c.ListCard());
  c.f.window->Lists().SetChecked(3, true);
  QTemporaryDir backup;
  c.f.folderAnswer = backup.path();
  c.gate->Hold();
  Liveness live(c.f.window.get());
  bool answered = false;
  bool progressShown = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<QProgressDialog*>(w) && w->isVisible()) progressShown = true;
    if (!answered && slowfs_waiting() > 0 && live.Answered() && progressShown) {
      answered = true;
      c.gate->Release();
    }
  });
  probe.start(5);
  c.f.window->OnSave();
  probe.stop();
  EXPECT_TRUE(answered);
  EXPECT_FALSE(c.gate->TimedOut());
  EXPECT_EQ(QFileInfo(backup.filePath(QFileInfo(c.paths[3]).fileName())).size(), 2 * kMiB);
  EXPECT_EQ(slowfs_ui_calls(), 0);
}

// A FIFO, a link to a device and a link loop named like recordings: none is listed, and none is
// opened in a way that waits, by the scan, the walk or the player.
TEST(HostileFiles, FifosAndDevicesNamedLikeRecordingsAreNeitherListedNorOpened) {
  SlowCard c;
  const QByteArray recordings = QFile::encodeName(c.card.RecordingsPath()) + "/";
  const QByteArray fifo = recordings + "20261209_090000_NOR_1F.AVI";
  ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/zero", (recordings + "20261209_090100_NOR_1F.AVI").constData()), 0);
  const QByteArray loop = recordings + "20261209_090200_NOR_1F.AVI";
  ASSERT_EQ(::symlink(loop.constData(), loop.constData()), 0);
  FifoRescue rescue({fifo});
  ASSERT_TRUE(c.ListCard());
  EXPECT_EQ(c.f.window->RecordingList()->GetItemCount(), 6);

  c.f.window->OnInformation();
  auto* dialog = c.f.window->findChild<CInformationDlg*>(ControlName(kInformationTemplate));
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->FiguresPending(); }, kWaitMs));
  EXPECT_EQ(dialog->LabelText(IDC_INFO_FIRMWARE), "1.007");
  EXPECT_EQ(slowfs_blocking_opens(fifo.constData()), 0);
  EXPECT_FALSE(rescue.Rescued());
}

// A recording that turns into a FIFO after the scan (or a FIFO in place of the configuration file):
// the player skips it with a notice, a save reports it unreadable, the information dialog shows no
// version; nothing waits for a writer.
TEST(HostileFiles, AFifoInPlaceOfAListedFileIsRefusedWithoutWaiting) {
  SlowCard c;
  ASSERT_TRUE(c.ListCard());
  const QString name = QFileInfo(c.paths[0]).fileName();
  const QByteArray path = QFile::encodeName(c.paths[0]);
  ASSERT_TRUE(QFile::remove(c.paths[0]));
  ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
  const QByteArray config = QFile::encodeName(c.card.Root() + "Configs/qx5_sysenv.cfg");
  ASSERT_TRUE(QFile::remove(QFile::decodeName(config)));
  ASSERT_EQ(::mkfifo(config.constData(), 0600), 0);
  FifoRescue rescue({path, config});

  c.f.window->Lists().SetChecked(0, true);
  QStringList failures;
  c.f.window->DialogHooks().copy.showFailures = [&](const QString& message) { failures << message; };
  QTemporaryDir backup;
  c.f.folderAnswer = backup.path();
  c.f.window->OnSave();
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures[0].contains(name));
  EXPECT_TRUE(QDir(backup.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

  // None of the card's files is a real recording: the walk on from the FIFO ends with one notice.
  c.f.window->PlayRow(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !c.f.notices.isEmpty(); }, kWaitMs));
  EXPECT_TRUE(c.f.notices.first().contains(name));

  c.f.window->OnInformation();
  auto* dialog = c.f.window->findChild<CInformationDlg*>(ControlName(kInformationTemplate));
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->FiguresPending(); }, kWaitMs));
  EXPECT_EQ(dialog->LabelText(IDC_INFO_FIRMWARE), "");

  EXPECT_EQ(slowfs_blocking_opens(path.constData()), 0);
  EXPECT_EQ(slowfs_blocking_opens(config.constData()), 0);
  EXPECT_FALSE(rescue.Rescued());
}
