// Picture of the kind picker (on a row that holds an event, so with its
// cancel button) and the wait dialog, side by side.
// Usage: shot_event_dialogs OUT.png (on a real display).

#include "core/EventKinds.h"
#include "core/Module1.h"
#include "dialogs/form2.h"
#include "dialogs/frmText2.h"
#include "dialogs/frmWait.h"
#include "shots/Shot.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QLineEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = Shot::Start(argc, argv);
    if (out.isEmpty()) return 2;

    Module1 m;
    m.EventIndex = 3;
    m.EventTable[3][0] = EventKinds::kWait;
    m.EventTable[3][1] = QStringLiteral("ようこそ、ペルモ商事へ。");
    FakePlatform platform;

    QWidget host;
    host.setWindowTitle(QStringLiteral("イベントの選択 / ウエイト設定 / イベントメッセージ作成"));
    host.setFixedSize(680, 360);
    host.setStyleSheet(QStringLiteral("QWidget#host { background: #505050; }"));
    host.setObjectName(QStringLiteral("host"));
    QDialog* dialogs[] = {new form2(m, &host), new frmWait(m, &host),
                          new frmText2(m, platform, &host)};
    const QPoint at[] = {{10, 10}, {340, 10}, {10, 210}};
    for (int i = 0; i < 3; ++i) {
        dialogs[i]->setWindowFlags(Qt::Widget);
        dialogs[i]->setAutoFillBackground(true);
        dialogs[i]->move(at[i]);
        dialogs[i]->show();
    }
    host.show();
    Shot::SaveLater(&host, out);
    return app.exec();
}
