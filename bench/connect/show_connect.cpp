// Hosts the main window with one of the connection dialogs open, or connected, for
// looking at them (screenshots). Run it where a scanner (the emulator) can be found.
//
//   show_connect serial [en]             the serial settings dialog
//   show_connect ethernet [en]           the Ethernet settings dialog, searching
//   show_connect connected ADDRESS [en]  connected over Ethernet to ADDRESS

#include "gui/app/mainwindow.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

using namespace veltrix;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool english = arguments.removeAll(QStringLiteral("en")) > 0;
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: show_connect serial|ethernet|connected ADDRESS [en]\n");
        return 2;
    }
    MainWindow window;
    if (english)
        window.LanguageToEnglish();
    window.show();
    const QString what = arguments.first();
    QTimer::singleShot(300, &window, [&] {
        if (what == QLatin1String("serial")) {
            window.findChild<QAction *>(QStringLiteral("SerialSetting"))->trigger();
        } else if (what == QLatin1String("ethernet")) {
            window.CreatConnectTypeSignalSlot(EthernetInterface);
            window.findChild<QAction *>(QStringLiteral("EthnernetSetting"))->trigger();
        } else if (what == QLatin1String("connected") && arguments.size() > 1) {
            window.CreatConnectTypeSignalSlot(EthernetInterface);
            EthnertSetting *dialog = window.ethernetSettingsDialog();
            dialog->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"))->setEditText(arguments.at(1));
            dialog->update();
        }
    });
    return app.exec();
}
