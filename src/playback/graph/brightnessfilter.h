// The brightness filter component: a video pass-through with a brightness control. The player
// only tests that it can be created; the built graphs hold none.
#pragma once

#include "filter.h"
#include "interfaces.h"

#include <atomic>

class BrightnessFilter : public Filter, public IBrightnessControl {
 public:
  static constexpr int kBrightnessParam = 1012;
  BrightnessFilter();

  int32_t CheckInputType(const Pin& input, const MediaType& type) override;
  int32_t CompleteConnect(Pin& pin) override;
  void Receive(Pin& input, MediaSample&& sample) override;
  void Flush(Pin& input, int serial, MediaTime segmentStart) override;

  int32_t SetValue(int paramId, int value) override;
  int Value() const { return value_.load(); }

 private:
  Pin& input_;
  Pin& output_;
  std::atomic<int> value_{0};  // written on the UI thread; nothing reads it while streaming
};
