// Small recordings written once per test program with make-card's writer, so each test knows
// exactly which frame of which camera a window must show.
#pragma once

#include <QString>

namespace playbacktest {

struct Recording {
  const char* name;
  bool mp4;
  int cameras;
  bool audio;
};

inline constexpr int kFps = 15;
inline constexpr int kDurationMs = 4000;
inline constexpr int kWidth = 320;
inline constexpr int kHeight = 180;

// The path of the named recording ("two.avi", "one.avi", "two.mp4", "one.mp4", "mute.avi"),
// written on first use into a folder that lives as long as the program.
QString Path(const QString& name);
// The sample card's root: TAVRO_SAMPLE_CARD, else the build tree's card; empty when neither
// holds a Recordings folder.
QString SampleCard();
// A file of the given bytes in the same folder.
QString WriteFile(const QString& name, const QByteArray& bytes);

}  // namespace playbacktest
