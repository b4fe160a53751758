#include "app/FormLayout.h"

#include <QLabel>
#include <QWidget>

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

void Place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(Twips(left, top, width, height));
}

}  // namespace FormLayout
