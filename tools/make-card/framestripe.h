// The machine-readable frame stripe of the sample recordings: where make-card paints the
// camera and the frame number into each picture, and how a rendered picture is read back.
#pragma once

#include <array>
#include <optional>

class QImage;

namespace framestripe {

// All geometry is in fractions of the picture's width and height, so a scaled rendering reads
// the same. The stripe is a row of kCellCount cells across the top band: a white and a black
// start cell, the camera bit, kFrameBits of frame number (most significant first), an even
// parity cell over camera and number, and a black stop cell. White means 1.
inline constexpr int kCellCount = 20;
inline constexpr int kFrameBits = 15;
inline constexpr int kMaxFrameNumber = (1 << kFrameBits) - 1;
inline constexpr double kStripeTop = 0.0;
inline constexpr double kStripeBottom = 0.125;

struct Box {
  double left, top, right, bottom;
};

// A white block that only the top-left corner holds; where a rendering shows it tells whether
// the picture was flipped upside down or mirrored. The scene keeps the three other corner
// positions (the block mirrored horizontally, vertically or both) free of bright content.
inline constexpr Box kMarker{0.02, 0.16, 0.16, 0.34};

// The cells' colours, true for white, for camera 0 (front) or 1 (rear) and a frame number in
// 0..kMaxFrameNumber (larger numbers wrap).
std::array<bool, kCellCount> EncodeCells(int camera, int frameNumber);

struct FrameMark {
  int camera = 0;  // 0 front, 1 rear
  int frameNumber = 0;
  bool flippedVertically = false;
  bool mirroredHorizontally = false;
  friend bool operator==(const FrameMark&, const FrameMark&) = default;
};

// Reads the mark from a rendered picture of any size; nullopt when the picture holds no
// marker or no stripe that passes its start, stop and parity checks.
std::optional<FrameMark> ReadFrameMark(const QImage& image);

}  // namespace framestripe

using framestripe::FrameMark;
using framestripe::ReadFrameMark;
