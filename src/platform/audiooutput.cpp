#include "audiooutput.h"

#include <QAudioDevice>
#include <QMediaDevices>

AudioOutput::AudioOutput(Presence presence, QObject* parent) : QObject(parent) {
  switch (presence) {
    case Presence::Detect: hasDevice_ = !QMediaDevices::defaultAudioOutput().isNull(); break;
    case Presence::Present: hasDevice_ = true; break;
    case Presence::Absent: hasDevice_ = false; break;
  }
}

std::optional<quint32> AudioOutput::GetVolume() const {
  if (!hasDevice_) return std::nullopt;
  return word_;
}

bool AudioOutput::SetVolume(quint32 word) {
  if (!hasDevice_) return false;
  word_ = word;
  emit volumeChanged(Gain());
  return true;
}

double AudioOutput::Gain() const {
  const double left = word_ & 0xFFFF;
  const double right = word_ >> 16;
  return (left + right) / 2.0 / 65535.0;
}

quint32 AudioOutput::WordForStep(int step) {
  if (step <= 0) return 0;
  // 655.35 per step: the top of a 0..100 scale is exactly 0xFFFF; the main window's 0..99 slider
  // therefore never reaches full volume (99 gives 64,879), as its users have always seen.
  const quint32 t = static_cast<quint32>(step * 655.35);
  const quint32 clamped = t > 0xFFFF ? 0xFFFF : t;
  return clamped | (clamped << 16);
}
