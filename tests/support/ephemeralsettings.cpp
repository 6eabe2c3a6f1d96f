// Linked into every test program: each window of a test keeps its remembered settings
// in a store of its own that starts empty, inside a temporary folder of the process. A
// window closed by one test must not hand its language or layout to the next, and no
// test may read or write the user's own settings. Tests of the remembered settings
// install an opener of their own.
#include "core/app/storedsettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace {

void useEphemeralSettings()
{
    static QTemporaryDir folder;
    static int opened = 0;
    veltrix::setSettingsStoreOpener([] {
        return new QSettings(folder.filePath(QStringLiteral("settings-%1.ini").arg(++opened)),
                             QSettings::IniFormat);
    });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(useEphemeralSettings)
