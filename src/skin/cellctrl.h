// List cells: objects a CConfigListCtrl attaches to one (row, column) to draw that position and to
// handle its input while it is the list's active cell.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QtGlobal>

class CConfigListCtrl;
class QPainter;
class QWidget;

// Item-state bits handed to CCellCtrl::Draw, with the values of the owner-draw item states.
inline constexpr unsigned ODS_SELECTED = 0x1;
inline constexpr unsigned ODS_DISABLED = 0x4;
inline constexpr unsigned ODS_FOCUS = 0x10;

// The cell protocol. An event handler returning non-zero lets the list run its own default
// processing for the event; 0 means the cell has handled it.
class CCellCtrl {
 public:
  static constexpr quint32 kStyleBoldWhenActive = 0x01;
  static constexpr quint32 kStyleReadOnly = 0x08;  // the list never activates such a cell
  static constexpr quint32 kStyleCentred = 0x20;

  CCellCtrl() = default;
  CCellCtrl(const CCellCtrl&) = delete;
  CCellCtrl& operator=(const CCellCtrl&) = delete;
  virtual ~CCellCtrl();

  // Called by the list when it takes the cell; listEnabled points at the list's enabled flag and
  // stays valid for the cell's life (the list owns the cell).
  virtual void Initialize(CConfigListCtrl* list, const bool* listEnabled, const QString& text);
  virtual QRect GetRect() const = 0;
  virtual void Draw(QPainter& painter, const QRect& rect, unsigned itemState) = 0;
  virtual void Deactivate();
  virtual void Activate();
  virtual void SetRect(const QRect& rect);
  virtual int OnChar(QChar ch, int repeat, unsigned flags);
  virtual int OnKeyDown(int key, int repeat, unsigned flags);
  virtual int OnKeyUp(int key, int repeat, unsigned flags);
  virtual int OnLButtonDown(unsigned flags, int x, int y);
  virtual int OnLButtonUp(unsigned flags, int x, int y);
  virtual int OnTimer(int id);
  virtual int OnVScroll(int code, int position, QWidget* scrollBar);
  virtual int OnHScroll(int code, int position, QWidget* scrollBar);
  virtual int OnMouseWheel(unsigned flags, int delta, int x, int y);
  virtual int OnRButtonDown(unsigned flags, int x, int y);
  virtual int OnCommand(quintptr wParam, qintptr lParam);
  virtual void OnKillFocus(QWidget* gainingFocus);
  virtual void OnSetFocus(QWidget* previousFocus);
  // After a click activation, and after a Tab activation with (0, 0, 0).
  virtual void BeginEdit(unsigned flags, int x, int y);
  virtual void OnCellMessage(quintptr wParam, qintptr lParam);
  virtual quint32 GetStyle() const = 0;
  virtual void OnThemeChanged();

  bool IsActive() const { return active; }

  // The cell's value; the list shows it as the subitem text of the cell's position.
  QString text;

 protected:
  // The fonts are the list's, shared by all of its cells; null before Initialize with a list.
  const QFont* NormalFont() const { return normalFont; }
  const QFont* BoldFont() const { return boldFont ? boldFont : normalFont; }
  bool ListEnabled() const { return listEnabled == nullptr || *listEnabled; }

  CConfigListCtrl* list = nullptr;  // not owning: the list owns the cell
  bool active = false;
  quint32 style = 0;
  const bool* listEnabled = nullptr;

 private:
  const QFont* normalFont = nullptr;
  const QFont* boldFont = nullptr;
};

// A cell with a clickable area: a left click inside the area, while the area is entirely visible
// in the list, is the cell's OnClick.
class CCellButton : public virtual CCellCtrl {
 public:
  int OnLButtonDown(unsigned flags, int x, int y) override;

 protected:
  virtual void OnClick(unsigned flags, int x, int y) = 0;

  QRect buttonRect;  // the clickable area as last drawn, list coordinates; empty until drawn
};
