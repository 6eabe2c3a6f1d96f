// Starts the main window with area 0 preloaded: a polygon Out1, a fan Out2 derived
// from it and a straight Out3 derived from the fan, so that the field rendering and
// the handles can be looked at (and photographed) without a scanner or a project file.
//
//   show_fields [ZOOM_LEVEL [EDITED_FIELD [MODEL_INDEX [CENTRE_X CENTRE_Y [PAN]]]]]
//   e.g. show_fields 120 1, or show_fields -90 0 4 0 0 for model 50 around the scanner
//   (the centre is given in area millimetres, y forward). PAN pixels: after showing,
//   the view is panned by that much right and down in small steps, as a hand drag does.

#include "gui/app/mainwindow.h"
#include "gui/graphics/viewwindow.h"

#include <QApplication>
#include <QDebug>
#include <QScrollBar>
#include <QSlider>
#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif
#include <QTimer>
#include <QtMath>

using namespace veltrix;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 is UTF-8 throughout; Qt 5 takes the locale's codec unless told otherwise.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("utf-8"));
#endif
    const QStringList args = app.arguments();
    const int zoomLevel = args.size() > 1 ? args.at(1).toInt() : 70;
    const int field = args.size() > 2 ? args.at(2).toInt() : 0;
    const int modelIndex = args.size() > 3 ? args.at(3).toInt() : 0;
    const QPointF centre(args.size() > 5 ? args.at(4).toDouble() : 0.0,
                         args.size() > 5 ? args.at(5).toDouble() : 1500.0);

    MainWindow window;
    AreaModel &model = window.areaModel();
    AreaRecord area = model.area(0);
    area.out1Shape = Polygon;
    area.out1Points.clear();
    for (int i = 0; i < 14; ++i) {
        const double angle = qDegreesToRadians(-35.0 + 250.0 * i / 13);
        const double radius = 3600 + 700 * std::cos(3 * angle) - (i % 2) * 250;
        area.out1Points << QPoint(qRound(radius * std::cos(angle)), qRound(radius * std::sin(angle)));
    }
    area.out2Shape = Fan;
    area.out2Points = {QPoint(0, 2600)};
    area.out3Shape = Straight;
    area.out3Points = {QPoint(0, 1200)};
    // Given to the document as an opened file would: every view shows it.
    model.replaceArea(0, area);
    model.setCurrentField(field);

    window.resize(1234, 752);
    window.show();
    auto *view = window.findChild<ViewWindow *>(QStringLiteral("graphicsView"));
    auto *slider = window.findChild<QSlider *>(QStringLiteral("ZoomSlider"));
    if (modelIndex != 0)
        window.project().setModelIndex(modelIndex);
    slider->setValue(zoomLevel);
    view->centerOn(centre.x(), -centre.y());
    const int pan = args.size() > 6 ? args.at(6).toInt() : 0;
    for (int step = 1; pan != 0 && step <= 10; ++step) {
        QTimer::singleShot(500 + 50 * step, view, [view, pan] {
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() - pan / 10);
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() - pan / 10);
        });
    }
    qInfo("viewport: %s", view->UsesOpenGL() ? "OpenGL, multisampled" : "raster");
    return app.exec();
}
