// The frame stripe must survive the whole road to the screen: H.264, decoding, scaling to a
// window and the rear view's flips; and a picture that is not ours must not read as a frame.
#include "avhandles.h"
#include "framepainter.h"
#include "framestripe.h"
#include "mediaprobe.h"
#include "recordingwriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Source {
  const char* name;
  Container container;
  int bFrames;
  int crf;
};

void PrintTo(const Source& s, std::ostream* os) { *os << s.name; }

const Source kSources[] = {
    {"Avi", Container::Avi, 0, 23},
    {"Mp4", Container::Mp4, 0, 23},
    {"AviBFrames", Container::Avi, 2, 23},
    // A starved encoder smears edges; the cells are big enough to stay readable.
    {"Mp4LowQuality", Container::Mp4, 2, 40},
};

class FrameMarks : public ::testing::TestWithParam<Source> {};

TEST_P(FrameMarks, EveryDecodedPictureNamesItsCameraAndFrameInAnyWindowAndFlip) {
  const Source& source = GetParam();
  QTemporaryDir dir;
  const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "f.AVI";
  RecordingSettings s;
  s.container = source.container;
  s.cameras = 2;
  s.durationMs = 3000;
  s.video.bFrames = source.bFrames;
  s.video.crf = source.crf;
  const WriteResult written = WriteRecording(path, s);
  ASSERT_TRUE(written) << written.error;

  const QSize windows[] = {{320, 180}, {688, 387}, {344, 194}};
  for (int camera = 0; camera < 2; ++camera) {
    const std::vector<QImage> pictures = mediaprobe::DecodePictures(path, camera);
    ASSERT_EQ(static_cast<int>(pictures.size()), written.videoFrames);
    for (int frame = 0; frame < written.videoFrames; ++frame) {
      for (const QSize& window : windows) {
        const QImage shown = pictures[frame].scaled(window, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (bool mirrored : {false, true}) {
          for (bool flipped : {false, true}) {
            SCOPED_TRACE(testing::Message() << "camera " << camera << " frame " << frame << " window " << window.width()
                                            << "x" << window.height() << " mirrored " << mirrored << " flipped " << flipped);
            const auto mark = ReadFrameMark(shown.mirrored(mirrored, flipped));
            ASSERT_TRUE(mark.has_value());
            EXPECT_EQ(*mark, (FrameMark{camera, frame, flipped, mirrored}));
          }
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Containers, FrameMarks, ::testing::ValuesIn(kSources),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FrameMarks, PicturesWithoutAStripeReadAsNothing) {
  QImage grey(320, 180, QImage::Format_RGB32);
  grey.fill(QColor(128, 128, 128));
  QImage white(320, 180, QImage::Format_RGB32);
  white.fill(Qt::white);
  // A marker but a stripe whose parity is wrong.
  QImage corrupt(320, 180, QImage::Format_RGB32);
  corrupt.fill(QColor(40, 80, 170));
  const auto cells = framestripe::EncodeCells(0, 5);
  for (int cell = 0; cell < framestripe::kCellCount; ++cell) {
    const bool on = cell == 3 ? !cells[cell] : cells[cell];
    for (int y = 0; y < 22; ++y)
      for (int x = cell * 16; x < cell * 16 + 16; ++x) corrupt.setPixel(x, y, on ? 0xFFFFFFFF : 0xFF000000);
  }
  for (int y = 29; y < 61; ++y)
    for (int x = 6; x < 51; ++x) corrupt.setPixel(x, y, 0xFFFFFFFF);

  const QImage cases[] = {QImage(), QImage(8, 4, QImage::Format_RGB32), grey, white, corrupt};
  for (const QImage& image : cases) EXPECT_FALSE(ReadFrameMark(image).has_value());
}

// Numbers past what a short recording reaches, straight from the painter: every bit position
// and both cameras.
TEST(FrameMarks, PaintedPicturesCarryTheWholeNumberRange) {
  const av::FramePtr frame(av_frame_alloc());
  frame->format = AV_PIX_FMT_YUV420P;
  frame->width = 320;
  frame->height = 180;
  ASSERT_GE(av_frame_get_buffer(frame.get(), 0), 0);
  for (int camera : {0, 1}) {
    const FramePainter painter(camera, 320, 180);
    for (int number : {0, 1, 0x2AAA, 0x5555, framestripe::kMaxFrameNumber}) {
      painter.Paint(frame.get(), number);
      EXPECT_EQ(ReadFrameMark(mediaprobe::PictureFromFrame(frame.get())), (FrameMark{camera, number, false, false}));
    }
  }
}

}  // namespace
