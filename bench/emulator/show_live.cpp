// Starts the emulator and the main window connected to it over TCP on the loopback
// address, reading distances and intensities with the simulation exchange running,
// so that the live view, the data table, the status strip and the IO simulation dock
// can be looked at (and photographed) without a scanner.
//
//   show_live [graph|cloud|line [zh|en [dock|monitor]]]
//   dock: the IO simulation dock is shown with inputs 1, 3 and 6 simulated;
//   monitor: monitoring mode, the emulator's inputs (5) choose the area shown.

#include "emulatorprocess.h"

#include "gui/app/mainwindow.h"
#include "core/link/serialcomm.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QSpinBox>
#include <QTcpSocket>
#include <QTimer>

using namespace veltrix;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString mode = arguments.value(1, QStringLiteral("graph"));
    const QString language = arguments.value(2, QStringLiteral("zh"));
    const QString extra = arguments.value(3);

    EmulatorProcess emulator({"--address", "127.0.0.1", "--inputs", "5", "--fault-bit", "3"});
    if (!emulator.start()) {
        qWarning("the emulator did not start");
        return 1;
    }

    MainWindow window;
    if (language == QLatin1String("en"))
        window.LanguageToEnglish();
    else
        window.LanguageToChinese();
    if (mode == QLatin1String("cloud"))
        window.OpenDispCloudSlot();
    else if (mode == QLatin1String("line"))
        window.OpenDispLineSlot();
    else
        window.OpenDispGraphSlot();
    window.resize(1400, 880);
    window.show();

    // Connected as the menus connect: the read-all (which tells the mounting
    // direction), polling as the display actions say and the simulation exchange start.
    window.CreatEthnertModeSignalSlot(QStringLiteral("MODE: TCP"));
    window.CreatEthernetPort(QStringLiteral("127.0.0.1"));
    window.findChild<QAction *>(QStringLiteral("Intensity"))->trigger();
    // The read-all ends with a notice that would hide the view; then area 5, which the
    // emulator's inputs choose, gets two fields to be shown in monitoring mode.
    QTimer::singleShot(2500, &window, [&window, extra] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(top))
                top->close();
        }
        AreaRecord area;
        area.out1Points = {QPoint(-1500, 0), QPoint(-1500, 2500), QPoint(1500, 2500), QPoint(1500, 0)};
        area.out2Points = {QPoint(-800, 0), QPoint(-800, 1500), QPoint(800, 1500), QPoint(800, 0)};
        window.areaModel().replaceArea(5, area);
        if (extra == QLatin1String("monitor"))
            window.findChild<QAction *>(QStringLiteral("Monitoring"))->trigger();
    });

    if (extra == QLatin1String("dock")) {
        QAction *simulation = window.findChild<QAction *>(QStringLiteral("IOSimulation"));
        simulation->setEnabled(true);
        simulation->trigger();
        window.findChild<QGroupBox *>(QStringLiteral("InportGrouptBox"))->setChecked(true);
        window.findChild<QSpinBox *>(QStringLiteral("InputspinBox"))->setValue(37);
    }
    return app.exec();
}
