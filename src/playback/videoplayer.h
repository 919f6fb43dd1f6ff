// CVideoPlayer: the playback engine the main window owns. Holds the two video windows and the
// play graph of the opened recording, opens and closes recordings, and forwards the transport
// operations to the play graph. UI thread, except the telemetry-reader calls at the end, which
// the telemetry worker may make from its thread.
#pragma once

#include "playgraph.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <mutex>

class AudioOutput;
class ComponentFactory;
class QPainter;
class TelemetryReader;

class CVideoPlayer {
 public:
  // Both are owned by the application's platform services and outlive the player.
  CVideoPlayer(ComponentFactory& factory, AudioOutput* audio);
  ~CVideoPlayer();
  CVideoPlayer(const CVideoPlayer&) = delete;
  CVideoPlayer& operator=(const CVideoPlayer&) = delete;

  // Two-window mode with the front and rear video windows; creates the first play graph.
  void Attach(QWidget* frontWindow, QWidget* rearWindow);
  // 1 all components present; -1 no play graph or no telemetry reader, -2 no video decoder,
  // -3 no AAC decoder, -4 no brightness filter (the first missing one decides).
  int CheckFilters() const;
  // True when a graph was built and cued (state Stopped, first pictures shown). False before
  // Attach, for an empty path, or when the file cannot be played; then no play graph is left.
  bool Open(const QString& path);
  void Close();

  // Transport. Without a play graph: Play true, Pause E_FAIL, Stop VFW_E_WRONG_STATE, SeekTo true,
  // steps false, position and duration 0; the other calls do nothing.
  bool Play();            // from Paused or Stopped; at the end it restarts from 0
  int32_t Pause();        // any state with a graph
  int32_t Stop();         // from Running or Paused
  void SetRate(float rate);  // stored; applied clamped to [0.5, 2.0] when playback runs
  // Shows exactly the frame at `ms` (clamped to the recording). While running, the clock waits
  // at the target until the pictures are there.
  bool SeekTo(uint64_t ms);
  bool StepBack(int seconds);
  bool StepForward(int seconds);
  uint64_t GetPositionMs() const;
  uint64_t GetDurationMs();
  void Repaint();
  // Paints the front picture into `painter` (a painter on the front window or an ancestor of
  // it), or has the front window repainted when there is none.
  void PaintFront(QPainter* painter = nullptr);
  // Reaches brightness filters only; the built graphs hold none, so this changes nothing. The
  // visible brightness is the decoders' parameter pair (205, 1) + (202, b), see Decoder().
  void SetBrightness(int value);
  // The rear decoder's flip: parameter 1112 vertical, 1113 horizontal; on 1 or 0. Like every
  // decoder parameter it applies from the next decoded frame; a paused or stopped graph decodes
  // its current position again at once, so the change shows without playing on.
  void SetRearFlip(int parameter, int on);
  // The current front (0) or rear (1) picture at its native size, top-down.
  bool GrabFrame(int channel, QImage* image);

  // What the main window reads.
  CPlayGraph* PlayGraph() const { return playGraph_.get(); }
  PlayState State() const { return playGraph_ ? playGraph_->State() : PlayState::Empty; }
  int VideoStreamCount() const { return playGraph_ ? playGraph_->VideoStreamCount() : 0; }
  // The parameter interface of decoder 1 or 2; null when there is none.
  IDecoderParameters* Decoder(int number) const;
  int Mode() const { return mode_; }
  // For throughput measurements only: graphs opened from now on present every frame as soon as
  // it is decoded, ignoring the clock.
  void SetUnthrottled(bool unthrottled) { unthrottled_ = unthrottled; }
  ComponentFactory& Components() const { return factory_; }

  // For the telemetry worker, from any thread. The reader is shared, so it stays valid for the
  // load that holds it even when the play graph is replaced meanwhile.
  bool HasPlayGraph() const;
  // Stores the reader in the current play graph; false when there is none.
  bool HoldTelemetryReader(std::shared_ptr<TelemetryReader> reader);
  // The reader the current play graph holds, or null (no graph, or a graph that holds none).
  std::shared_ptr<TelemetryReader> HeldTelemetryReader() const;
  // Clears the current play graph's reader if it is `reader`.
  void ReleaseTelemetryReader(const std::shared_ptr<TelemetryReader>& reader);

 private:
  void ReplacePlayGraph(std::unique_ptr<CPlayGraph> next);

  ComponentFactory& factory_;
  QPointer<AudioOutput> audio_;
  int mode_ = 0;
  QPointer<QWidget> frontWindow_;
  QPointer<QWidget> rearWindow_;
  bool unthrottled_ = false;

  // Replaced on the UI thread; the telemetry worker reads it.
  mutable std::mutex playGraphMutex_;  // guards playGraph_ (the pointer) and its telemetryReader
  std::unique_ptr<CPlayGraph> playGraph_;
};
