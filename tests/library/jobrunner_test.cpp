#include "jobrunner.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

namespace {

constexpr int kWaitMs = 60000;  // a bound for failures only: every wait ends on its condition

// A job that waits until it is asked to stop (or let go), as a call on a card that stopped
// answering would, and says what it saw.
struct StuckJob {
  std::mutex mutex;
  std::condition_variable_any wake;
  bool letGo = false;
  std::atomic<bool> sawStop{false};
  std::atomic<bool> ended{false};

  JobRunner::Work Work(QStringList& applied, const QString& name) {
    return [this, &applied, name](std::stop_token stop) -> JobRunner::Apply {
      std::unique_lock lock(mutex);
      wake.wait(lock, stop, [this] { return letGo; });
      sawStop = stop.stop_requested();
      ended = true;
      return [&applied, name] { applied << name; };
    };
  }
  void LetGo() {
    {
      std::lock_guard lock(mutex);
      letGo = true;
    }
    wake.notify_all();
  }
};

JobRunner::Work Quick(QStringList& applied, const QString& name) {
  return [&applied, name](std::stop_token) -> JobRunner::Apply { return [&applied, name] { applied << name; }; };
}

TEST(JobRunner, OnlyTheLastJobsResultIsAppliedAndOnTheRunnersThread) {
  JobRunner runner;
  QList<bool> told;
  QObject::connect(&runner, &JobRunner::runningChanged, [&](bool running) { told << running; });
  QStringList applied;
  StuckJob stuck;
  runner.Start(stuck.Work(applied, "superseded"));
  QThread* applyThread = nullptr;
  QThread* workThread = nullptr;
  runner.Start([&](std::stop_token) -> JobRunner::Apply {
    workThread = QThread::currentThread();
    return [&] {
      applyThread = QThread::currentThread();
      applied << "last";
    };
  });
  EXPECT_TRUE(runner.IsRunning());
  // The superseded job is asked to stop and ends on its own; its result never arrives.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !runner.IsRunning() && stuck.ended; }, kWaitMs));
  QCoreApplication::processEvents();
  EXPECT_TRUE(stuck.sawStop);
  EXPECT_EQ(applied, QStringList{"last"});
  EXPECT_EQ(applyThread, QThread::currentThread());
  EXPECT_NE(workThread, QThread::currentThread());
  EXPECT_EQ(told, (QList<bool>{true, false}));  // a superseded job does not make it idle
}

TEST(JobRunner, DroppedAndDestroyedJobsApplyNothing) {
  QStringList applied;
  {
    JobRunner runner;
    QList<bool> told;
    QObject::connect(&runner, &JobRunner::runningChanged, [&](bool running) { told << running; });
    StuckJob stuck;
    runner.Start(stuck.Work(applied, "dropped"));
    runner.Drop();
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(told, (QList<bool>{true, false}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return stuck.ended.load(); }, kWaitMs));
    EXPECT_TRUE(stuck.sawStop);
    QCoreApplication::processEvents();
  }
  StuckJob stuck;
  {
    JobRunner runner;
    runner.Start(stuck.Work(applied, "destroyed"));
    // The destructor asks the job to stop and joins it; its posted result goes with the runner.
  }
  EXPECT_TRUE(stuck.ended);
  EXPECT_TRUE(stuck.sawStop);
  QCoreApplication::processEvents();
  EXPECT_TRUE(applied.isEmpty());
}

// A delete's result starts its rescan: the runner stays busy from the one to the other, and says
// so once at each end.
TEST(JobRunner, AResultThatStartsTheNextJobKeepsTheRunnerBusy) {
  JobRunner runner;
  QList<bool> told;
  QObject::connect(&runner, &JobRunner::runningChanged, [&](bool running) { told << running; });
  QStringList applied;
  runner.Start([&](std::stop_token) -> JobRunner::Apply {
    return [&] {
      applied << "first";
      runner.Start(Quick(applied, "second"));
    };
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return applied.size() == 2; }, kWaitMs));
  EXPECT_EQ(applied, (QStringList{"first", "second"}));
  EXPECT_FALSE(runner.IsRunning());
  EXPECT_EQ(told, (QList<bool>{true, false}));
}

}  // namespace
