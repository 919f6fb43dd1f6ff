// A player attached to two offscreen video windows, with its own component factory so a test
// can unregister components without disturbing others.
#pragma once

#include "framestripe.h"
#include "components.h"
#include "graph/videorenderer.h"
#include "videoplayer.h"
#include "playbacktestfiles.h"

#include "componentfactory.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

class PlayerFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The frame mark the window shows now, read from its rendering.
  static std::optional<FrameMark> Shown(QWidget* window);
  // Waits (generously) until the window shows the given frame.
  static bool ShowsFrame(QWidget* window, int frameNumber);
  VideoRenderer* Renderer(int number) const;
  MediaTime GraphPosition() const;

  ComponentFactory factory_;
  std::unique_ptr<QWidget> front_, rear_;
  std::unique_ptr<CVideoPlayer> player_;
};
