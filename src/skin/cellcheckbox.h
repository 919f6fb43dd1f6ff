// The check-box cell of the recording list: marks a recording for saving or deleting. Its text is
// "1" (checked) or "0" (unchecked), optionally followed by a label drawn beside the box.
#pragma once

#include "cellctrl.h"

class CCellCheckBox : public CCellButton {
 public:
  // Width of the box's clickable area; a narrower column shows no box.
  static constexpr int kBoxWidth = 20;
  // One image of the check-box strip (bitmap 241: unchecked, checked, and both disabled).
  static constexpr int kImageWidth = 18;
  static constexpr int kImageHeight = 16;

  CCellCheckBox();

  void Initialize(CConfigListCtrl* list, const bool* listEnabled, const QString& text) override;
  QRect GetRect() const override { return buttonRect; }
  void Draw(QPainter& painter, const QRect& rect, unsigned itemState) override;
  quint32 GetStyle() const override { return style; }

  bool IsChecked() const { return text.startsWith(QLatin1Char('1')); }

 protected:
  void OnClick(unsigned flags, int x, int y) override;

 private:
  QRect cellRect;  // the whole cell rectangle of the last Draw
};
