#include "filecopy.h"

#include "nativepath.h"
#include "recordingentry.h"
#include "regularfile.h"
#include "resourceids.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <thread>
#include <unistd.h>

namespace {

// Large enough that a copy is limited by the disks, small enough that Cancel answers at once.
constexpr qint64 kChunkBytes = 1 << 20;
constexpr int kProgressSteps = 1000;
// The temporary copy's name adds a dot, a random part and ".part" to the name; a long name is cut
// so that the temporary name still fits the 255 bytes a name may have.
constexpr qsizetype kTemporaryStemBytes = 200;

QString SystemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

FileCopyResult Failure(CopyOutcome outcome, QString detail = QString()) {
  return FileCopyResult{outcome, std::move(detail)};
}

// The rename must reach the disk too, or a power loss can bring back the old directory entry.
void SyncDirectory(const QByteArray& directory) {
  const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

bool LacksSpace(const QByteArray& directory, qint64 bytesNeeded) {
  struct statvfs vfs {};
  if (::statvfs(directory.constData(), &vfs) != 0) return false;
  const unsigned long long available = static_cast<unsigned long long>(vfs.f_bavail) * vfs.f_frsize;
  return available < static_cast<unsigned long long>(std::max<qint64>(bytesNeeded, 0));
}

bool IsNotWritable(const QByteArray& directory) {
  if (::access(directory.constData(), W_OK) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
    return true;
  struct statvfs vfs {};
  return ::statvfs(directory.constData(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY);
}

// Closes a descriptor when the copy gives up; the temporary copy is removed with it.
class Descriptor {
 public:
  explicit Descriptor(int fd, QByteArray removeOnClose = QByteArray())
      : fd_(fd), removeOnClose_(std::move(removeOnClose)) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
    if (!removeOnClose_.isEmpty()) ::unlink(removeOnClose_.constData());
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now; the error of the close (a write the file system failed late) is returned.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void Keep() { removeOnClose_.clear(); }

 private:
  int fd_;
  QByteArray removeOnClose_;
};

// A write of all of data, through interruptions; the system's error, or 0.
int WriteAll(int fd, const char* data, qint64 size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    data += n;
    size -= n;
  }
  return 0;
}

}  // namespace

FileCopyResult CopyFileSafely(const QString& source, const QString& destination,
                              const std::atomic<bool>& cancel,
                              const std::function<void(qint64, qint64)>& progress) {
  // A FIFO or a device in place of the recording is refused without waiting on it.
  Descriptor in(OpenRegularFileForReading(source));
  if (in.Get() < 0) return Failure(CopyOutcome::SourceUnreadable);
  struct stat sourceInfo {};
  if (::fstat(in.Get(), &sourceInfo) != 0) return Failure(CopyOutcome::SourceUnreadable);
  const qint64 total = static_cast<qint64>(sourceInfo.st_size);

  // The destination's own bytes: the copy of a name that is not UTF-8 keeps that name exactly.
  const QByteArray target = NativePath(destination);
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray directory = slash > 0 ? target.left(slash) : slash == 0 ? QByteArray("/") : QByteArray(".");
  const QByteArray name = target.mid(slash + 1);
  struct stat existing {};
  if (::stat(target.constData(), &existing) == 0 && S_ISDIR(existing.st_mode))
    return Failure(CopyOutcome::Failed, QStringLiteral("A folder has that name."));
  struct stat folder {};
  if (::stat(directory.constData(), &folder) != 0 || !S_ISDIR(folder.st_mode))
    return Failure(CopyOutcome::Failed, QStringLiteral("The destination folder does not exist."));
  if (IsNotWritable(directory)) return Failure(CopyOutcome::TargetNotWritable);
  // The old file stays until the new one is complete, so the whole new size must fit beside it.
  if (LacksSpace(directory, total)) return Failure(CopyOutcome::DiskFull);

  QByteArray temporary = directory + (directory.endsWith('/') ? "." : "/.") + name.left(kTemporaryStemBytes) +
                         ".XXXXXX.part";
  const int outFd = ::mkostemps(temporary.data(), 5, O_CLOEXEC);
  if (outFd < 0) {
    const int error = errno;
    if (IsNotWritable(directory)) return Failure(CopyOutcome::TargetNotWritable);
    return Failure(CopyOutcome::Failed, SystemError(error));
  }
  Descriptor out(outFd, temporary);

  std::unique_ptr<char[]> buffer(new char[kChunkBytes]);
  qint64 done = 0;
  if (progress) progress(0, total);
  for (;;) {
    if (cancel.load()) return Failure(CopyOutcome::Cancelled);
    const ssize_t got = ::read(in.Get(), buffer.get(), kChunkBytes);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failure(CopyOutcome::SourceUnreadable);
    if (got == 0) break;
    if (const int error = WriteAll(out.Get(), buffer.get(), got)) {
      if (LacksSpace(directory, total - done)) return Failure(CopyOutcome::DiskFull);
      return Failure(CopyOutcome::Failed, SystemError(error));
    }
    done += got;
    if (progress) progress(done, total);
  }

  // Times and permissions are set after the last write, which would otherwise move them again.
  ::fchmod(out.Get(), (sourceInfo.st_mode & 0777) | S_IRUSR | S_IWUSR);
  const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
  ::futimens(out.Get(), times);
  if (::fsync(out.Get()) != 0 || out.Close() != 0) {
    if (LacksSpace(directory, 1)) return Failure(CopyOutcome::DiskFull);
    return Failure(CopyOutcome::Failed, QStringLiteral("The copy could not be written to disk."));
  }
  if (cancel.load()) return Failure(CopyOutcome::Cancelled);

  // The one step that makes the copy visible replaces the old file atomically.
  if (::rename(temporary.constData(), target.constData()) != 0)
    return Failure(CopyOutcome::Failed, SystemError(errno));
  out.Keep();
  SyncDirectory(directory);
  return FileCopyResult{CopyOutcome::Copied, QString()};
}

CopyCheck CheckCopy(const QString& source, const QString& destination) {
  struct stat from {};
  if (::stat(NativePath(source).constData(), &from) != 0 || !S_ISREG(from.st_mode)) return CopyCheck::SourceUnusable;
  struct stat to {};
  if (::stat(NativePath(destination).constData(), &to) != 0) return CopyCheck::Ready;
  if (to.st_dev == from.st_dev && to.st_ino == from.st_ino) return CopyCheck::SameFile;
  // A folder of that name is reported by the copy itself.
  return S_ISDIR(to.st_mode) ? CopyCheck::Ready : CopyCheck::DestinationExists;
}

QString SaveDestination(const QString& folder, const QString& name, const QString& path) {
  const QString stem = name.size() >= 4 ? name.left(name.size() - 4) : QString();
  const QString separator = folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
  return folder + separator + stem + path.right(4);
}

namespace {

OverwriteAnswer AskOverwriteWithMessageBox(QWidget* owner, const QString& title,
                                           const QString& question,
                                           const std::function<QString(int)>& loadUiString) {
  QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, owner);
  QPushButton* replace = box.addButton(loadUiString(ids::IDS_COPY_REPLACE_BUTTON), QMessageBox::AcceptRole);
  QPushButton* skip = box.addButton(loadUiString(ids::IDS_COPY_SKIP_BUTTON), QMessageBox::RejectRole);
  QPushButton* cancelRest = box.addButton(loadUiString(ids::IDS_COPY_CANCEL_BUTTON), QMessageBox::DestructiveRole);
  box.setDefaultButton(skip);
  box.setEscapeButton(cancelRest);
  auto* applyToAll = new QCheckBox(loadUiString(ids::IDS_COPY_APPLY_TO_ALL), &box);
  box.setCheckBox(applyToAll);
  box.exec();
  OverwriteAnswer answer;
  answer.applyToAll = applyToAll->isChecked();
  if (box.clickedButton() == replace)
    answer.choice = OverwriteChoice::Replace;
  else if (box.clickedButton() == skip)
    answer.choice = OverwriteChoice::Skip;
  else
    answer.choice = OverwriteChoice::CancelRest;
  return answer;
}

QString FileNameOf(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

// Runs work on a thread of its own while this thread goes on handling events (painting, the
// progress window's Cancel); returns once work has.
template <typename Result>
Result RunOffThread(const std::function<Result()>& work) {
  Result result{};
  QEventLoop loop;
  std::thread worker([&] {
    result = work();
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  return result;
}

QString ReasonText(const FileCopyResult& result, const std::function<QString(int)>& load) {
  switch (result.outcome) {
    case CopyOutcome::DiskFull: return load(ids::IDS_COPY_DISK_FULL);
    case CopyOutcome::TargetNotWritable: return load(ids::IDS_COPY_READ_ONLY);
    case CopyOutcome::SourceUnreadable: return load(ids::IDS_COPY_SOURCE_UNREADABLE);
    default: return result.detail;
  }
}

}  // namespace

CopyReport CopyRecordings(QWidget* owner, const std::vector<CopyJob>& jobs,
                          std::function<QString(int)> loadUiString) {
  return CopyRecordings(owner, jobs, std::move(loadUiString), CopyHooks{});
}

CopyReport CopyRecordings(QWidget* owner, const std::vector<CopyJob>& jobs,
                          std::function<QString(int)> loadUiString, const CopyHooks& hooks) {
  CopyReport report;
  if (jobs.empty()) return report;
  const QString title = loadUiString(ids::IDS_APP_TITLE);

  std::atomic<bool> cancel{false};
  std::unique_ptr<QProgressDialog> progressDialog;
  if (hooks.showProgress) {
    progressDialog = std::make_unique<QProgressDialog>(owner);
    progressDialog->setWindowTitle(QStringLiteral("File Copy"));
    progressDialog->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    progressDialog->setRange(0, kProgressSteps);
    progressDialog->setMinimumDuration(0);
    progressDialog->setAutoClose(false);
    progressDialog->setAutoReset(false);
    QObject::connect(progressDialog.get(), &QProgressDialog::canceled,
                     [&cancel] { cancel.store(true); });
    progressDialog->show();
  }

  std::optional<OverwriteChoice> choiceForAll;
  const int jobCount = static_cast<int>(jobs.size());
  for (int index = 0; index < jobCount; ++index) {
    if (cancel.load()) {
      report.cancelled = true;
      break;
    }
    const CopyJob& job = jobs[static_cast<size_t>(index)];
    const QString fileName = RecordingDisplayName(FileNameOf(job.destination));

    // Even a look at the source may wait on a slow card: it is made off this thread too.
    const CopyCheck check = RunOffThread<CopyCheck>([&job] { return CheckCopy(job.source, job.destination); });
    if (check == CopyCheck::SourceUnusable) {
      // A row whose file has gone is still a file the user asked for and did not get.
      ++report.failed;
      report.errors.append(loadUiString(ids::IDS_COPY_FAILED)
                               .arg(fileName, loadUiString(ids::IDS_COPY_SOURCE_UNREADABLE)));
      continue;
    }
    if (check == CopyCheck::SameFile) {
      ++report.skipped;  // saving a file onto itself changes nothing
      continue;
    }
    if (check == CopyCheck::DestinationExists) {
      OverwriteChoice choice;
      if (choiceForAll) {
        choice = *choiceForAll;
      } else {
        const OverwriteAnswer answer =
            hooks.askOverwrite ? hooks.askOverwrite(job.destination)
                               : AskOverwriteWithMessageBox(
                                     progressDialog ? static_cast<QWidget*>(progressDialog.get())
                                                    : owner,
                                     title, loadUiString(ids::IDS_COPY_REPLACE).arg(fileName), loadUiString);
        choice = answer.choice;
        if (answer.applyToAll) choiceForAll = choice;
      }
      if (choice == OverwriteChoice::Skip) {
        ++report.skipped;
        continue;
      }
      if (choice == OverwriteChoice::CancelRest) {
        report.cancelled = true;
        break;
      }
    }

    if (progressDialog)
      progressDialog->setLabelText(loadUiString(ids::IDS_COPY_PROGRESS).arg(fileName));

    // The copy runs on its own thread so that the window keeps painting and Cancel answers; the
    // bar follows through queued calls, one per step it moves, and the worker never waits for it.
    // The window outlives the worker; a step still posted when it goes is dropped with it.
    QProgressDialog* const bar = progressDialog.get();
    const FileCopyResult result = RunOffThread<FileCopyResult>([&, bar] {
      int shownStep = -1;
      return CopyFileSafely(job.source, job.destination, cancel, [&, bar](qint64 done, qint64 total) {
        if (!bar) return;
        const double fileShare = total > 0 ? double(done) / double(total) : 0.0;
        const int step = int((index + fileShare) * kProgressSteps / jobCount);
        if (step == shownStep) return;
        shownStep = step;
        QMetaObject::invokeMethod(bar, [bar, step] { bar->setValue(step); }, Qt::QueuedConnection);
      });
    });

    switch (result.outcome) {
      case CopyOutcome::Copied: ++report.copied; break;
      case CopyOutcome::Cancelled: report.cancelled = true; break;
      default:
        ++report.failed;
        report.errors.append(
            loadUiString(ids::IDS_COPY_FAILED).arg(fileName, ReasonText(result, loadUiString)));
        break;
    }
    if (report.cancelled) break;
  }

  if (progressDialog) {
    progressDialog->setValue(kProgressSteps);
    progressDialog->close();
  }
  if (!report.errors.isEmpty()) {
    const QString message = loadUiString(ids::IDS_COPY_SUMMARY).arg(report.copied).arg(jobCount) +
                            QStringLiteral("\n\n") + report.errors.join(QStringLiteral("\n\n"));
    if (hooks.showFailures)
      hooks.showFailures(message);
    else
      QMessageBox::warning(owner, title, message);
  }
  return report;
}
