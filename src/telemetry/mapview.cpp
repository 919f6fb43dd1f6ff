#include "mapview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QResizeEvent>

namespace {
const QString kDelimiters = QStringLiteral(" ,'\"\t();");
}

ScriptCall ParseScriptCall(const QString& text) {
  ScriptCall call;
  if (text.isEmpty()) return call;
  const QString prefix = QStringLiteral("javascript:");
  const qsizetype at = text.indexOf(prefix);
  const QString body = at >= 0 ? text.mid(at + prefix.size()) : text;
  const qsizetype open = body.indexOf(QLatin1Char('('));
  if (open >= 0) call.name = body.left(open).trimmed();
  const QString argumentText = open >= 0 ? body.mid(open + 1) : body;
  QString piece;
  for (const QChar c : argumentText) {
    if (kDelimiters.contains(c)) {
      if (!piece.isEmpty()) call.arguments.append(piece);
      piece.clear();
    } else {
      piece.append(c);
    }
  }
  if (!piece.isEmpty()) call.arguments.append(piece);
  return call;
}

CExplorerMapViewWnd::CExplorerMapViewWnd(QWidget* parent) : QWidget(parent) {}

CExplorerMapViewWnd::~CExplorerMapViewWnd() = default;

MapBrowserOptions CExplorerMapViewWnd::BrowserOptions() {
  MapBrowserOptions options;
  options.loaded = [this](bool ok) { emit pageLoaded(ok); };
  return options;
}

void CExplorerMapViewWnd::Navigate(const QUrl& url) {
  url_ = url;
  if (!browser_) {
    browser_ = CreateMapBrowser(this, BrowserOptions());
    if (!browser_) return;
    browser_->Widget()->setGeometry(rect());
    browser_->Widget()->show();
  }
  browser_->Load(url);
}

void CExplorerMapViewWnd::CallScript(const QString& text) {
  const ScriptCall call = ParseScriptCall(text);
  if (call.name.isEmpty()) return;
  CallFunction(call.name, call.arguments);
}

void CExplorerMapViewWnd::CallFunction(const QString& name, const QStringList& arguments) {
  if (!browser_ || name.isEmpty()) return;
  // The name is looked up on the page and the arguments travel as JSON string literals, so no
  // text that reaches this call can become script of its own. Only the page's own functions
  // answer: a browser built-in such as eval would turn an argument into script.
  const QString nameLiteral = QString::fromUtf8(QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact));
  const QString argumentsLiteral =
      QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact));
  browser_->RunScript(
      QStringLiteral("(function(n, a) { var f = Object.prototype.hasOwnProperty.call(window, n) ? window[n] : null;"
                     " if (typeof f === 'function' && Function.prototype.toString.call(f).indexOf('[native code]') < 0)"
                     " f.apply(window, a); })(%1[0], %2);")
          .arg(nameLiteral, argumentsLiteral));
}

void CExplorerMapViewWnd::Evaluate(const QString& script, std::function<void(const QVariant&)> result) {
  if (browser_) browser_->RunScript(script, std::move(result));
  else if (result) result(QVariant());
}

void CExplorerMapViewWnd::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (browser_) browser_->Widget()->setGeometry(QRect(QPoint(0, 0), event->size()));
}
