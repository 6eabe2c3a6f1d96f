// Records through the main window the scans of a scanner running in this process until
// it is killed: the recording cut short that tst_scanrecording then opens. Prints
// "scans N" once the Nth scan is written. Argument: the recording's file.

#include "windowundertest.h"

#include "emulatorserver.h"

#include "core/link/serialcomm.h"
#include "core/record/scanrecorder.h"
#include "gui/app/connectioncontrol.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

using namespace veltrix;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString fileName = app.arguments().value(1);
    EmulatorOptions options;
    options.address = QHostAddress(QStringLiteral("127.0.0.7"));
    EmulatorServer server(options);
    QString error;
    if (fileName.isEmpty() || !server.start(&error))
        return 2;

    testing::WindowUnderTest window;
    window.files << fileName;
    QObject::connect(window.scanRecordings()->recorder(), &ScanRecorder::scanRecorded, [&window] {
        std::printf("scans %d\n", window.scanRecordings()->recorder()->scanCount());
        std::fflush(stdout);
    });
    QObject::connect(window.connectionControl(), &ConnectionControl::opened, &window, [&window] {
        // The read-all connecting starts is not needed here: scans flow sooner without it.
        window.sensorLink()->CancelTransfer();
        window.trigger("RecordScan");
    });
    window.CreatEthnertModeSignalSlot(QStringLiteral("MODE: TCP"));
    window.CreatEthernetPort(QStringLiteral("127.0.0.7"));
    return app.exec();
}
