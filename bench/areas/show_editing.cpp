// Hosts the main window with a few areas already drawn, for looking at the edition
// dock (screenshots). Not part of the product: the program itself starts empty.
//
//   show_editing        the window with areas 0..5 filled; a corner of area 2 is edited
//                       in the coordinate table (its row gets the green marker), then
//                       area 1 is picked

#include "gui/app/mainwindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTableWidget>
#include <QTimer>
#include <QtMath>
#include <cstdio>

using namespace veltrix;

namespace {

QVector<QPoint> arcPolygon(double radius, double from, double to, int count, double ripple)
{
    QVector<QPoint> points;
    for (int i = 0; i < count; ++i) {
        const double angle = qDegreesToRadians(from + (to - from) * i / (count - 1));
        const double r = radius * (1.0 + ripple * ((i % 3) - 1));
        points.append(QPoint(qRound(r * qCos(angle)), qRound(r * qSin(angle))));
    }
    return points;
}

QVector<AreaRecord> filledAreas(const AreaModel &model)
{
    QVector<AreaRecord> areas = model.areas();
    AreaRecord &a0 = areas[0];
    a0.out1Points = arcPolygon(3000, -45, 225, 9, 0.0);
    a0.out2Shape = Straight;
    a0.out2Points = {{0, 1800}};
    a0.out3Shape = Fan;
    a0.out3Points = {{0, 1000}};

    AreaRecord &a1 = areas[1];
    a1.openDelay = 3;
    a1.closeDelay = 5;
    a1.hysteresis = 2;
    a1.steerMinDgree = -30;
    a1.steerMaxDgree = 30;
    a1.vehicleMinSpeed = 0;
    a1.vehicleMaxSpeed = 120;
    a1.vehicleOptionMode = 1;
    a1.out1Points = {{-1500, 0}, {-1500, 2600}, {-600, 3200}, {600, 3200}, {1500, 2600}, {1500, 0}};
    a1.out2Shape = Ratio;
    a1.out2Points = {{0, 2000}};
    a1.out3Shape = Straight;
    a1.out3Points = {{0, 900}};

    AreaRecord &a2 = areas[2];
    a2.out1Shape = Rectangle;
    a2.out1Points = {{-2000, -500}, {-2000, 2500}, {2000, 2500}, {2000, -500}};
    a2.out2Shape = Arc;
    a2.out2Points = {{1500, 0}, {-1500, 0}};
    a2.out3Shape = Fan;
    a2.out3Points = {{0, 800}};

    AreaRecord &a3 = areas[3];
    a3.out1Shape = Arc;
    a3.out1Points = {{2121, -2121}, {-2121, -2121}};
    a3.out2Shape = Fan;
    a3.out2Points = {{0, 2000}};
    a3.out3Points = arcPolygon(900, 0, 180, 7, 0.15);

    AreaRecord &a4 = areas[4];
    a4.out1Points = arcPolygon(4000, 20, 160, 12, 0.08);
    a4.out2Shape = Straight;
    a4.out2Points = {{0, 3000}};

    AreaRecord &a5 = areas[5];
    a5.out1Shape = Rectangle;
    a5.out1Points = {{-800, 0}, {-800, 5000}, {800, 5000}, {800, 0}};
    a5.out2Shape = Ratio;
    a5.out2Points = {{0, 3000}};
    a5.out3Shape = Ratio;
    a5.out3Points = {{0, 1500}};
    return areas;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    // Given to the document as an opened file would: every view shows the areas.
    window.areaModel().replaceAllAreas(filledAreas(window.areaModel()));
    window.show();

    // Pick areas as a user would.
    auto *list = window.findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"));
    auto *coords = window.findChild<QTableWidget *>(QStringLiteral("CoordTableWidgetOut1"));
    QTimer::singleShot(0, list, [list, coords] {
        list->selectRow(2);
        emit list->cellClicked(2, 0);
        coords->item(2, 1)->setText(QStringLiteral("2600"));
        list->selectRow(1);
        emit list->cellClicked(1, 0);
    });
    return app.exec();
}
