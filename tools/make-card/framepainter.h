// Paints the pictures of one camera straight into yuv420p frames: a scene that tells front from
// rear and shows any flip, moving parts and grain so the encoder has real work, and the frame
// stripe.
#pragma once

#include <cstdint>
#include <vector>

struct AVFrame;

class FramePainter {
 public:
  // camera 0 is the front camera, 1 the rear; width and height must be even.
  FramePainter(int camera, int width, int height);

  // frame must be a writable yuv420p frame of the painter's size.
  void Paint(AVFrame* frame, int frameNumber) const;

 private:
  struct Yuv {
    std::uint8_t y, u, v;
  };
  struct Rect {
    int x0, y0, x1, y1;  // even pixel edges, so the chroma planes cover exactly the same area
  };
  static Yuv FromRgb(int r, int g, int b);
  Rect ToRect(double left, double top, double right, double bottom) const;
  void PaintBackground();
  void Fill(AVFrame* frame, const Rect& rect, Yuv colour) const;
  void FillBackground(const Rect& rect, Yuv colour);

  int camera_;
  int width_;
  int height_;
  // The still part of the picture, painted once: luma then the two quarter-size chroma planes.
  std::vector<std::uint8_t> lumaPlane_, cbPlane_, crPlane_;
  // Sensor grain added to the luma, read from a frame-dependent offset: it gives the encoder
  // the bitrate of a real camera, so decoding a large recording costs what it would on a card.
  std::vector<std::int8_t> grain_;
};
