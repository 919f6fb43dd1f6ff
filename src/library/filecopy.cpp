#include "filecopy.h"

#include "resourceids.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Large enough that a copy is limited by the disks, small enough that Cancel answers at once.
constexpr qint64 kChunkBytes = 1 << 20;
constexpr int kProgressSteps = 1000;
constexpr int kProgressRefreshMs = 100;

bool SyncToDisk(int handle) {
#if defined(_WIN32)
  return _commit(handle) == 0;
#else
  return ::fsync(handle) == 0;
#endif
}

// The rename must reach the disk too, or a power loss can bring back the old directory entry.
void SyncDirectory(const QString& directory) {
#if !defined(_WIN32)
  const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#else
  Q_UNUSED(directory);
#endif
}

bool LacksSpace(const QString& directory, qint64 bytesNeeded) {
  const QStorageInfo storage(directory);
  return storage.isValid() && storage.isReady() && storage.bytesAvailable() >= 0 &&
         storage.bytesAvailable() < bytesNeeded;
}

bool IsNotWritable(const QString& directory) {
  const QFileInfo dir(directory);
  if (dir.exists() && !dir.isWritable()) return true;
  const QStorageInfo storage(directory);
  return storage.isValid() && storage.isReadOnly();
}

FileCopyResult Failure(CopyOutcome outcome, QString detail = QString()) {
  return FileCopyResult{outcome, std::move(detail)};
}

}  // namespace

FileCopyResult CopyFileSafely(const QString& source, const QString& destination,
                              const std::atomic<bool>& cancel,
                              const std::function<void(qint64, qint64)>& progress) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return Failure(CopyOutcome::SourceUnreadable);
  const qint64 total = in.size();

  const QFileInfo target(destination);
  const QString directory = target.absolutePath();
  if (target.isDir()) return Failure(CopyOutcome::Failed, QStringLiteral("A folder has that name."));
  if (!QFileInfo(directory).isDir())
    return Failure(CopyOutcome::Failed, QStringLiteral("The destination folder does not exist."));
  if (IsNotWritable(directory)) return Failure(CopyOutcome::TargetNotWritable);
  // The old file stays until the new one is complete, so the whole new size must fit beside it.
  if (LacksSpace(directory, total)) return Failure(CopyOutcome::DiskFull);

  QTemporaryFile out(directory + QStringLiteral("/.") + target.fileName() +
                     QStringLiteral(".XXXXXX.part"));
  out.setAutoRemove(true);
  if (!out.open()) {
    if (IsNotWritable(directory)) return Failure(CopyOutcome::TargetNotWritable);
    return Failure(CopyOutcome::Failed, out.errorString());
  }

  std::unique_ptr<char[]> buffer(new char[kChunkBytes]);
  qint64 done = 0;
  if (progress) progress(0, total);
  for (;;) {
    if (cancel.load()) return Failure(CopyOutcome::Cancelled);
    const qint64 got = in.read(buffer.get(), kChunkBytes);
    if (got < 0) return Failure(CopyOutcome::SourceUnreadable);
    if (got == 0) break;
    if (out.write(buffer.get(), got) != got) {
      if (LacksSpace(directory, total - done)) return Failure(CopyOutcome::DiskFull);
      return Failure(CopyOutcome::Failed, out.errorString());
    }
    done += got;
    if (progress) progress(done, total);
  }
  if (!out.flush()) {
    if (LacksSpace(directory, 1)) return Failure(CopyOutcome::DiskFull);
    return Failure(CopyOutcome::Failed, out.errorString());
  }

  // Times and permissions are set after the last write, which would otherwise move them again.
  out.setPermissions(in.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  out.setFileTime(in.fileTime(QFileDevice::FileModificationTime), QFileDevice::FileModificationTime);
  out.setFileTime(in.fileTime(QFileDevice::FileAccessTime), QFileDevice::FileAccessTime);
  if (!SyncToDisk(out.handle())) {
    if (LacksSpace(directory, 1)) return Failure(CopyOutcome::DiskFull);
    return Failure(CopyOutcome::Failed, QStringLiteral("The copy could not be written to disk."));
  }
  const QString temporaryName = out.fileName();
  out.close();
  if (cancel.load()) return Failure(CopyOutcome::Cancelled);

  // The one step that makes the copy visible replaces the old file atomically.
#if defined(_WIN32)
  std::error_code error;
  std::filesystem::rename(std::filesystem::path(temporaryName.toStdWString()),
                          std::filesystem::path(destination.toStdWString()), error);
  if (error) return Failure(CopyOutcome::Failed, QString::fromStdString(error.message()));
#else
  if (::rename(QFile::encodeName(temporaryName).constData(),
               QFile::encodeName(destination).constData()) != 0)
    return Failure(CopyOutcome::Failed, QString::fromLocal8Bit(std::strerror(errno)));
#endif
  out.setAutoRemove(false);
  SyncDirectory(directory);
  return FileCopyResult{CopyOutcome::Copied, QString()};
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
    const QFileInfo source(job.source);
    const QString fileName = QFileInfo(job.destination).fileName();

    if (!source.exists() || source.isDir()) {
      // A row whose file has gone is still a file the user asked for and did not get.
      ++report.failed;
      report.errors.append(loadUiString(ids::IDS_COPY_FAILED)
                               .arg(fileName, loadUiString(ids::IDS_COPY_SOURCE_UNREADABLE)));
      continue;
    }
    const QFileInfo destination(job.destination);
    if (destination.exists() && !source.canonicalFilePath().isEmpty() &&
        source.canonicalFilePath() == destination.canonicalFilePath()) {
      ++report.skipped;  // saving a file onto itself changes nothing
      continue;
    }
    if (destination.exists() && !destination.isDir()) {
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

    // The copy runs on its own thread so that the window keeps painting and Cancel answers;
    // this loop only waits for it.
    std::atomic<qint64> doneBytes{0};
    std::atomic<qint64> totalBytes{0};
    FileCopyResult result;
    QEventLoop loop;
    QTimer refresh;
    refresh.setInterval(kProgressRefreshMs);
    QObject::connect(&refresh, &QTimer::timeout, [&] {
      if (!progressDialog) return;
      const qint64 total = totalBytes.load();
      const double fileShare = total > 0 ? double(doneBytes.load()) / double(total) : 0.0;
      progressDialog->setValue(int((index + fileShare) * kProgressSteps / jobCount));
    });
    refresh.start();
    std::thread worker([&] {
      result = CopyFileSafely(job.source, job.destination, cancel, [&](qint64 done, qint64 total) {
        doneBytes.store(done);
        totalBytes.store(total);
      });
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    refresh.stop();

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
