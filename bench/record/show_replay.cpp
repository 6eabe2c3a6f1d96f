// Starts the emulator and the main window connected to it over TCP on the loopback
// address, with fields in area 0 that the room's moving object and front wall enter,
// and records four seconds of scans; so that the field entry, the recording, the
// replay and the check can be looked at (and photographed) without a scanner.
//
//   show_replay [zh|en [record|replay|check]]
//   record: stays connected, recording (the status strip shows it);
//   replay: then plays the recording at its pace, disconnected;
//   check:  then checks area 0 against the recording in the check dialog.

#include "emulatorprocess.h"

#include "core/record/recordingplayer.h"
#include "gui/app/mainwindow.h"
#include "gui/record/scanrecordings.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace veltrix;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString language = arguments.value(1, QStringLiteral("zh"));
    const QString stage = arguments.value(2, QStringLiteral("replay"));

    EmulatorProcess emulator({"--address", "127.0.0.1", "--object-speed", "1500"});
    if (!emulator.start()) {
        qWarning("the emulator did not start");
        return 1;
    }
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("site.rec"));

    MainWindow window;
    window.messenger().setPresenter([](const UserMessage &) { return 0; });
    window.scanRecordings()->setFileChooser([file](const FileDialogRequest &) { return file; });
    if (language == QLatin1String("en"))
        window.LanguageToEnglish();
    else
        window.LanguageToChinese();
    window.resize(1400, 880);
    window.show();

    window.CreatEthnertModeSignalSlot(QStringLiteral("MODE: TCP"));
    window.CreatEthernetPort(QStringLiteral("127.0.0.1"));
    // The read-all ends with a notice that would hide the view; then the fields, which
    // the read-all would have replaced, and the recording.
    QTimer::singleShot(2500, &window, [&window] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(top))
                top->close();
        }
        AreaRecord area;
        area.out1Points = {QPoint(700, 1000), QPoint(700, 1500), QPoint(-700, 1500), QPoint(-700, 1000)};
        area.out2Shape = Arc;
        area.out2Points = {QPoint(2600, 0), QPoint(-2600, 0)};
        area.out3Shape = Arc;
        area.out3Points = {QPoint(4400, 0), QPoint(-4400, 0)};
        window.areaModel().replaceArea(0, area);
        window.findChild<QAction *>(QStringLiteral("RecordScan"))->trigger();
    });
    if (stage != QLatin1String("record")) {
        QTimer::singleShot(6500, &window, [&window, file, stage] {
            window.scanRecordings()->replay(file);
            if (stage == QLatin1String("check"))
                window.scanRecordings()->check(file);
        });
    }
    return app.exec();
}
