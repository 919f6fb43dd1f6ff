#include "staticview.h"

CStaticView::CStaticView(const QString& text, QWidget* parent) : QWidget(parent) {
  setObjectName(text);
  setWindowTitle(text);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CStaticView::paintEvent(QPaintEvent*) {}
