// Cost of the two most frequent editing steps on a full document: picking another
// area in the area list, and editing one coordinate-table cell. Every area holds
// three 100-point polygon fields. Run with QT_QPA_PLATFORM=offscreen.

#include "core/areas/areamodel.h"
#include "editiondockundertest.h"
#include "gui/graphics/painttable.h"

#include <QPainter>
#include <QtMath>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::testing;

namespace {

constexpr int PointsPerField = 100;

QVector<QPoint> polygon(int area, int field)
{
    QVector<QPoint> points;
    const double radius = 2000.0 + 300.0 * field + 10.0 * area;
    for (int i = 0; i < PointsPerField; ++i) {
        const double angle = qDegreesToRadians(-45.0 + 270.0 * i / (PointsPerField - 1));
        const double r = radius * (1.0 + 0.1 * ((i % 7) - 3) / 3.0);
        points.append(QPoint(qRound(r * qCos(angle)), qRound(r * qSin(angle))));
    }
    return points;
}

// The edition dock with its three editors on a document whose areas all arrived at
// once (as from a file).
struct Editors
{
    AreaModel model;
    EditionDockUnderTest dock{&model};
    AREA_TABLE &areaTable = dock.list();
    QImage canvas{400, 100, QImage::Format_ARGB32_Premultiplied};

    Editors()
    {
        QVector<AreaRecord> areas = model.areas();
        for (int area = 0; area < AreaCount; ++area) {
            for (int field = 0; field < FieldCount; ++field)
                areas[area].points(field) = polygon(area, field);
        }
        model.replaceAllAreas(areas);
    }

    // Paints thumbnail `area` into the canvas, as the screen would after its update.
    void paintThumbnail(int area)
    {
        PAINT_TABLE *thumb = areaTable.thumbnail(area);
        thumb->resize(canvas.size());
        thumb->render(&canvas);
    }
};

}  // namespace

class BenchAreaEditing : public QObject
{
    Q_OBJECT

private slots:
    void rowClick();
    void rowClickOnScreen();
    void coordinateEdit();
};

// The click slot (the tables and edit controls follow the document's announcement)
// plus the painting of all 64 thumbnails, whether on screen or not.
void BenchAreaEditing::rowClick()
{
    Editors e;
    int row = 0;
    QBENCHMARK {
        row = row == 1 ? 2 : 1;
        e.areaTable.AreaTableClickChangeSlots(row, 0);
        for (int area = 0; area < AreaCount; ++area)
            e.paintThumbnail(area);
    }
    QCOMPARE(e.dock.coordTables[0]->rowCount(), PointsPerField + 1);
}

// A real click on a shown area list, with the event loop painting what is visible.
void BenchAreaEditing::rowClickOnScreen()
{
    Editors e;
    QVERIFY(e.dock.showActive());
    QTableWidget *table = e.dock.areaTable;
    int row = 0;
    QBENCHMARK {
        row = row == 1 ? 2 : 1;
        const QRect cell = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QCoreApplication::processEvents();
    }
    QCOMPARE(e.model.currentArea(), row);
}

// One cell of the cartesian table of Out1 changed: the point is stored, both tables
// of the field refilled, a snapshot taken, the row marked and its thumbnail painted.
void BenchAreaEditing::coordinateEdit()
{
    Editors e;
    QTableWidget *table = e.dock.coordTables[0];
    int value = 0;
    QBENCHMARK {
        value = value == 1500 ? 1501 : 1500;
        table->item(50, 1)->setText(QString::number(value));
        e.paintThumbnail(e.model.currentArea());
    }
    QCOMPARE(e.model.current().out1Points.at(50).x(), value);
    QCOMPARE(table->item(50, 1)->text(), QString::number(value));
}

QTEST_MAIN(BenchAreaEditing)
#include "bench_areaediting.moc"
