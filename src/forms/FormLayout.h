#pragma once
// Fixed window layouts measured in twips, as the forms are drawn: 15 twips
// are one pixel at 96 dots per inch.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace FormLayout {

inline constexpr int kTwipsPerPixel = 15;

inline int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline QRect Twips(int left, int top, int width, int height)
{
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

inline const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kMincho = QStringLiteral("ＭＳ Ｐ明朝");

// A font by its face name and point size; bold is weight 700.
QFont Font(const QString& face, double points, bool bold);

// Maps the two Japanese face names to the IPA P fonts. Call once after the
// application object exists.
void InstallFontSubstitutions();

// Fixes a window's client area to the given size in twips.
void SetClientArea(QWidget* window, int widthTwips, int heightTwips);

// A label as the forms draw one: text from the top left, shown exactly as it
// is (an item name such as "<b>" is not taken for markup).
void PlainLabel(QLabel* label);

// The single-line border of a framed label.
void Framed(QLabel* label);

// Fills a control's background with `color` (labels in the window colour,
// white areas, the grey preview frame).
void Background(QWidget* control, const QColor& color);

// Text boxes take text of any length (the toolkit's default cuts at 32767
// characters, which would cut a long loaded text on OK).
void NoLengthLimit(QLineEdit* box);

// Places a control at its twips rectangle.
void Place(QWidget* control, int left, int top, int width, int height);

// A control of type T, named as the form names it, on `form` at the twips
// rectangle `twips` (left, top, width, height), in `font`.
template <typename T>
T* Add(QWidget* form, const char* name, const QRect& twips, const QFont& font)
{
    auto* control = new T(form);
    control->setObjectName(QLatin1String(name));
    Place(control, twips.x(), twips.y(), twips.width(), twips.height());
    control->setFont(font);
    return control;
}

// A button with its caption and tool tip.
QPushButton* AddButton(QWidget* form, const char* name, const QString& caption,
                       const QRect& twips, const QFont& font, const QString& toolTip = {});

// A label with its caption, shown as PlainLabel says.
QLabel* AddLabel(QWidget* form, const char* name, const QString& caption,
                 const QRect& twips, const QFont& font);

// Shows `text` in the word-wrapped `label` so that no paragraph ends in a line
// of only the last few characters of a sentence ("ん。"): where that would
// happen the label wraps a little narrower, in lines that end after "、" or
// "。" when it can, and again whenever it is resized. The text itself is
// shown as it is; the label's right margin is this function's, so the label
// has no frame, which would follow the margin.
void SetWrappedText(QLabel* label, const QString& text);

}  // namespace FormLayout
