// The window's share of field entry per scan: working out the entries of a 30000-point
// cloud against three 100-vertex fields, from the link's store to the item and the
// status texts (the core's own part alone is bench_fieldentry, goal 2 ms), and one
// paint of the entering points at the view's size.

#include "core/areas/areamodel.h"
#include "core/link/serialcomm.h"
#include "gui/graphics/fieldentryitem.h"
#include "gui/graphics/fieldentryview.h"
#include "gui/graphics/paintoutline.h"

#include <QGraphicsScene>
#include <QLabel>
#include <QPainter>
#include <QtMath>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int CloudPoints = 30000;

QVector<QPoint> Outline(double radius)
{
    QVector<QPoint> points;
    for (int i = 0; i < 100; ++i) {
        const double angle = qDegreesToRadians(-45.0 + 270.0 * i / 99);
        const double r = radius * (1.0 + 0.2 * std::sin(7.0 * angle));
        points << QPoint(qRound(r * std::cos(angle)), qRound(r * std::sin(angle)));
    }
    return points;
}

// A cloud at distances from `near` to `far` that wander with the bearing (view frame).
RecordedScan Cloud(double near, double far)
{
    RecordedScan scan;
    scan.link = ScanLink::Ethernet;
    for (int i = 0; i < CloudPoints; ++i) {
        const double angle = qDegreesToRadians(-45.0 + 270.0 * i / CloudPoints);
        const double r = near + (far - near) * (0.5 + 0.5 * std::sin(11.0 * angle));
        scan.cloudDistances << QPoint(qRound(r * std::cos(angle)), -qRound(r * std::sin(angle)));
    }
    scan.cloudIntensities = scan.cloudDistances;
    return scan;
}

}  // namespace

class BenchFieldEntryView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recompute_data();
    void recompute();
    void paint();

private:
    AreaModel m_areas;
    SERIAL_COMM m_link;
    QGraphicsScene m_scene;
    PAINT_OUTLINE *m_outline = new PAINT_OUTLINE(12000, 12000, &m_link.liveScan(), 0.1);
    QLabel m_labels[FieldCount];
    std::unique_ptr<FieldEntryView> m_view;
};

void BenchFieldEntryView::initTestCase()
{
    AreaRecord area;
    area.out1Points = Outline(2000);
    area.out2Points = Outline(3500);
    area.out3Shape = Polygon;
    area.out3Points = Outline(5000);
    m_areas.replaceArea(0, area);
    m_scene.addItem(m_outline);
    m_view = std::make_unique<FieldEntryView>(&m_areas, &m_link.liveScan(), m_outline, &m_scene,
                                              std::array<QLabel *, FieldCount>{&m_labels[0], &m_labels[1], &m_labels[2]},
                                              0);
}

void BenchFieldEntryView::recompute_data()
{
    QTest::addColumn<double>("near");
    QTest::addColumn<double>("far");
    QTest::newRow("a wall through the fields") << 1000.0 << 6000.0;
    QTest::newRow("surroundings clear of the fields") << 6500.0 << 9000.0;
}

void BenchFieldEntryView::recompute()
{
    QFETCH(double, near);
    QFETCH(double, far);
    m_link.ShowRecordedScan(Cloud(near, far));
    m_view->SetLinkConfiguration(m_link.configuration());
    QBENCHMARK {
        m_view->Recompute();
    }
}

void BenchFieldEntryView::paint()
{
    m_link.ShowRecordedScan(Cloud(1000, 6000));
    m_view->SetLinkConfiguration(m_link.configuration());
    m_view->SetViewScale(0.1);
    m_view->Recompute();
    QImage image(1234, 752, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.translate(617, 376);
    painter.scale(0.1, 0.1);
    QBENCHMARK {
        m_view->Item()->paint(&painter, nullptr, nullptr);
    }
}

QTEST_MAIN(BenchFieldEntryView)
#include "bench_fieldentryview.moc"
