#include "paneldialog.h"

#include "panelhost.h"
#include "resourceids.h"
#include "skinbutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>

CPanelDialog::CPanelDialog(int templateId, PanelHost* host, QWidget* parent)
    : QWidget(parent), host_(host) {
  setObjectName(ids::ControlName(templateId));
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The window decides the mouse bands from moves over its own face; a move over a panel is not
  // one of them, as a separate window above it would keep it. A move no control of the panel takes
  // must not climb to the window either.
  setAttribute(Qt::WA_NoMousePropagation);
  hide();
  LoadAccelerators();
}

void CPanelDialog::LoadAccelerators() {
  // Shortcuts are offered before the focused control sees the key, so a slider of the panel never
  // pages with them, and the keys work wherever the focus is inside the panel.
  struct Accelerator {
    Qt::Key key;
    int command;
  };
  for (const Accelerator& a : {Accelerator{Qt::Key_PageUp, ids::ID_PREVIOUS_RECORDING},
                               Accelerator{Qt::Key_PageDown, ids::ID_NEXT_RECORDING}}) {
    auto* shortcut = new QShortcut(QKeySequence(a.key), this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    const int command = a.command;
    connect(shortcut, &QShortcut::activated, this, [this, command] {
      if (!host_) return;
      if (command == ids::ID_PREVIOUS_RECORDING) host_->PlayPrevious();
      else host_->PlayNext();
    });
  }
}

void CPanelDialog::ApplyButtonSkins(std::span<const PanelButtonSkin> skins) {
  for (const PanelButtonSkin& skin : skins) {
    auto* button = findChild<CSovSkinButton*>(ids::ControlName(skin.id), Qt::FindDirectChildrenOnly);
    if (!button) continue;
    button->SetBitmaps(skin.normal, skin.pressed, skin.hover, skin.disabled, skin.focus);
    button->setText(QString());
    if (skin.tooltip) button->SetToolTipText(QString::fromUtf8(skin.tooltip));
  }
}

bool CPanelDialog::Contains(const QObject* object) {
  for (; object; object = object->parent())
    if (qobject_cast<const CPanelDialog*>(object)) return true;
  return false;
}

void CPanelDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawBackground(painter);
}

void CPanelDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) event->ignore();
  else event->accept();
}
