// Shows the program in one language, for looking at it: the main window, or one of its
// dialogs over it.
//
//   build/bench/app/show_language en|zh_CN [main|about|start|serial|ethernet|appsettings|
//                                          teaching|polar|iosimulation|MENU] [WIDTHxHEIGHT]
//
// teaching shows the case-channel and teach-in pages of the edition dock, polar the polar
// coordinate table, iosimulation the IO simulation dock too; MENU is the object name of a menu
// to open (menuView, menuConnections...). WIDTHxHEIGHT sizes the main window (1920x1080).
#include "gui/app/about.h"
#include "gui/app/appsettingsdialog.h"
#include "gui/app/mainwindow.h"
#include "gui/connect/create.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <cstdio>

using namespace veltrix;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString language = arguments.value(1, QStringLiteral("en"));
    const QString window = arguments.value(2, QStringLiteral("main"));

    MainWindow w;
    if (!w.languageSwitch().setLanguage(language)) {
        std::fprintf(stderr, "no such language: %s\n", qPrintable(language));
        return 2;
    }
    const QStringList size = arguments.value(3).split(QLatin1Char('x'));
    if (size.size() == 2)
        w.resize(size.at(0).toInt(), size.at(1).toInt());
    w.show();
    if (window == QLatin1String("iosimulation"))
        w.OpenCloseIOSimulationDock(true);
    if (window == QLatin1String("appsettings"))
        w.OpenAppSettings();
    QDialog *dialog = nullptr;
    if (window == QLatin1String("about"))
        dialog = w.aboutDialog();
    else if (window == QLatin1String("start"))
        dialog = w.startDialog();
    else if (window == QLatin1String("serial"))
        dialog = w.serialSettingsDialog();
    else if (window == QLatin1String("ethernet"))
        dialog = w.ethernetSettingsDialog();
    if (dialog)
        dialog->show();
    auto showPage = [&w](const char *tabs, int page) {
        if (auto *widget = w.findChild<QTabWidget *>(QLatin1String(tabs)))
            widget->setCurrentIndex(page);
    };
    if (window == QLatin1String("teaching")) {
        showPage("ParametersEditTab", 1);
        showPage("TableCoordinatesOut1", 1);
    } else if (window == QLatin1String("polar")) {
        showPage("CoordinatesTypeOut1", 1);
    } else if (QMenu *menu = w.findChild<QMenu *>(window)) {
        // Opened under its title in the menu bar once the window is laid out.
        QMetaObject::invokeMethod(menu, [&w, menu] {
            menu->popup(w.menuBar()->mapToGlobal(
                w.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
        }, Qt::QueuedConnection);
    }
    return app.exec();
}
