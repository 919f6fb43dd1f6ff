// ReviewRun: what the review options of the command line do once the window shows: play the
// first recording (the first with two cameras when a two-camera view is asked for), switch the
// view, and save a picture of the window before ending.
#pragma once

#include "commandline.h"

#include <QObject>

class CTavroPlayerDlg;

class ReviewRun : public QObject {
  Q_OBJECT
 public:
  ReviewRun(CTavroPlayerDlg& window, PlayerOptions options);
  void Start();

 private:
  void PlayFirst();
  void SaveScreenshot();

  CTavroPlayerDlg& window_;
  PlayerOptions options_;
};
