// CSovSkinButton: the bitmap-drawn button every clickable control of the player is made of.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <functional>

namespace skin {

// The caption face of the skinned controls. "맑은 고딕" is asked for first; where it is not
// installed (Linux), NanumGothic and the other Korean faces keep Hangul from turning into boxes.
// cellHeight is the height of a whole text line of the requested face (ascent plus descent) in
// pixels, the meaning the windows' layouts were made for: "00:00:00" at height 16 fits the
// 50-pixel time labels.
QFont UiFont(int cellHeight, int weight);
// font sized so that a line of the requested face is cellHeight pixels high.
QFont WithCellHeight(QFont font, int cellHeight);

// Where a control gets the image of a skin bitmap id; LoadSkinBitmap unless a test says otherwise.
using ImageLoader = std::function<QImage(int id)>;

// The fallback fills of states whose image is missing, fixed to the platform's standard scheme
// (COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, COLOR_GRAYTEXT) so the look does not follow the desktop theme.
inline constexpr QRgb kButtonFace = 0xFFF0F0F0;
inline constexpr QRgb kButtonHighlight = 0xFFFFFFFF;
inline constexpr QRgb kGrayText = 0xFF6D6D6D;

}  // namespace skin

enum class ButtonKind { Push, Check, Radio };

// Images per state: disabled while disabled; pressed while pushed or checked; otherwise hover
// (mouse over), then focus (keyboard focus), then normal. A missing normal, pressed or disabled
// image paints the button face; a missing hover or focus image falls through to the next choice.
//
// Check kind toggles on every click, radio kind checks itself and unchecks, after the current event
// has been handled, the other radio-kind sibling buttons of the same RadioGroup() number. clicked()
// comes after the check state was updated, so a handler reads the new state with GetCheck().
class CSovSkinButton : public QAbstractButton {
  Q_OBJECT
 public:
  CSovSkinButton(int id, ButtonKind kind, QWidget* parent);

  // Loads the five images; focusId 0 means no focus image, disabledId 0 reuses the normal image.
  // No repaint: the next paint shows them.
  void SetBitmaps(int normalId, int pressedId, int hoverId, int disabledId, int focusId);
  // The same with images at hand (null image = missing), taken exactly as given.
  void SetImages(const QImage& normal, const QImage& pressed, const QImage& hover,
                 const QImage& disabled, const QImage& focus);
  void SetImageLoader(skin::ImageLoader loader);

  void SetToolTipText(const QString& text);

  // A push-kind button stays unchecked. Checking a radio-kind button queues the uncheck of the
  // other members of its group.
  void SetCheck(bool checked);
  // The same state as isChecked(); a push-kind button is not checkable.
  bool GetCheck() const { return isChecked(); }
  ButtonKind Kind() const { return kind_; }

  // Radio-kind buttons with the same parent and the same number form a group; 0 unless set.
  void SetRadioGroup(int group) { radioGroup_ = group; }
  int RadioGroup() const { return radioGroup_; }

  // Caption colour in the enabled states; the owner sets it and repaints.
  QColor textColour{171, 171, 171};

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  // What a click does to the check state; also reached through QAbstractButton::click().
  void nextCheckState() override;

 private:
  void UncheckFromGroup();
  void EndPress();
  void DrawImageOrFace(QPainter& painter, const QImage& image) const;

  const ButtonKind kind_;
  int radioGroup_ = 0;
  bool hover_ = false;     // set by a move over the idle button, cleared by leave and by a press
  bool tracking_ = false;  // the left button went down here and has not come up
  bool spacePressed_ = false;
  skin::ImageLoader loader_;
  QImage normalImage_;
  QImage pressedImage_;
  QImage disabledImage_;
  QImage hoverImage_;
  QImage focusImage_;
};
