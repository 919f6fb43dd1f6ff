// Scan benchmark: the time from reading a folder of 10,000 recordings to the first screen of
// both recording lists (rows model, a check cell per row in each list, one paint), next to a bare
// listing that reads the same directory and the size of every file.
#include "configlistctrl.h"
#include "recordinglist.h"
#include "recordingmodel.h"
#include "recordingscan.h"
#include "platformservices.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRecordings = 10'000;
constexpr int kRuns = 9;

// Recorder names over 35 days, a recording a minute while driving, types and containers mixed
// as a real card has them; sizes up to 100 MB as sparse files so the folder costs no space.
void MakeCard(const QString& folder) {
  QDir().mkpath(folder);
  const QStringList present = QDir(folder).entryList(QDir::Files);
  if (present.size() == kRecordings) return;
  for (const QString& name : present) QFile::remove(folder + QLatin1Char('/') + name);
  const char* types[] = {"NOR", "NOR", "NOR", "EVT", "MOT"};
  const QDateTime start(QDate(2026, 11, 1), QTime(7, 0));
  for (int i = 0; i < kRecordings; ++i) {
    const QDateTime t = start.addSecs(qint64(i / 300) * 86400 + (i % 300) * 60);
    const QString name = t.toString(QStringLiteral("yyyyMMdd_HHmmss_")) +
                         QLatin1String(types[i % 5]) + (i % 3 == 0 ? QStringLiteral("_FR") : QStringLiteral("_F1")) +
                         (i % 4 == 0 ? QStringLiteral(".MP4") : QStringLiteral(".AVI"));
    QFile f(folder + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
      std::exit(1);
    }
    f.resize(qint64(1 + (i * 7919) % 100) * 1'000'000);
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Milliseconds(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// The reference: one pass over the directory with the size of every file.
double BareListing(const QString& folder, qint64* total) {
  QElapsedTimer timer;
  timer.start();
  qint64 bytes = 0;
  int files = 0;
  QDirIterator it(folder, QDir::Files);
  while (it.hasNext()) {
    it.next();
    bytes += it.fileInfo().size();
    ++files;
  }
  *total = bytes + files;
  return Milliseconds(timer);
}

// The same with the C library: readdir and one stat per file, as cheap as a listing can be.
double BareReaddir(const QString& folder, qint64* total) {
  QElapsedTimer timer;
  timer.start();
  qint64 bytes = 0;
  const QByteArray path = QFile::encodeName(folder);
  const int dirFd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (DIR* dir = dirFd >= 0 ? ::fdopendir(dirFd) : nullptr) {
    while (const dirent* e = ::readdir(dir)) {
      if (e->d_name[0] == '.') continue;
      struct stat st {};
      if (::fstatat(dirFd, e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode)) bytes += st.st_size;
    }
    ::closedir(dir);
  }
  *total = bytes;
  return Milliseconds(timer);
}

struct Lists {
  QWidget window;
  RecordingModel model;
  CConfigListCtrl* main = nullptr;
  CConfigListCtrl* panel = nullptr;

  Lists() {
    window.resize(1022, 682);
    main = new CConfigListCtrl(1029, &window);
    main->setGeometry(695, 126, 308, 508);
    panel = new CConfigListCtrl(1083, &window);
    panel->setGeometry(10, 126, 308, 508);
    for (CConfigListCtrl* list : {main, panel}) {
      list->CreateScrollbar();
      list->UpdateLayout();
      SetUpRecordingList(*list, &model);
    }
    window.show();
  }
};

struct Phases {
  double scan = 0, rows = 0, paint = 0, total = 0;
};

Phases ScanIntoLists(Lists& lists, const QString& folder) {
  Phases p;
  QElapsedTimer timer;
  timer.start();
  std::vector<RecordingEntry> entries = ListFolderEntries(folder, ScanFilter{});
  p.scan = Milliseconds(timer);
  lists.model.SetEntries(std::move(entries));
  AttachCheckCells(*lists.main);
  AttachCheckCells(*lists.panel);
  p.rows = Milliseconds(timer) - p.scan;
  const QPixmap screen = lists.window.grab();
  p.total = Milliseconds(timer);
  p.paint = p.total - p.scan - p.rows;
  if (screen.isNull() || lists.main->GetItemCount() != kRecordings ||
      lists.panel->GetCell(kRecordings - 1, 3) == nullptr) {
    std::fprintf(stderr, "the lists did not get every row\n");
    std::exit(1);
  }
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString folder = (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("card")) +
                         QStringLiteral("/Recordings");
  MakeCard(folder);

  Lists lists;
  qint64 sink = 0;
  BareListing(folder, &sink);  // both measurements start from a warm directory cache
  std::vector<double> bare, readdirs, scan, rows, paint, total;
  for (int run = 0; run < kRuns; ++run) {
    lists.model.Clear();
    QCoreApplication::processEvents();
    bare.push_back(BareListing(folder, &sink));
    readdirs.push_back(BareReaddir(folder, &sink));
    const Phases p = ScanIntoLists(lists, folder);
    scan.push_back(p.scan);
    rows.push_back(p.rows);
    paint.push_back(p.paint);
    total.push_back(p.total);
  }
  std::printf("recordings: %d in %s\n", kRecordings, qPrintable(folder));
  std::printf("bare listing (QDirIterator + QFileInfo::size), median of %d: %.2f ms\n", kRuns,
              Median(bare));
  std::printf("bare listing (readdir + fstatat), median of %d: %.2f ms\n", kRuns, Median(readdirs));
  std::printf("scan into model + 2 lists + first screen, median of %d: %.2f ms\n", kRuns,
              Median(total));
  std::printf("  of which scan %.2f ms, model and check cells %.2f ms, first paint %.2f ms\n",
              Median(scan), Median(rows), Median(paint));
  // The headline compares with the faster of the two listings, so that it never flatters.
  const double reference = std::min(Median(bare), Median(readdirs));
  std::printf("ratio to the faster bare listing:\n%.2f\n", Median(total) / reference);
  return sink == 0 ? 1 : 0;
}
