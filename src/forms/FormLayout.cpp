#include "forms/FormLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <limits>

namespace FormLayout {

QFont Font(const QString& face, double points, bool bold)
{
    QFont f(face);
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(kGothic, QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(kMincho, QStringLiteral("IPAPMincho"));
}

void SetClientArea(QWidget* window, int widthTwips, int heightTwips)
{
    window->setFixedSize(Px(widthTwips), Px(heightTwips));
}

void PlainLabel(QLabel* label)
{
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
}

void Framed(QLabel* label)
{
    label->setFrameShape(QFrame::Box);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
}

void Background(QWidget* control, const QColor& color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, color);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void NoLengthLimit(QLineEdit* box)
{
    box->setMaxLength(std::numeric_limits<int>::max());
}

void Place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(Twips(left, top, width, height));
}

QPushButton* AddButton(QWidget* form, const char* name, const QString& caption,
                       const QRect& twips, const QFont& font, const QString& toolTip)
{
    auto* button = Add<QPushButton>(form, name, twips, font);
    button->setText(caption);
    button->setToolTip(toolTip);
    return button;
}

QLabel* AddLabel(QWidget* form, const char* name, const QString& caption,
                 const QRect& twips, const QFont& font)
{
    auto* label = Add<QLabel>(form, name, twips, font);
    PlainLabel(label);
    label->setText(caption);
    return label;
}

}  // namespace FormLayout
