// "FFDShow Decoder": the video decoder filter on libavcodec, one decode thread per instance,
// with the parameter interface for picture brightness and the rear image's flips. A parameter
// change applies to the next frame that leaves the decoder.
#pragma once

#include "decoderfilter.h"
#include "interfaces.h"

#include <functional>
#include <mutex>

class VideoDecoder : public DecoderFilter, public IDecoderParameters {
 public:
  VideoDecoder();
  ~VideoDecoder() override;

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  int32_t CompleteConnect(Pin& pin) override;
  void StartStreaming(const StreamingContext& context) override;

  int32_t PutParam(int paramId, int value) override;
  int GetParam(int paramId) const override;

  // Told (on the UI thread, from PutParam) when a parameter changed what the pictures look like,
  // so a paused graph can have its current picture decoded again.
  void SetPictureChangedHandler(std::function<void()> handler) { pictureChanged_ = std::move(handler); }

 private:
  struct Picture {
    int brightness = 0;
    bool flipVertical = false;
    bool mirrorHorizontal = false;
    bool Identity() const { return brightness == 0 && !flipVertical && !mirrorHorizontal; }
    friend bool operator==(const Picture&, const Picture&) = default;
  };
  Picture CurrentPicture() const;
  void OnFrame(StreamDecoder::Frame&& f) override;
  void OnEnd(int serial, MediaTime segmentStart) override;
  void Emit(StreamDecoder::Frame&& f);

  int threads_ = 1;  // set when streaming starts
  std::function<void()> pictureChanged_;  // UI thread

  // Decode thread only.
  StreamDecoder::Frame lastDiscarded_;  // kept to show at the end when a seek passed every frame
  int emittedSerial_ = -1;

  mutable std::mutex paramMutex_;  // guards params_ (UI thread writes, decode thread reads)
  struct {
    bool pictureProperties = false;
    int brightness = 0;
    bool transform = false;
    bool flipVertical = false;
    bool mirrorHorizontal = false;
  } params_;
};
