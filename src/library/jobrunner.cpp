#include "jobrunner.h"

#include <QPointer>
#include <utility>

JobRunner::JobRunner(QObject* parent) : QObject(parent) {}

JobRunner::~JobRunner() {
  for (Job& job : jobs_) job.thread.request_stop();
  jobs_.clear();  // joins each thread
}

void JobRunner::Start(Work work) {
  for (Job& job : jobs_)
    if (job.id == current_) job.thread.request_stop();
  const quint64 id = ++lastId_;
  current_ = id;
  Job& job = jobs_.emplace_back();
  job.id = id;
  job.thread = std::jthread([this, id, work = std::move(work)](std::stop_token stop) {
    Apply apply = work(stop);
    // Posted, never waited for: the job's thread ends at once. The posted call dies with this
    // object if the runner goes first.
    QMetaObject::invokeMethod(
        this, [this, id, apply = std::move(apply)]() mutable { Finish(id, std::move(apply)); },
        Qt::QueuedConnection);
  });
  if (!toldRunning_) {
    toldRunning_ = true;
    emit runningChanged(true);
  }
}

void JobRunner::Drop() {
  for (Job& job : jobs_)
    if (job.id == current_) job.thread.request_stop();
  current_ = 0;
  if (toldRunning_) {
    toldRunning_ = false;
    emit runningChanged(false);
  }
}

void JobRunner::Finish(quint64 id, Apply apply) {
  for (auto it = jobs_.begin(); it != jobs_.end(); ++it) {
    if (it->id != id) continue;
    // The job posted this call as its last step, so the join waits for no work.
    it->thread.join();
    jobs_.erase(it);
    break;
  }
  if (id != current_) return;
  current_ = 0;
  // The result may start the next job (a delete's rescan): the runner is busy without a break.
  // It may also run a nested event loop in which the runner's owner goes away.
  const QPointer<JobRunner> alive(this);
  if (apply) apply();
  if (!alive) return;
  if (!IsRunning() && toldRunning_) {
    toldRunning_ = false;
    emit runningChanged(false);
  }
}
