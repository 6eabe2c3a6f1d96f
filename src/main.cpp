#include "gui/app/mainwindow.h"

#include <QApplication>
#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 is UTF-8 throughout; Qt 5 takes the locale's codec unless told otherwise.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("utf-8"));
#endif
    veltrix::MainWindow window;
    window.show();
    window.ShowStartDialog();
    return app.exec();
}
