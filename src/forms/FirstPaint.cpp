#include "forms/FirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace FirstPaint {

namespace {

// Watches every paint of the program for the first one of the window or of
// anything in it (a window covered by its controls gets none itself).
class QuitOnPaint : public QObject {
public:
    explicit QuitOnPaint(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && (watched == window_ || window_->isAncestorOf(static_cast<QWidget*>(watched)))) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued: the painted frame reaches the screen before the loop ends.
            // The loop is left as it is; quit() would ask the windows to close.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace

void QuitAfterIfAsked(QWidget* window)
{
    if (qEnvironmentVariableIsSet("PELUMO_QUIT_AFTER_FIRST_PAINT"))
        QCoreApplication::instance()->installEventFilter(new QuitOnPaint(window));
}

}  // namespace FirstPaint
