// Reads the telemetry samples of a recording back the way the player's telemetry reader does.
#pragma once

#include "telemetrysample.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Every telemetry sample of the file, in file order, with its time in milliseconds from the
// start of the recording. The telemetry stream is the first stream that is neither video nor
// audio: MP4 declares it as data, AVI's 'dats' stream comes back with no known type. AVI pads
// a telemetry stream with empty chunks to keep its clock (one chunk per millisecond), so empty
// packets are padding, not samples. An empty vector when the file has no telemetry stream;
// nullopt (and error set, if given) when the file cannot be read.
std::optional<std::vector<TelemetrySample>> ReadTelemetrySamples(const std::filesystem::path& path,
                                                                 std::string* error = nullptr);
