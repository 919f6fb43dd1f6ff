// How the play graph is built for each kind of recording, which components it needs, and how an
// open fails.
#include "playertestfixture.h"

#include "graph/telemetryreader.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QtEndian>

namespace {

using playbacktest::Path;

QStringList Names(const CPlayGraph& g) {
  QStringList out;
  for (const QString& n : g.FilterNames()) out << n;
  return out;
}

QStringList Links(const CPlayGraph& g) {
  QStringList out;
  for (const auto& c : g.Connections())
    out << c.fromFilter + ":" + c.fromPin + " -> " + c.toFilter + ":" + c.toPin;
  return out;
}

struct ShapeCase {
  const char* file;
  int videoStreams;
  QStringList names;
  QStringList links;
};

const QStringList kTwoCameraNames{"File Source",         "Splitter",           "DirectSound Audio Renderer",
                                  "FFDShow Decoder1",    "FFDShow Decoder2",   "Color Space Convertor 1",
                                  "Color Space Convertor 2", "Mixing Renderer9-1", "Mixing Renderer9-2",
                                  "AAC Audio Decoder"};
const QStringList kTwoCameraLinks{
    "File Source:Output -> Splitter:Input",
    "Splitter:Video 1 (stream 0) -> FFDShow Decoder1:In",
    "Splitter:Video 2 (stream 1) -> FFDShow Decoder2:In",
    "Splitter:Audio (stream 2) -> AAC Audio Decoder:In",
    "FFDShow Decoder1:Out -> Color Space Convertor 1:Input",
    "FFDShow Decoder2:Out -> Color Space Convertor 2:Input",
    "Color Space Convertor 1:Output -> Mixing Renderer9-1:VMR Input0",
    "Color Space Convertor 2:Output -> Mixing Renderer9-2:VMR Input0",
    "AAC Audio Decoder:Out -> DirectSound Audio Renderer:Audio Input pin (rendered)"};
const QStringList kOneCameraNames{"File Source",      "Splitter",
                                  "DirectSound Audio Renderer", "FFDShow Decoder1",
                                  "Color Space Convertor 1",    "Mixing Renderer9",
                                  "AAC Audio Decoder"};
const QStringList kOneCameraLinks{
    "File Source:Output -> Splitter:Input",
    "Splitter:Video 1 (stream 0) -> FFDShow Decoder1:In",
    "Splitter:Audio (stream 1) -> AAC Audio Decoder:In",
    "FFDShow Decoder1:Out -> Color Space Convertor 1:Input",
    "Color Space Convertor 1:Output -> Mixing Renderer9:VMR Input0",
    "AAC Audio Decoder:Out -> DirectSound Audio Renderer:Audio Input pin (rendered)"};

class GraphShapeTest : public PlayerFixture, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(GraphShapeTest, BuildsTheChainsOfTheRecordingAndCuesIt) {
  const ShapeCase& c = GetParam();
  ASSERT_TRUE(player_->Open(Path(c.file)));
  const CPlayGraph& g = *player_->PlayGraph();
  EXPECT_EQ(g.State(), PlayState::Stopped);
  EXPECT_TRUE(g.IsBuilt());
  EXPECT_EQ(g.VideoStreamCount(), c.videoStreams);
  // The audio encoder's padding may add a frame or two beyond the pictures.
  EXPECT_GE(player_->GetDurationMs(), static_cast<uint64_t>(playbacktest::kDurationMs));
  EXPECT_LT(player_->GetDurationMs(), static_cast<uint64_t>(playbacktest::kDurationMs + 100));
  EXPECT_EQ(Names(g), c.names);
  EXPECT_EQ(Links(g), c.links);
  EXPECT_EQ(player_->Decoder(2) != nullptr, c.videoStreams == 2);
  // Cued: the first pictures are in the windows before anything runs.
  const auto front = Shown(front_.get());
  ASSERT_TRUE(front);
  EXPECT_EQ(front->camera, 0);
  EXPECT_EQ(front->frameNumber, 0);
  if (c.videoStreams == 2) {
    const auto rear = Shown(rear_.get());
    ASSERT_TRUE(rear);
    EXPECT_EQ(rear->camera, 1);
    EXPECT_EQ(rear->frameNumber, 0);
  } else {
    EXPECT_FALSE(Shown(rear_.get())) << "the rear window gets nothing from a one-camera recording";
  }
}

QStringList Without(QStringList list, const QString& prefix) {
  list.erase(std::remove_if(list.begin(), list.end(), [&](const QString& s) { return s.contains(prefix); }),
             list.end());
  return list;
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, GraphShapeTest,
    ::testing::Values(ShapeCase{"two.avi", 2, kTwoCameraNames, kTwoCameraLinks},
                      ShapeCase{"two.mp4", 2, kTwoCameraNames, kTwoCameraLinks},
                      ShapeCase{"one.avi", 1, kOneCameraNames, kOneCameraLinks},
                      ShapeCase{"one.mp4", 1, kOneCameraNames, kOneCameraLinks},
                      // Without audio the renderer stays in the graph, unconnected.
                      ShapeCase{"mute.avi", 2, Without(kTwoCameraNames, "AAC"), Without(kTwoCameraLinks, "Audio")}),
    [](const auto& info) { return QString(info.param.file).replace('.', '_').toStdString(); });

struct CheckCase {
  std::vector<QUuid> missing;
  int expected;
};

class CheckFiltersTest : public PlayerFixture, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckFiltersTest, ReportsTheFirstMissingComponent) {
  for (const QUuid& id : GetParam().missing) factory_.Unregister(id);
  EXPECT_EQ(player_->CheckFilters(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Components, CheckFiltersTest,
    ::testing::Values(CheckCase{{}, 1}, CheckCase{{clsid::TelemetryReader}, -1},
                      CheckCase{{clsid::VideoDecoder}, -2},
                      CheckCase{{clsid::VideoDecoder, clsid::AacDecoder, clsid::BrightnessFilter}, -2},
                      CheckCase{{clsid::AacDecoder, clsid::BrightnessFilter}, -3},
                      CheckCase{{clsid::BrightnessFilter}, -4},
                      CheckCase{{clsid::TelemetryReader, clsid::VideoDecoder}, -1}));

TEST_F(PlayerFixture, CheckFiltersWithoutAPlayGraphIsMinusOne) {
  CVideoPlayer unattached(factory_, nullptr);
  EXPECT_EQ(unattached.CheckFilters(), -1);
}

// A RIFF WAVE file: a container libavformat knows that is neither AVI nor MP4.
QByteArray WaveFile() {
  QByteArray pcm(8000, '\0');
  QByteArray f("RIFF");
  auto u32 = [&](quint32 v) { f.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](quint16 v) { f.append(reinterpret_cast<const char*>(&v), 2); };
  u32(36 + pcm.size());
  f.append("WAVEfmt ");
  u32(16), u16(1), u16(1), u32(8000), u32(16000), u16(2), u16(16);
  f.append("data");
  u32(pcm.size());
  return f + pcm;
}

QByteArray Head(const QString& path, double fraction) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.read(static_cast<qint64>(f.size() * fraction));
}

struct FailureCase {
  const char* what;
  std::function<QString()> path;
  std::vector<QUuid> missing;
};

class OpenFailureTest : public PlayerFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(OpenFailureTest, FailsAndLeavesNoPlayGraph) {
  // A good recording first: a failed open must not leave the previous one behind either.
  ASSERT_TRUE(player_->Open(Path("one.avi")));
  for (const QUuid& id : GetParam().missing) factory_.Unregister(id);
  EXPECT_FALSE(player_->Open(GetParam().path()));
  EXPECT_EQ(player_->PlayGraph(), nullptr);
  EXPECT_EQ(player_->State(), PlayState::Empty);
  EXPECT_EQ(player_->GetDurationMs(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenFailureTest,
    ::testing::Values(
        FailureCase{"text", [] { return playbacktest::WriteFile("notes.avi", QByteArray("not a video\n").repeated(400)); }, {}},
        FailureCase{"wave", [] { return playbacktest::WriteFile("sound.avi", WaveFile()); }, {}},
        FailureCase{"truncated_mp4", [] { return playbacktest::WriteFile("cut.mp4", Head(Path("two.mp4"), 0.5)); }, {}},
        FailureCase{"truncated_avi_header", [] { return playbacktest::WriteFile("cut.avi", Head(Path("two.avi"), 0.002)); }, {}},
        FailureCase{"missing_file", [] { return QDir::temp().filePath("no-such-recording.avi"); }, {}},
        FailureCase{"no_video_decoder", [] { return Path("two.avi"); }, {clsid::VideoDecoder}},
        FailureCase{"no_splitter", [] { return Path("two.avi"); }, {clsid::AviSplitter}},
        FailureCase{"no_renderer", [] { return Path("one.mp4"); }, {clsid::VideoMixingRenderer}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(PlayerFixture, OpenBeforeAttachOrWithAnEmptyPathFailsAndChangesNothing) {
  CVideoPlayer unattached(factory_, nullptr);
  EXPECT_FALSE(unattached.Open(Path("two.avi")));
  EXPECT_EQ(unattached.PlayGraph(), nullptr);
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  const CPlayGraph* open = player_->PlayGraph();
  EXPECT_FALSE(player_->Open(QString()));
  EXPECT_EQ(player_->PlayGraph(), open);
  EXPECT_EQ(player_->State(), PlayState::Stopped);
}

TEST_F(PlayerFixture, OpeningAnotherRecordingTakesDownEveryFilterOfTheFirst) {
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  ASSERT_TRUE(player_->Play());
  QPointer<VideoRenderer> first = Renderer(1);
  QPointer<VideoRenderer> second = Renderer(2);
  ASSERT_TRUE(first && second);
  ASSERT_TRUE(player_->Open(Path("one.mp4")));
  EXPECT_TRUE(first.isNull());
  EXPECT_TRUE(second.isNull());
  EXPECT_EQ(player_->VideoStreamCount(), 1);
  EXPECT_TRUE(ShowsFrame(front_.get(), 0));
}

TEST_F(PlayerFixture, WithoutTheAacDecoderTheRecordingPlaysSilently) {
  factory_.Unregister(clsid::AacDecoder);
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  EXPECT_EQ(Names(*player_->PlayGraph()), Without(kTwoCameraNames, "AAC"));
  EXPECT_EQ(Links(*player_->PlayGraph()), Without(kTwoCameraLinks, "Audio"));
}

}  // namespace

namespace {

TEST_F(PlayerFixture, TheTelemetryReaderHeldByAGraphOutlivesItsReplacement) {
  ASSERT_TRUE(player_->Open(Path("two.avi")));
  auto reader = std::shared_ptr<TelemetryReader>(factory_.CreateAs<TelemetryReader>(clsid::TelemetryReader));
  ASSERT_TRUE(reader);
  ASSERT_EQ(reader->Load(Path("two.avi")), 0);
  ASSERT_TRUE(player_->HoldTelemetryReader(reader));
  EXPECT_EQ(player_->HeldTelemetryReader(), reader);
  // The next open replaces the play graph: the worker then finds no reader and stops, while
  // the reader it already has stays usable.
  ASSERT_TRUE(player_->Open(Path("one.avi")));
  EXPECT_EQ(player_->HeldTelemetryReader(), nullptr);
  uint8_t buffer[1024];
  uint32_t size = sizeof buffer, ms = 0;
  EXPECT_EQ(reader->ReadSample(buffer, &size, &ms), 0);
  player_->ReleaseTelemetryReader(reader);  // not the current graph's: nothing to clear
  player_->Close();
  EXPECT_FALSE(player_->HasPlayGraph());
  EXPECT_FALSE(player_->HoldTelemetryReader(reader));
}

}  // namespace
