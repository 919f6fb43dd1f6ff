#include "telemetryloader.h"

#include "componentfactory.h"
#include "graph/interfaces.h"
#include "graph/telemetryreader.h"
#include "hresult.h"
#include "textdata.h"
#include "videoplayer.h"

#include <QMetaObject>
#include <QObject>
#include <array>
#include <memory>

namespace {
constexpr int32_t kReadHandleEof = 38;  // ERROR_HANDLE_EOF, the other end mark readers give
}  // namespace

LoadOutcome LoadTelemetry(CVideoPlayer& player, const QString& path, CTextData& telemetry, std::stop_token stop) {
  if (!player.HasPlayGraph()) return LoadOutcome::NotStarted;
  std::shared_ptr<TelemetryReader> reader = player.Components().CreateAs<TelemetryReader>(clsid::TelemetryReader);
  if (!reader || !player.HoldTelemetryReader(reader)) return LoadOutcome::NotStarted;
  const int32_t opened = reader->Load(path);
  if (opened < 0 || opened == hr::InvalidFileFormat) {
    player.ReleaseTelemetryReader(reader);
    return LoadOutcome::NotStarted;
  }

  LoadOutcome outcome = LoadOutcome::Finished;
  std::array<uint8_t, kSampleBufferSize> buffer;
  int failedInARow = 0;
  for (;;) {
    if (stop.stop_requested()) {
      outcome = LoadOutcome::Stopped;
      break;
    }
    buffer.fill(0);
    uint32_t size = kSampleBufferSize;
    uint32_t timestamp = 0;
    if (!player.HasPlayGraph()) break;
    int32_t result = hr::False;
    // A shared reference: the reader stays valid for this read even if the graph goes meanwhile.
    if (std::shared_ptr<TelemetryReader> held = player.HeldTelemetryReader()) {
      ITelemetrySource* source = Query<ITelemetrySource>(held.get());
      result = source ? source->ReadSample(buffer.data(), &size, &timestamp) : hr::NoInterface;
    }
    if (result == hr::Ok) {
      failedInARow = 0;
      telemetry.ParseSample(timestamp, buffer.data(), buffer.size());
      continue;
    }
    if (result == hr::False || result == kReadHandleEof) break;
    if (++failedInARow >= kMaxConsecutiveFailedReads) {
      outcome = LoadOutcome::Stopped;
      break;
    }
  }
  player.ReleaseTelemetryReader(reader);
  return outcome;
}

TelemetryWorker::TelemetryWorker(CVideoPlayer& player, QString path, CTextData& telemetry, QObject* context,
                                 AfterLoad afterLoad)
    : player_(player),
      path_(std::move(path)),
      telemetry_(telemetry),
      context_(context),
      afterLoad_(std::move(afterLoad)),
      timing_{LoadTiming::Clock::now(), {}, {}, {}, {}},
      thread_([this](std::stop_token stop) { Run(stop); }) {}

TelemetryWorker::~TelemetryWorker() { StopAndJoin(); }

void TelemetryWorker::StopAndJoin() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void TelemetryWorker::Run(std::stop_token stop) {
  timing_.workerStarted = LoadTiming::Clock::now();
  const LoadOutcome outcome = LoadTelemetry(player_, path_, telemetry_, stop);
  timing_.readDone = LoadTiming::Clock::now();
  if (afterLoad_ && context_) {
    // Queued: the UI thread may be blocked joining this very worker.
    QMetaObject::invokeMethod(
        context_, [afterLoad = afterLoad_, outcome, timing = timing_] { afterLoad(outcome, timing); },
        Qt::QueuedConnection);
  }
  done_.store(true, std::memory_order_release);
}
