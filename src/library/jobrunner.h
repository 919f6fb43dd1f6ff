// JobRunner: file-system work off the user-interface thread. A card that answers slowly, or not
// at all, must never stop the window painting, so scans, deletes and walks run on a thread of
// their own; what a job found is applied on the runner's thread in one step, after it ended.
#pragma once

#include <QObject>
#include <functional>
#include <list>
#include <stop_token>
#include <thread>

class JobRunner : public QObject {
  Q_OBJECT
 public:
  // Runs on the runner's thread once the job ended, unless the job was dropped.
  using Apply = std::function<void()>;
  // Runs on the job's own thread; it never touches widgets and never waits for the runner's
  // thread. It checks stop between file-system calls: a dropped job ends at the next one.
  using Work = std::function<Apply(std::stop_token stop)>;

  explicit JobRunner(QObject* parent = nullptr);
  // Asks every job to stop and joins it; nothing more is applied. A job inside a file-system call
  // is waited for until the call returns.
  ~JobRunner() override;

  // Starts work on a new thread. A job of this runner still running is superseded: it is asked
  // to stop and what it finds is dropped.
  void Start(Work work);
  // Drops the running job's result and asks it to stop. Its thread is joined once it has ended,
  // without waiting for it here.
  void Drop();
  // Whether a job's result is still to come.
  bool IsRunning() const { return current_ != 0; }

 signals:
  // The runner went from idle to running or back (a superseded job does not make it idle).
  void runningChanged(bool running);

 private:
  void Finish(quint64 id, Apply apply);

  // ---- Runner's thread only ----
  struct Job {
    quint64 id = 0;
    std::jthread thread;
  };
  std::list<Job> jobs_;  // running or ended but not yet joined, superseded ones included
  quint64 current_ = 0;  // the job whose result is awaited; 0 for none
  quint64 lastId_ = 0;
  bool toldRunning_ = false;  // what runningChanged said last
};
