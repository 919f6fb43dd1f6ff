#include "reviewrun.h"

#include "tavroplayerdlg.h"
#include "videoplayer.h"

#include <QTimer>

namespace {

// Time for the card search to list the card before the first recording is asked for, and for
// the first pictures to show before the window is photographed.
constexpr int kPlayAfterMs = 300;
constexpr int kScreenshotAfterMs = 800;
constexpr int kScreenshotAfterPlayMs = 2500;

}  // namespace

ReviewRun::ReviewRun(CTavroPlayerDlg& window, PlayerOptions options)
    : QObject(&window), window_(window), options_(std::move(options)) {}

void ReviewRun::Start() {
  if (options_.play) QTimer::singleShot(kPlayAfterMs, this, &ReviewRun::PlayFirst);
  if (!options_.screenshot.isEmpty())
    QTimer::singleShot(options_.play ? kScreenshotAfterPlayMs : kScreenshotAfterMs, this, &ReviewRun::SaveScreenshot);
}

void ReviewRun::PlayFirst() {
  const bool wantsBoth = !options_.view.isEmpty() && options_.view != QLatin1String("front");
  do {
    window_.PlayNext();
  } while (wantsBoth && window_.CurrentIndex() >= 0 && window_.Player().VideoStreamCount() < 2);
  if (options_.extended) window_.OnExtend();
  if (options_.view == QLatin1String("rear")) window_.OnViewRear();
  else if (options_.view == QLatin1String("both")) window_.OnViewBoth();
}

void ReviewRun::SaveScreenshot() {
  window_.grab().save(options_.screenshot);
  window_.done(QDialog::Accepted);
}
