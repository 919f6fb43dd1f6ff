#include "cellctrl.h"

#include "configlistctrl.h"

CCellCtrl::~CCellCtrl() = default;

void CCellCtrl::Initialize(CConfigListCtrl* owner, const bool* enabled, const QString& value) {
  list = owner;
  listEnabled = enabled;
  text = value;
  if (owner) {
    normalFont = &owner->CellFont(false);
    boldFont = &owner->CellFont(true);
  }
}

void CCellCtrl::Deactivate() { active = false; }
void CCellCtrl::Activate() { active = true; }
void CCellCtrl::SetRect(const QRect&) {}
int CCellCtrl::OnChar(QChar, int, unsigned) { return 1; }
int CCellCtrl::OnKeyDown(int, int, unsigned) { return 1; }
int CCellCtrl::OnKeyUp(int, int, unsigned) { return 1; }

int CCellCtrl::OnLButtonDown(unsigned, int, int) {
  Activate();
  return 1;
}

int CCellCtrl::OnLButtonUp(unsigned, int, int) { return 1; }
int CCellCtrl::OnTimer(int) { return 1; }
int CCellCtrl::OnVScroll(int, int, QWidget*) { return 1; }
int CCellCtrl::OnHScroll(int, int, QWidget*) { return 1; }
int CCellCtrl::OnMouseWheel(unsigned, int, int, int) { return 1; }
int CCellCtrl::OnRButtonDown(unsigned, int, int) { return 1; }
int CCellCtrl::OnCommand(quintptr, qintptr) { return 1; }
void CCellCtrl::OnKillFocus(QWidget*) {}
void CCellCtrl::OnSetFocus(QWidget*) {}
void CCellCtrl::BeginEdit(unsigned, int, int) {}
void CCellCtrl::OnCellMessage(quintptr, qintptr) {}
void CCellCtrl::OnThemeChanged() {}

int CCellButton::OnLButtonDown(unsigned flags, int x, int y) {
  Activate();
  if (!buttonRect.contains(x, y)) return 1;
  // A box partly scrolled out of the list must not toggle: the user cannot see what he clicks.
  if (!list) return 1;
  const QRect visible = list->rect().adjusted(-1, -1, 1, 1);
  // The far corner is the exclusive one, as the clickable area is drawn.
  const QPoint farCorner(buttonRect.left() + buttonRect.width(), buttonRect.top() + buttonRect.height());
  if (visible.contains(buttonRect.topLeft()) && visible.contains(farCorner)) OnClick(flags, x, y);
  return 1;
}
