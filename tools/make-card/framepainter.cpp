#include "framepainter.h"

#include "framestripe.h"

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/frame.h>
}

namespace {

// Glyphs on a 5 x 7 grid, one string per row; '#' is painted.
constexpr const char* kLetterF[7] = {"#####", "#....", "#....", "####.", "#....", "#....", "#...."};
constexpr const char* kLetterR[7] = {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};

// Where the big letter and the moving parts go. None of them touches the marker or its three
// mirrored positions, and none is as bright as the marker there.
constexpr double kLetterLeft = 0.22, kLetterTop = 0.26, kLetterRight = 0.44, kLetterBottom = 0.80;
constexpr double kCarTop = 0.42, kCarBottom = 0.62, kCarTravelLeft = 0.52, kCarTravelRight = 0.82;
constexpr double kCarWidth = 0.08;
constexpr double kLaneTop = 0.88, kLaneBottom = 0.94, kLaneLeft = 0.20, kLaneRight = 0.80;

constexpr int kGrainAmplitude = 6;
constexpr int kGrainOffsets = 4096;

int Even(double value) { return static_cast<int>(std::lround(value / 2.0)) * 2; }

}  // namespace

FramePainter::Yuv FramePainter::FromRgb(int r, int g, int b) {
  // BT.601 in limited range, which the encoder is told and every decoder assumes by default.
  const double y = 16 + (65.481 * r + 128.553 * g + 24.966 * b) / 255.0;
  const double u = 128 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255.0;
  const double v = 128 + (112.0 * r - 93.786 * g - 18.214 * b) / 255.0;
  auto clamp = [](double c) { return static_cast<std::uint8_t>(std::clamp(std::lround(c), 0L, 255L)); };
  return {clamp(y), clamp(u), clamp(v)};
}

FramePainter::FramePainter(int camera, int width, int height)
    : camera_(camera),
      width_(width),
      height_(height),
      lumaPlane_(static_cast<size_t>(width) * height),
      cbPlane_(static_cast<size_t>(width / 2) * (height / 2)),
      crPlane_(cbPlane_.size()),
      grain_(lumaPlane_.size() + kGrainOffsets) {
  PaintBackground();
  std::uint32_t state = 0x9E3779B9u + static_cast<std::uint32_t>(camera);
  for (std::int8_t& g : grain_) {
    state = state * 1664525u + 1013904223u;
    g = static_cast<std::int8_t>(static_cast<int>(state >> 24) % (2 * kGrainAmplitude + 1) - kGrainAmplitude);
  }
}

FramePainter::Rect FramePainter::ToRect(double left, double top, double right, double bottom) const {
  Rect r{Even(left * width_), Even(top * height_), Even(right * width_), Even(bottom * height_)};
  r.x0 = std::clamp(r.x0, 0, width_);
  r.x1 = std::clamp(r.x1, r.x0, width_);
  r.y0 = std::clamp(r.y0, 0, height_);
  r.y1 = std::clamp(r.y1, r.y0, height_);
  return r;
}

void FramePainter::FillBackground(const Rect& rect, Yuv colour) {
  for (int y = rect.y0; y < rect.y1; ++y)
    std::memset(&lumaPlane_[static_cast<size_t>(y) * width_ + rect.x0], colour.y, rect.x1 - rect.x0);
  const int cw = width_ / 2;
  for (int y = rect.y0 / 2; y < rect.y1 / 2; ++y) {
    std::memset(&cbPlane_[static_cast<size_t>(y) * cw + rect.x0 / 2], colour.u, (rect.x1 - rect.x0) / 2);
    std::memset(&crPlane_[static_cast<size_t>(y) * cw + rect.x0 / 2], colour.v, (rect.x1 - rect.x0) / 2);
  }
}

void FramePainter::PaintBackground() {
  const bool front = camera_ == 0;
  // A sky that darkens towards the road: blue for the front camera, orange for the rear.
  const int top[3] = {front ? 70 : 215, front ? 115 : 125, front ? 205 : 45};
  const int bottom[3] = {front ? 20 : 95, front ? 35 : 50, front ? 90 : 15};
  for (int row = 0; row < height_; row += 2) {
    const double t = static_cast<double>(row) / height_;
    auto mix = [&](int c) { return static_cast<int>(std::lround(top[c] + (bottom[c] - top[c]) * t)); };
    FillBackground({0, row, width_, row + 2}, FromRgb(mix(0), mix(1), mix(2)));
  }

  const auto& glyph = front ? kLetterF : kLetterR;
  const Yuv letter = front ? FromRgb(200, 225, 255) : FromRgb(255, 225, 170);
  const double cellW = (kLetterRight - kLetterLeft) / 5, cellH = (kLetterBottom - kLetterTop) / 7;
  for (int row = 0; row < 7; ++row)
    for (int col = 0; col < 5; ++col)
      if (glyph[row][col] == '#')
        FillBackground(ToRect(kLetterLeft + col * cellW, kLetterTop + row * cellH, kLetterLeft + (col + 1) * cellW,
                              kLetterTop + (row + 1) * cellH),
                       letter);

  const auto& m = framestripe::kMarker;
  FillBackground(ToRect(m.left, m.top, m.right, m.bottom), FromRgb(255, 255, 255));
}

void FramePainter::Fill(AVFrame* frame, const Rect& rect, Yuv colour) const {
  for (int y = rect.y0; y < rect.y1; ++y) std::memset(frame->data[0] + y * frame->linesize[0] + rect.x0, colour.y, rect.x1 - rect.x0);
  for (int y = rect.y0 / 2; y < rect.y1 / 2; ++y) {
    std::memset(frame->data[1] + y * frame->linesize[1] + rect.x0 / 2, colour.u, (rect.x1 - rect.x0) / 2);
    std::memset(frame->data[2] + y * frame->linesize[2] + rect.x0 / 2, colour.v, (rect.x1 - rect.x0) / 2);
  }
}

void FramePainter::Paint(AVFrame* frame, int frameNumber) const {
  const int cw = width_ / 2;
  const std::int8_t* grain = &grain_[static_cast<size_t>(frameNumber) * 1237 % kGrainOffsets];
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* out = frame->data[0] + y * frame->linesize[0];
    const std::uint8_t* in = &lumaPlane_[static_cast<size_t>(y) * width_];
    const std::int8_t* g = grain + static_cast<size_t>(y) * width_;
    for (int x = 0; x < width_; ++x) out[x] = static_cast<std::uint8_t>(std::clamp(in[x] + g[x], 16, 235));
  }
  for (int y = 0; y < height_ / 2; ++y) {
    std::memcpy(frame->data[1] + y * frame->linesize[1], &cbPlane_[static_cast<size_t>(y) * cw], cw);
    std::memcpy(frame->data[2] + y * frame->linesize[2], &crPlane_[static_cast<size_t>(y) * cw], cw);
  }

  // A car that crosses the right half and comes back, and lane marks that run towards the
  // camera: motion in every frame, so decoding and seeking are exercised as with real video.
  const int period = 60;
  const int step = frameNumber % (2 * period);
  const double travel = (step < period ? step : 2 * period - step) / static_cast<double>(period);
  const double carLeft = kCarTravelLeft + travel * (kCarTravelRight - kCarTravelLeft - kCarWidth);
  Fill(frame, ToRect(carLeft, kCarTop, carLeft + kCarWidth, kCarBottom), camera_ == 0 ? FromRgb(230, 40, 40) : FromRgb(40, 160, 60));
  const double dash = 0.1;
  const double offset = (frameNumber % 10) / 10.0 * 2 * dash;
  for (double x = kLaneLeft - 2 * dash + offset; x < kLaneRight; x += 2 * dash)
    Fill(frame, ToRect(std::max(x, kLaneLeft), kLaneTop, std::min(x + dash, kLaneRight), kLaneBottom), FromRgb(200, 200, 190));

  const auto cells = framestripe::EncodeCells(camera_, frameNumber);
  for (int cell = 0; cell < framestripe::kCellCount; ++cell) {
    const double left = static_cast<double>(cell) / framestripe::kCellCount;
    const double right = static_cast<double>(cell + 1) / framestripe::kCellCount;
    Fill(frame, ToRect(left, framestripe::kStripeTop, right, framestripe::kStripeBottom),
         cells[cell] ? FromRgb(255, 255, 255) : FromRgb(0, 0, 0));
  }
}
