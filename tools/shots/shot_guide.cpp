// The pictures of the user's guide, one window of the guide's sample project
// each. Usage: shot_guide VIEW OUT.png (on a real display); shot_guide --list
// names the views (any Qt platform will do for that).

#include "app/frmPelumo1.h"
#include "app/frmRehearsal.h"
#include "core/EventKinds.h"
#include "core/Module1.h"
#include "eventedit/frmPelumo3.h"
#include "listedit/frmPelumo4.h"
#include "shots/GuideProject.h"
#include "shots/Shot.h"
#include "support/FakePlatform.h"
#include "support/Modal.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>

namespace {

// form2: the kind `kind` is clicked.
void PickKind(const QString& kind)
{
    Modal::Expect(QStringLiteral("form2"), [kind](QWidget* w) {
        QListWidget* kinds = w->findChild<QListWidget*>("lstList");
        const auto found = kinds->findItems(kind, Qt::MatchExactly);
        if (!found.isEmpty()) emit kinds->itemClicked(found.first());
    });
}

// `then` runs once the window shown has painted.
void Later(const std::function<void()>& then) { QTimer::singleShot(300, then); }

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString view = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString out = argc > 2 ? Shot::Start(argc - 1, argv + 1) : QString();
    Modal::InstallGuard();  // the modal windows are answered
    GuideProject::Place place;
    Module1 m;
    FakePlatform platform;
    QString folder;

    // The windows, kept for the whole run.
    const auto eventEditor = [&](int downs) {
        m.ItemIndex = 2;  // "会社案内"
        auto* editor = new frmPelumo3(m, platform);
        for (int i = 0; i < downs; ++i) editor->findChild<QPushButton*>("cmdNext")->click();
        editor->show();
        return editor;
    };
    const auto listEditor = [&](int downs) {
        m.CallerMode = Module1::kModeListEditor;
        auto* editor = new frmPelumo4(m, platform);
        for (int i = 0; i < downs; ++i) editor->findChild<QPushButton*>("cmdNext")->click();
        // Shown here, not answered: while the check works, it is the modal
        // window the answers would otherwise take for the one they expect.
        editor->setProperty("answered", true);
        editor->show();
        return editor;
    };
    // The rehearsal in its window of 1280 x 960, after `keys` on its start screen and then on its list.
    const auto rehearsal = [&](const QList<Qt::Key>& keys) {
        auto* window = new frmRehearsal(m, platform);
        window->setWindowModality(Qt::NonModal);
        window->show();
        for (const Qt::Key key : keys) QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
        Shot::SaveLater(window, out);
    };
    const auto topMenu = [&] {
        auto* menu = new frmPelumo1(m, platform);
        menu->show();
        return menu;
    };

    const std::map<QString, std::function<void()>> views = {
        {"topmenu", [&] {
             auto* menu = topMenu();
             Later([=] {
                 GuideProject::LoadInTopMenu(*menu, folder);
                 GuideProject::SaveLater({menu}, out);
             });
         }},
        {"folder", [&] {
             auto* menu = topMenu();
             Later([=] {
                 GuideProject::SaveModal(menu, QStringLiteral("frmPelumo5"), out);
                 menu->findChild<QPushButton*>("cmdSinki")->click();
             });
         }},
        {"itempicker", [&] {
             auto* menu = topMenu();
             Later([=] {
                 GuideProject::LoadInTopMenu(*menu, folder);
                 GuideProject::SaveModal(menu, QStringLiteral("frmList"), out,
                                         [](QWidget* w) { w->findChild<QListWidget*>("lstList")->setCurrentRow(1); });
                 menu->findChild<QPushButton*>("cmdSakusei")->click();
             });
         }},
        {"rehearsal-start", [&] { rehearsal({}); }},
        {"rehearsal-list", [&] { rehearsal({Qt::Key_Space, Qt::Key_Down}); }},               // "会社案内" chosen
        {"rehearsal-item", [&] { rehearsal({Qt::Key_Space, Qt::Key_3, Qt::Key_Return}); }},  // "製品紹介" at its text
        {"listedit", [&] { GuideProject::SaveLater({listEditor(1)}, out); }},
        {"itemname", [&] {
             auto* editor = listEditor(3);  // the first empty row
             Later([=] {
                 GuideProject::SaveModal(editor, QStringLiteral("frmText1"), out, [](QWidget* w) {
                     Modal::CommitText(w->findChild<QLineEdit*>(QStringLiteral("txtText")), QStringLiteral("採用情報"));
                 });
                 editor->findChild<QPushButton*>("cmdHenshu")->click();
             });
         }},
        {"tenken", [&] {
             auto* editor = listEditor(0);
             Later([=] {
                 GuideProject::SaveModal(nullptr, QStringLiteral("frmTenken"), out);
                 editor->findChild<QPushButton*>("cmdTenken")->click();
             });
         }},
        {"eventedit", [&] { GuideProject::SaveLater({eventEditor(1)}, out); }},  // row 2, the picture
        {"kindpicker", [&] {
             auto* editor = eventEditor(1);
             Later([=] {
                 GuideProject::SaveModal(editor, QStringLiteral("form2"), out);
                 editor->findChild<QPushButton*>("cmdHenshu")->click();
             });
         }},
        {"filepicker", [&] {
             auto* editor = eventEditor(1);
             Later([=] {
                 PickKind(EventKinds::kPicture);
                 GuideProject::SaveModal(editor, QStringLiteral("frmFilesentaku"), out, [](QWidget* w) {
                     QListWidget* files = w->findChild<QListWidget*>("File1");
                     const auto found = files->findItems(QStringLiteral("honsha.jpg"), Qt::MatchExactly);
                     if (!found.isEmpty()) files->setCurrentItem(found.first());
                 });
                 editor->findChild<QPushButton*>("cmdHenshu")->click();
             });
         }},
        {"import", [&] {
             auto* editor = eventEditor(1);
             platform.chosenFiles = GuideProject::WriteOutsideFiles(place);
             Later([=] {
                 PickKind(EventKinds::kPicture);
                 Modal::Expect(QStringLiteral("frmFilesentaku"), [out](QWidget* picker) {
                     // The message aside, as a user moves it, so that the file chosen shows.
                     GuideProject::SaveModal(picker, QStringLiteral("frmError"), out, [picker](QWidget* message) {
                         message->move(picker->pos() + QPoint(picker->width() / 2, picker->height() * 2 / 3));
                     });
                     picker->findChild<QPushButton*>(QStringLiteral("cmdTorikomi"))->click();
                 });
                 editor->findChild<QPushButton*>("cmdHenshu")->click();
             });
         }},
        {"wait", [&] {
             auto* editor = eventEditor(3);  // row 4, the wait
             Later([=] {
                 PickKind(EventKinds::kWait);
                 GuideProject::SaveModal(editor, QStringLiteral("frmWait"), out, [](QWidget* w) {
                     Modal::CommitText(w->findChild<QLineEdit*>(QStringLiteral("Text1")), QStringLiteral("1500"));
                 });
                 editor->findChild<QPushButton*>("cmdHenshu")->click();
             });
         }},
        {"playing", [&] {
             auto* editor = eventEditor(2);  // row 3, the looping sound
             Later([=] {
                 editor->findChild<QPushButton*>("cmdPlay")->click();
                 GuideProject::SaveLater({editor}, out, 400);  // well inside the wait that follows
             });
         }},
        {"error", [&] {
             auto* editor = eventEditor(4);  // row 5, the text before the map
             Later([=] {
                 GuideProject::SaveModal(editor, QStringLiteral("frmError"), out);
                 editor->findChild<QPushButton*>("cmdNext")->click();
             });
         }},
        {"tenken-windows", [&] {
             auto* editor = listEditor(0);
             Later([=] {
                 GuideProject::SaveModal(nullptr, QStringLiteral("frmTenken"), out);
                 editor->findChild<QPushButton*>(QStringLiteral("cmdTenken"))->click();
             });
         }},
        {"rename", [&] {
             auto* menu = topMenu();
             Later([=] {
                 GuideProject::LoadInTopMenu(*menu, folder, [=] { GuideProject::SaveModal(menu, QStringLiteral("frmYesNo"), out); });
             });
         }},
    };

    if (view == QLatin1String("--list")) {
        for (const auto& [name, show] : views) std::printf("%s\n", qPrintable(name));
        return 0;
    }
    const auto found = views.find(view);
    if (found == views.end() || out.isEmpty()) {
        std::fprintf(stderr, "usage: %s VIEW OUT.png, or --list\n", argv[0]);
        return 2;
    }
    if (view == QLatin1String("folder")) {
        folder = place.Folder(GuideProject::kFolderName);
        if (!place.ok() || !GuideProject::WriteMaterials(folder)) return 1;
        QDir::setCurrent(folder);  // where the chooser opens
    } else {
        // The findings and the message box come from the copy whose map is gone.
        const bool faulty = view == QLatin1String("tenken") || view == QLatin1String("error");
        folder = faulty                               ? GuideProject::BuildFaulty(place)
            : view == QLatin1String("tenken-windows") ? GuideProject::BuildForWindows(place)
            : view == QLatin1String("rename")         ? GuideProject::BuildFromWindows(place)
                                                      : GuideProject::Build(place);
        const bool throughTopMenu = view == QLatin1String("topmenu") || view == QLatin1String("itempicker") || view == QLatin1String("rename");
        if (folder.isEmpty() || (!throughTopMenu && !GuideProject::Load(m, folder))) return 1;
    }
    found->second();
    return app.exec();
}
