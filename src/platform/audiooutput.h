// The process's audio output: the wave-out volume word (left channel in the low 16 bits, right in
// the high 16 bits) of the default output device, or "no device" when there is none.
#pragma once

#include <QObject>
#include <optional>

class AudioOutput : public QObject {
  Q_OBJECT
 public:
  enum class Presence { Detect, Present, Absent };
  // Detect asks Qt Multimedia for a default output device; tests may force either answer.
  explicit AudioOutput(Presence presence = Presence::Detect, QObject* parent = nullptr);

  bool HasDevice() const { return hasDevice_; }
  // Like waveOutGetVolume: no value when there is no device.
  std::optional<quint32> GetVolume() const;
  // Like waveOutSetVolume: false (and nothing changes) when there is no device.
  bool SetVolume(quint32 word);

  // The word as a linear gain of 0..1 for the audio renderer (the mean of both channels).
  double Gain() const;
  static quint32 WordForStep(int step);  // t = step x 655.35 truncated, in both channels

 signals:
  void volumeChanged(double gain);

 private:
  bool hasDevice_ = false;
  quint32 word_ = 0xFFFFFFFF;
};
