#include "forms/ScrollingText.h"

#include <QLabel>
#include <QScrollArea>

namespace ScrollingText {

QScrollArea* Wrap(QLabel* label)
{
    auto* area = new QScrollArea(label->parentWidget());
    area->setObjectName(label->objectName() + QStringLiteral("Scroll"));
    area->setGeometry(label->geometry());
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The buttons keep the keyboard; the wheel and the bar scroll.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setWidget(label);
    return area;
}

}  // namespace ScrollingText
