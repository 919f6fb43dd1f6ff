// Saving recordings to a folder of the PC: each file is copied under a temporary name beside its
// destination and renamed over it only once it is complete and on disk, so a failed or cancelled
// copy never leaves a half-written file under the final name, nor destroys the file it replaces.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

class QWidget;

struct CopyJob {
  QString source;
  QString destination;
};

struct CopyReport {
  int copied = 0;
  int skipped = 0;
  int failed = 0;
  bool cancelled = false;
  QStringList errors;  // one message per failed file
};

// ---- One file, on any thread ----

enum class CopyOutcome { Copied, Cancelled, SourceUnreadable, DiskFull, TargetNotWritable, Failed };

struct FileCopyResult {
  CopyOutcome outcome = CopyOutcome::Failed;
  QString detail;  // the system's description when outcome is Failed
};

// Copies source to destination (replacing it), with the source's modification and access times.
// Both paths go to the file system through NativePath: a name that is not UTF-8 is copied to
// exactly the same bytes. A source that is not a regular file (a FIFO, a device) is refused as
// unreadable, never waited on. progress, when given, is called after every chunk with the bytes
// copied so far and the total. Setting cancel stops within the current chunk and removes the
// partial copy.
FileCopyResult CopyFileSafely(const QString& source, const QString& destination,
                              const std::atomic<bool>& cancel,
                              const std::function<void(qint64 done, qint64 total)>& progress = {});

// What a copy would meet, found without opening anything: whether the source is a regular file,
// whether the destination is that same file, whether a file is in the destination's place.
enum class CopyCheck { Ready, SourceUnusable, SameFile, DestinationExists };
CopyCheck CheckCopy(const QString& source, const QString& destination);

// ---- A batch, on the user-interface thread ----

enum class OverwriteChoice { Replace, Skip, CancelRest };
struct OverwriteAnswer {
  OverwriteChoice choice = OverwriteChoice::Skip;
  bool applyToAll = false;  // use the same choice for every later existing file
};

// The dialogs of a batch; empty members get the message boxes, tests give their own.
struct CopyHooks {
  std::function<OverwriteAnswer(const QString& destination)> askOverwrite;
  std::function<void(const QString& message)> showFailures;
  bool showProgress = true;
};

// Copies every job whose source exists, with a modal progress window titled "File Copy", a
// question before an existing file is replaced, and one message listing the failures at the end.
// Every file-system call runs on a worker thread while this thread goes on handling events, so a
// slow card never stops the window painting.
CopyReport CopyRecordings(QWidget* owner, const std::vector<CopyJob>& jobs,
                          std::function<QString(int)> loadUiString);
CopyReport CopyRecordings(QWidget* owner, const std::vector<CopyJob>& jobs,
                          std::function<QString(int)> loadUiString, const CopyHooks& hooks);

// The destination of a saved row: folder, "/", the name without its last four characters and the
// last four characters of the path (the extension as the file system spells it).
QString SaveDestination(const QString& folder, const QString& name, const QString& path);
