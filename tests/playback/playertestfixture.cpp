#include "playertestfixture.h"

#include "testenvironment.h"

#include "audiooutput.h"
#include "platformservices.h"

#include <QTest>

void PlayerFixture::SetUp() {
  RegisterPlaybackComponents(factory_);
  front_ = std::make_unique<QWidget>();
  rear_ = std::make_unique<QWidget>();
  front_->resize(344, 194);
  rear_->resize(344, 194);
  player_ = std::make_unique<CVideoPlayer>(factory_, &testenv::Services().Audio());
  player_->Attach(front_.get(), rear_.get());
}

void PlayerFixture::TearDown() { player_.reset(); }

std::optional<FrameMark> PlayerFixture::Shown(QWidget* window) {
  return ReadFrameMark(window->grab().toImage());
}

bool PlayerFixture::ShowsFrame(QWidget* window, int frameNumber) {
  return QTest::qWaitFor(
      [&] {
        const auto mark = Shown(window);
        return mark && mark->frameNumber == frameNumber;
      },
      10000);
}

VideoRenderer* PlayerFixture::Renderer(int number) const {
  return player_->PlayGraph() ? dynamic_cast<VideoRenderer*>(player_->PlayGraph()->Renderer(number)) : nullptr;
}

MediaTime PlayerFixture::GraphPosition() const {
  MediaTime position{-1};
  if (player_->PlayGraph() && player_->PlayGraph()->FilterGraph())
    player_->PlayGraph()->FilterGraph()->GetCurrentPosition(&position);
  return position;
}
