#include "fakehost.h"

FakeHost::FakeHost() : face(std::make_unique<QWidget>()) { face->resize(1022, 682); }
FakeHost::~FakeHost() = default;

QString FakeHost::LoadUiString(int id) const {
  return id == 450 ? QStringLiteral("Detected no GPS files.") : QString();
}

void FakeHost::LayoutForView(int mode) {
  layouts.append(mode);
  if (mode == ViewLargeMap) largerTooltip.clear();  // the large-map layout empties it
}

void FakeHost::PlaceMapButtons(int top, const QString& tooltip, const MapShowButtonLook& showLook) {
  buttonsTop = top;
  largerTooltip = tooltip;
  showTooltip = QString::fromLatin1(showLook.tooltip);
  showBitmap = showLook.bitmaps[0];
}
