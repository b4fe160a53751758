// The second floor for the editor's start: a window of the top menu's size
// with one Japanese label in the top menu's face, so that the fonts are found
// and a Japanese face is loaded and drawn, as the editor must.

#include "forms/FirstPaint.h"
#include "forms/FormLayout.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FormLayout::InstallFontSubstitutions();
    QWidget window;
    window.setWindowTitle(QStringLiteral("label window"));
    FormLayout::SetClientArea(&window, 9600, 7185);
    FormLayout::AddLabel(&window, "lblTopText", QStringLiteral("ペルモ トップメニュー　　項目を選んで下さい。"),
                         QRect(360, 5760, 8775, 1215), FormLayout::Font(FormLayout::kGothic, 14.25, true));
    FirstPaint::QuitAfterIfAsked(&window);
    window.show();
    return app.exec();
}
