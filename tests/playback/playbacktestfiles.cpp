#include "playbacktestfiles.h"

#include "recordingwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace playbacktest {
namespace {

const Recording kRecordings[] = {
    {"two.avi", false, 2, true}, {"one.avi", false, 1, true}, {"two.mp4", true, 2, true},
    {"one.mp4", true, 1, true},  {"mute.avi", false, 2, false},
};

QTemporaryDir& Folder() {
  static QTemporaryDir dir;
  return dir;
}

}  // namespace

QString Path(const QString& name) {
  const QString path = Folder().filePath(name);
  if (QFile::exists(path)) return path;
  for (const Recording& r : kRecordings) {
    if (name != QLatin1String(r.name)) continue;
    RecordingSettings s;
    s.container = r.mp4 ? Container::Mp4 : Container::Avi;
    s.cameras = r.cameras;
    s.durationMs = kDurationMs;
    s.video.width = kWidth;
    s.video.height = kHeight;
    s.video.fps = kFps;
    s.audio.enabled = r.audio;
    s.telemetry = true;
    s.samples = {{0, "M,0,0,1000"}, {500, "GPRMC,000000.00,A"}, {1700, "M,1,2,3"}};
    const WriteResult w = WriteRecording(path.toStdString(), s);
    if (!w) qFatal("cannot write %s: %s", r.name, w.error.c_str());
    return path;
  }
  qFatal("unknown test recording %s", qPrintable(name));
}

QString SampleCard() {
  QString card = qEnvironmentVariable("TAVRO_SAMPLE_CARD");
  if (card.isEmpty()) card = QStringLiteral(TAVRO_DEFAULT_SAMPLE_CARD);
  return QDir(card).exists("Recordings") ? card : QString();
}

QString WriteFile(const QString& name, const QByteArray& bytes) {
  const QString path = Folder().filePath(name);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
  return path;
}

}  // namespace playbacktest
