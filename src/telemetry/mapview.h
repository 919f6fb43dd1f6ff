// The map control (1068): a browser window that shows the map page, calls the page's script
// functions by name, and hears back from the page when the user clicks the route.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QWebChannel;
class QWebEngineProfile;
class QWebEngineView;

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

  // Null until the first navigation.
  QWebEngineView* Browser() const { return view_; }
  // The address of the last navigation, empty before the first.
  QUrl Url() const { return url_; }

 signals:
  void pageLoaded(bool ok);

 protected:
  // The profile and the page of a new browser, before its first navigation.
  virtual void PrepareBrowser(QWebEngineProfile& profile, QWebEngineView& view);
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateBrowser();

  QWebEngineProfile* profile_ = nullptr;  // child; outlives the view's page
  QWebEngineView* view_ = nullptr;        // child
  QUrl url_;
};
