// The playback clock against an injected wall clock.
#include "graph/clock.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

struct FakeWall {
  PlaybackClock::TimePoint now{};
  PlaybackClock::NowFunction Function() {
    return [this] { return now; };
  }
};

TEST(ClockTest, AdvancesOnlyWhileRunningAtItsRate) {
  FakeWall wall;
  PlaybackClock clock(wall.Function());
  clock.SetPosition(MediaTime(1s));
  wall.now += 5s;
  EXPECT_EQ(clock.Position(), MediaTime(1s)) << "stopped clocks stand still";
  clock.Start();
  wall.now += 2s;
  EXPECT_EQ(clock.Position(), MediaTime(3s));
  clock.SetRate(0.5);
  wall.now += 2s;
  EXPECT_EQ(clock.Position(), MediaTime(4s)) << "the rate applies from the moment it is set";
  clock.Stop();
  wall.now += 10s;
  EXPECT_EQ(clock.Position(), MediaTime(4s));
  clock.Start();
  clock.SetRate(2.0);
  wall.now += 1s;
  EXPECT_EQ(clock.Position(), MediaTime(6s));
}

TEST(ClockTest, TellsTheWallTimeUntilAMediaTime) {
  FakeWall wall;
  PlaybackClock clock(wall.Function());
  EXPECT_FALSE(clock.WallDelayUntil(MediaTime(1s))) << "a stopped clock never gets there";
  clock.Start();
  clock.SetRate(2.0);
  EXPECT_EQ(clock.WallDelayUntil(MediaTime(1s)), std::chrono::nanoseconds(500ms));
  wall.now += 1s;
  EXPECT_EQ(clock.WallDelayUntil(MediaTime(1s)), std::chrono::nanoseconds(0)) << "past times are due now";
}

TEST(ClockTest, FollowsTheMasterBeyondASmallDrift) {
  FakeWall wall;
  PlaybackClock clock(wall.Function());
  clock.Start();
  wall.now += 1s;
  clock.SyncToMaster(MediaTime(1s) - MediaTime(8ms));
  EXPECT_EQ(clock.Position(), MediaTime(1s)) << "jitter below the threshold is ignored";
  EXPECT_EQ(clock.LastMasterOffset(), MediaTime(8ms));
  clock.SyncToMaster(MediaTime(900ms));
  EXPECT_EQ(clock.Position(), MediaTime(900ms));
  wall.now += 100ms;
  EXPECT_EQ(clock.Position(), MediaTime(1s));
}

}  // namespace
