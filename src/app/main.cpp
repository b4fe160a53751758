#include "forms/FormLayout.h"
#include "core/Module1.h"
#include "app/frmPelumo1.h"
#include "platform/QtPlatform.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FormLayout::InstallFontSubstitutions();

    auto state = std::make_unique<Module1>();
    QtPlatform platform;
    frmPelumo1 topMenu(*state, platform);
    topMenu.show();
    return app.exec();
}
