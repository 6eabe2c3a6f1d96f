// One full language switch of the whole interface: the main window shown with every
// dialog built (about, start, serial and Ethernet settings), the translators exchanged
// and every LanguageChange event delivered, so that all texts are set again.
//
//   QT_QPA_PLATFORM=offscreen build/bench/app/bench_language [--switches N]
//
// Switches N times (default 40), alternately to English and back to Chinese, and prints
// the time of each direction: minimum, median and maximum in milliseconds.
#include "gui/app/about.h"
#include "gui/app/mainwindow.h"
#include "gui/connect/create.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

using namespace veltrix;

namespace {

void report(const char *direction, QVector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    std::printf("%-11s %3d switches: min %.1f ms, median %.1f ms, max %.1f ms\n", direction,
                int(figures.size()), figures.first(), figures.at(figures.size() / 2),
                figures.last());
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int switches = 40;
    const QStringList arguments = app.arguments();
    const int option = int(arguments.indexOf(QStringLiteral("--switches")));
    if (option >= 0 && option + 1 < arguments.size())
        switches = std::max(2, arguments.at(option + 1).toInt());

    MainWindow w;
    w.show();
    // Every dialog shown once, as a user who has opened them all.
    for (QWidget *dialog : {static_cast<QWidget *>(w.aboutDialog()),
                            static_cast<QWidget *>(w.startDialog()),
                            static_cast<QWidget *>(w.serialSettingsDialog()),
                            static_cast<QWidget *>(w.ethernetSettingsDialog())})
        dialog->show();
    QCoreApplication::processEvents();

    QVector<double> toEnglish;
    QVector<double> toChinese;
    QElapsedTimer timer;
    for (int i = 0; i < switches; ++i) {
        const bool english = i % 2 == 0;
        timer.start();
        if (english)
            w.LanguageToEnglish();
        else
            w.LanguageToChinese();
        QCoreApplication::processEvents();
        (english ? toEnglish : toChinese) << timer.nsecsElapsed() / 1e6;
    }
    report("to English", toEnglish);
    report("to Chinese", toChinese);
    return 0;
}
