// The map control (1068): a browser window that shows the map page, calls the page's script
// functions by name, and hears back from the page when the user clicks the route.
#pragma once

#include "mapbrowser.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

// A script call as text: "javascript:" (optional) then the function's name, "(" and its
// arguments, split at spaces, commas, quotes, tabs, parentheses and semicolons.
struct ScriptCall {
  QString name;
  QStringList arguments;
  friend bool operator==(const ScriptCall&, const ScriptCall&) = default;
};
ScriptCall ParseScriptCall(const QString& text);

// The browser itself is made on the first navigation, so a player that never shows the map
// never starts the web engine.
class CExplorerMapViewWnd : public QWidget {
  Q_OBJECT
 public:
  explicit CExplorerMapViewWnd(QWidget* parent = nullptr);
  ~CExplorerMapViewWnd() override;

  void Navigate(const QUrl& url);
  // Calls a function of the loaded page with string arguments; nothing happens without a page or
  // when the page has no such function. The call does not wait for the page.
  void CallScript(const QString& text);
  void CallFunction(const QString& name, const QStringList& arguments);
  // Runs script in the page and hands its value to `result` later (tests, diagnostics).
  void Evaluate(const QString& script, std::function<void(const QVariant&)> result);

  // False until the first navigation made the browser.
  bool HasBrowser() const { return browser_ != nullptr; }
  // The address of the last navigation, empty before the first.
  QUrl Url() const { return url_; }

 signals:
  void pageLoaded(bool ok);

 protected:
  // What a new browser is made with.
  virtual MapBrowserOptions BrowserOptions();
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::unique_ptr<MapBrowser> browser_;
  QUrl url_;
};
