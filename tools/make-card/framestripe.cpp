#include "framestripe.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace framestripe {

namespace {

// Only the middle of each region is sampled: the cell edges are where scaling and H.264 at a
// low bitrate smear one cell into its neighbour.
constexpr double kSampleInset = 0.25;

// A difference of this much luma between white and black survives any sane encoder setting; a
// smaller one means the picture is not ours (or is blank).
constexpr int kMinContrast = 60;

class LumaSampler {
 public:
  LumaSampler(const QImage& image, bool flipped, bool mirrored)
      : image_(image), flipped_(flipped), mirrored_(mirrored) {}

  // Mean luma of a box given in the unflipped layout.
  int Mean(const Box& box) const {
    const double left = mirrored_ ? 1.0 - box.right : box.left;
    const double right = mirrored_ ? 1.0 - box.left : box.right;
    const double top = flipped_ ? 1.0 - box.bottom : box.top;
    const double bottom = flipped_ ? 1.0 - box.top : box.bottom;
    const int w = image_.width();
    const int h = image_.height();
    const int x0 = std::clamp(static_cast<int>(std::lround(left * w)), 0, w - 1);
    const int x1 = std::clamp(static_cast<int>(std::lround(right * w)), x0 + 1, w);
    const int y0 = std::clamp(static_cast<int>(std::lround(top * h)), 0, h - 1);
    const int y1 = std::clamp(static_cast<int>(std::lround(bottom * h)), y0 + 1, h);
    long long sum = 0;
    for (int y = y0; y < y1; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
      for (int x = x0; x < x1; ++x) sum += qGray(line[x]);
    }
    return static_cast<int>(sum / (static_cast<long long>(x1 - x0) * (y1 - y0)));
  }

 private:
  const QImage& image_;
  bool flipped_;
  bool mirrored_;
};

Box Inset(const Box& box) {
  const double dx = (box.right - box.left) * kSampleInset;
  const double dy = (box.bottom - box.top) * kSampleInset;
  return {box.left + dx, box.top + dy, box.right - dx, box.bottom - dy};
}

Box CellBox(int cell) {
  return Inset({static_cast<double>(cell) / kCellCount, kStripeTop,
                static_cast<double>(cell + 1) / kCellCount, kStripeBottom});
}

}  // namespace

std::array<bool, kCellCount> EncodeCells(int camera, int frameNumber) {
  std::array<bool, kCellCount> cells{};
  cells[0] = true;
  cells[1] = false;
  cells[2] = camera != 0;
  const int number = frameNumber & kMaxFrameNumber;
  for (int bit = 0; bit < kFrameBits; ++bit) cells[3 + bit] = (number >> (kFrameBits - 1 - bit)) & 1;
  const int ones = static_cast<int>(std::count(cells.begin() + 2, cells.begin() + 3 + kFrameBits, true));
  cells[3 + kFrameBits] = ones % 2 != 0;
  cells[kCellCount - 1] = false;
  return cells;
}

std::optional<FrameMark> ReadFrameMark(const QImage& source) {
  if (source.isNull() || source.width() < kCellCount || source.height() < 10) return std::nullopt;
  const QImage image = source.convertToFormat(QImage::Format_RGB32);

  // The marker's corner decides the orientation: sampled in the unflipped image, the
  // brightest of the four mirrored marker positions is where the marker went.
  struct Candidate {
    bool flipped, mirrored;
    int luma;
  };
  std::array<Candidate, 4> candidates{{{false, false, 0}, {false, true, 0}, {true, false, 0}, {true, true, 0}}};
  for (Candidate& c : candidates) c.luma = LumaSampler(image, c.flipped, c.mirrored).Mean(Inset(kMarker));
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) { return a.luma > b.luma; });
  if (candidates[0].luma - candidates[1].luma < kMinContrast) return std::nullopt;

  const LumaSampler sampler(image, candidates[0].flipped, candidates[0].mirrored);
  std::array<int, kCellCount> luma{};
  for (int cell = 0; cell < kCellCount; ++cell) luma[cell] = sampler.Mean(CellBox(cell));
  const int white = luma[0];
  const int black = luma[1];
  if (white - black < kMinContrast) return std::nullopt;
  const int threshold = (white + black) / 2;

  std::array<bool, kCellCount> cells{};
  for (int cell = 0; cell < kCellCount; ++cell) cells[cell] = luma[cell] > threshold;
  if (cells[kCellCount - 1]) return std::nullopt;

  FrameMark mark;
  mark.camera = cells[2] ? 1 : 0;
  for (int bit = 0; bit < kFrameBits; ++bit) mark.frameNumber = (mark.frameNumber << 1) | (cells[3 + bit] ? 1 : 0);
  mark.flippedVertically = candidates[0].flipped;
  mark.mirroredHorizontally = candidates[0].mirrored;
  if (EncodeCells(mark.camera, mark.frameNumber) != cells) return std::nullopt;
  return mark;
}

}  // namespace framestripe
