// Where the scan enters the fields, as the main window shows a recording played in it:
// the entering points drawn in their field's colour where they lie, the status strip's
// text per field, and both following an edit of the fields, another current area and
// the outline being hidden, without a new scan.

#include "windowundertest.h"

#include "core/record/recordingplayer.h"
#include "core/record/recordingwriter.h"
#include "gui/graphics/fieldentryitem.h"
#include "gui/graphics/fieldentryview.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"

#include <QGraphicsScene>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int ImageSize = 500;
constexpr double Scale = 0.04;  // 25 mm a pixel

// Area points of the scan: inside Out1 (and so Out2 and Out3), inside Out2 and Out3
// only, inside Out3 only, and behind the scanner in none.
const QPoint InOut1(0, 800);
const QPoint InOut2(1500, 1500);
const QPoint InOut3(-2500, 500);
const QPoint Behind(0, -3000);

AreaRecord nestedFields(int out1Shift = 0)
{
    AreaRecord area;
    area.out1Points = {QPoint(out1Shift - 1000, 500), QPoint(out1Shift + 1000, 500),
                       QPoint(out1Shift + 1000, 1200), QPoint(out1Shift - 1000, 1200)};
    area.out2Shape = Arc;
    area.out2Points = {QPoint(2500, 0), QPoint(-2500, 0)};
    area.out3Shape = Arc;
    area.out3Points = {QPoint(3000, 0), QPoint(-3000, 0)};
    return area;
}

QColor drawnAt(QGraphicsScene *scene, const QPoint &area)
{
    QImage image(ImageSize, ImageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double half = ImageSize / 2.0 / Scale;
    scene->render(&painter, QRectF(0, 0, ImageSize, ImageSize), QRectF(-half, -half, 2 * half, 2 * half));
    return image.pixelColor(int(ImageSize / 2 + area.x() * Scale), int(ImageSize / 2 - area.y() * Scale));
}

}  // namespace

class TestFieldEntryView : public QObject
{
    Q_OBJECT

private slots:
    void entriesFollowTheScanTheFieldsAndTheOutline();
};

void TestFieldEntryView::entriesFollowTheScanTheFieldsAndTheOutline()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("four points.rec"));
    {
        RecordingWriter writer;
        QVERIFY(writer.open(file, RecordingHeader(), nullptr));
        RecordedScan scan;
        scan.link = ScanLink::Ethernet;
        for (const QPoint &p : {InOut1, InOut2, InOut3, Behind})
            scan.cloudDistances.append(QPoint(p.x(), -p.y()));  // the link's frame
        scan.cloudIntensities = QVector<QPoint>(scan.cloudDistances.size());
        QVERIFY(writer.write(scan, nullptr));
        QVERIFY(writer.close(nullptr));
    }
    testing::WindowUnderTest w;
    w.setLanguage(1);
    w.areaModel().replaceArea(0, nestedFields());
    // No scanner and no replay: no point measured, so no field is called clear.
    w.fieldEntries()->Recompute();
    QVERIFY(!w.widget<QLabel>("label_FieldEntry1")->isVisibleTo(&w));
    QVERIFY(w.scanRecordings()->replay(file, false));
    QGraphicsScene *scene = w.sceneController()->OutlineItem()->scene();
    QLabel *labels[FieldCount] = {w.widget<QLabel>("label_FieldEntry1"), w.widget<QLabel>("label_FieldEntry2"),
                                  w.widget<QLabel>("label_FieldEntry3")};
    QTRY_COMPARE(labels[0]->text(), QStringLiteral("Out 1: 1 point, nearest 800 mm at 90°"));
    QCOMPARE(labels[1]->text(), QStringLiteral("Out 2: 2 points, nearest 800 mm at 90°"));
    QCOMPARE(labels[2]->text(), QStringLiteral("Out 3: 3 points, nearest 800 mm at 90°"));

    QCOMPARE(drawnAt(scene, InOut1), FieldEntryItem::EntryColor(0));
    QCOMPARE(drawnAt(scene, InOut2), FieldEntryItem::EntryColor(1));
    QCOMPARE(drawnAt(scene, InOut3), FieldEntryItem::EntryColor(2));
    for (int field = 0; field < FieldCount; ++field)
        QVERIFY(drawnAt(scene, Behind) != FieldEntryItem::EntryColor(field));

    // Out1 moved away: the point it held is Out2's now.
    w.areaModel().replaceArea(0, nestedFields(3000));
    QTRY_COMPARE(labels[0]->text(), QStringLiteral("Out 1: 0 points"));
    QCOMPARE(drawnAt(scene, InOut1), FieldEntryItem::EntryColor(1));
    w.LanguageToChinese();
    QTRY_COMPARE(labels[1]->text(), QStringLiteral("输出2: 2 个点, 最近 800 mm, 90°"));

    // An area without fields shows nothing, nor does a hidden outline.
    w.areaModel().setCurrentArea(5);
    QTRY_VERIFY(!labels[0]->isVisibleTo(&w) && !labels[2]->isVisibleTo(&w));
    QVERIFY(w.fieldEntries()->Item()->Points()[1].isEmpty());
    w.areaModel().setCurrentArea(0);
    QTRY_VERIFY(labels[0]->isVisibleTo(&w));
    w.trigger("Distance");
    QTRY_VERIFY(!labels[0]->isVisibleTo(&w));
    QVERIFY(drawnAt(scene, InOut2) != FieldEntryItem::EntryColor(1));
}

QTEST_MAIN(TestFieldEntryView)
#include "tst_fieldentryview.moc"
