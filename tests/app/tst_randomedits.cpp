// Random but plausible editing on the real main window, from fixed seeds: areas picked
// by click and by keyboard, Out tabs by click and Ctrl+Tab, shape buttons, points typed
// into the cartesian and polar tables (ordinary, boundary and hostile entries, polygons
// of more than a hundred points), Delete in a table, handles dragged, right-clicked and
// deleted in the view, zoom, the parameter widgets, the clipboard, Delete All, Undo and
// Redo. After every step come the checks that hold for any document:
//  - the cartesian and polar tables of each field show the current area's points and
//    agree with each other, a polygon with its new-point row;
//  - the handles stand on the current field's points, the scene draws the current area;
//  - the list, the current area's thumbnail as last painted, the Out tabs and the edit
//    controls show the current area;
//  - no cell reads NaN or infinity and every point lies within the coordinate limit;
//  - the area as it is equals its step in the undo history, and Undo then Redo brings
//    back the same area and tables.
// A failure names the seed, the step and every action so far. VELTRIX_RANDOM_SEED=S
// runs seed S alone (with ten times the steps), VELTRIX_RANDOM_STEPS=N with N steps.

#include "core/areas/fieldediting.h"
#include "editingwindow.h"
#include "core/graphics/fieldshapes.h"
#include "gui/graphics/paintout.h"
#include "gui/graphics/painttable.h"
#include "gui/graphics/pointpoint.h"
#include "gui/graphics/pointratio.h"

#include <QComboBox>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <cmath>
#include <utility>

using namespace veltrix;
using testing::cellText;

namespace {

constexpr int DefaultSeeds[] = {1, 2, 3, 4};
constexpr int DefaultSteps = 250;
constexpr int UndoRedoCheckEvery = 4;  // steps; the check is an edit of its own

const char *const BoundaryEntries[] = {
    "0", "-0", "1", "-1", "0.5", "-0.5", "2.5", "-2.5", "-2.7", "999999", "1000000",
    "-1000000", "1000001", "32767", "-32768", "65535", "40000", "-40000", "2147483647",
    "-2147483648", "2147483648", "1e10", "-1e10", "1e38", "3.5e38", "1e-45"};
const char *const HostileEntries[] = {"nan", "NaN", "-nan", "inf", "-inf", "infinity", "abc",
                                      "", " ", "1e", "0x10", "12,5", "1.2.3", "--5", "+7",
                                      "1e400", "1 000"};
const char *const AreaListKeys[] = {"Up", "Down", "PgUp", "PgDown", "Ctrl+Home", "Ctrl+End"};
const char *const EditShortcuts[] = {"Ctrl+C", "Ctrl+X", "Ctrl+V", "Ctrl+D"};
const char *const ShapeNames[] = {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"};
const char *const DelayCombos[] = {"Area_OpenDelay", "Area_CloseDelay", "Area_Hysteresis",
                                   "Area_DetectionSize"};  // numbers 0..3 of an area
const char *const CaseSpins[] = {"SteerMinDgree", "SteerMaxDgree", "VehicleMinSpeed",
                                 "VehicleMaxSpeed"};       // numbers 4..7
const char *const OptionCombo = "VehicleOptionMode";      // number 8

QString at(const QPoint &p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

// The area point of a handle: its scene position (x, -y), truncated as the scene
// writes handles back into the document.
QPoint handlePoint(const QGraphicsItem *handle)
{
    return BoundedPoint(handle->pos().x(), -handle->pos().y());
}

// Degrees between two angles, the short way round.
double angleDistance(double a, double b)
{
    const double difference = std::fmod(std::fabs(a - b), 360.0);
    return qMin(difference, 360.0 - difference);
}

bool readsNonFinite(const QString &text)
{
    const QString lower = text.toLower();
    return lower.contains(QLatin1String("nan")) || lower.contains(QLatin1String("inf"));
}

// What each thumbnail was last painted with: the contents of its area at that moment.
class ThumbnailPaints : public QObject
{
public:
    explicit ThumbnailPaints(const AreaModel &model) : model(model) {}

    QHash<QObject *, AreaRecord> painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *thumbnail = qobject_cast<PAINT_TABLE *>(watched);
        if (thumbnail && event->type() == QEvent::Paint)
            painted.insert(watched, model.area(thumbnail->AreaIndex()));
        return false;
    }

private:
    const AreaModel &model;
};

class RandomEditor
{
public:
    RandomEditor(testing::EditingWindow &window, quint32 seed)
        : w(window), rng(seed), paints(window.model())
    {
        for (int area = 0; area < AreaCount; ++area)
            w.thumbnail(area)->installEventFilter(&paints);
    }

    QStringList log;

    // One random action, recorded in the log, and what a user sees after it: the
    // posted events handled, the views painted.
    void step(int number)
    {
        stepNumber = number;
        int pick = rng.bounded(totalWeight());
        const Kind *kind = kinds;
        for (; pick >= kind->weight; ++kind)
            pick -= kind->weight;
        (this->*kind->run)();
        QCoreApplication::processEvents();
    }

    // The first broken invariant, or an empty text.
    QString violation()
    {
        QString found = harnessProblem;
        for (auto check : {&RandomEditor::tablesViolation, &RandomEditor::handlesViolation,
                           &RandomEditor::controlsViolation, &RandomEditor::thumbnailViolation,
                           &RandomEditor::documentViolation}) {
            if (found.isEmpty())
                found = (this->*check)();
        }
        return found;
    }

    // Undo then Redo from the Edit menu brings back the area and its tables, where
    // there is a step back and the step forward is the area as it is.
    QString undoRedoViolation()
    {
        const AreaModel &model = w.model();
        const int area = model.currentArea();
        if (model.undoCursor(area) == 0 && model.undoHistory(area).size() > 1)
            return {};
        const AreaRecord before = model.current();
        const QStringList tables = tableTexts();
        record(QStringLiteral("check: Edit > Undo, Edit > Redo"));
        w.widget<QAction>("Undo")->trigger();
        w.widget<QAction>("Redo")->trigger();
        if (model.current() != before)
            return QStringLiteral("Undo then Redo changed area %1").arg(area);
        if (tableTexts() != tables)
            return QStringLiteral("Undo then Redo changed the tables of area %1").arg(area);
        return {};
    }

private:
    struct Kind
    {
        int weight;
        void (RandomEditor::*run)();
    };
    static const Kind kinds[];

    static int totalWeight()
    {
        int total = 0;
        for (const Kind *kind = kinds; kind->run; ++kind)
            total += kind->weight;
        return total;
    }

    void record(const QString &what) { log << QStringLiteral("%1: %2").arg(stepNumber).arg(what); }
    bool chance(int percent) { return rng.bounded(100) < percent; }
    template<typename T, size_t N>
    const T &pick(const T (&items)[N])
    {
        return items[rng.bounded(int(N))];
    }

    int field() const { return w.model().currentField(); }
    QTabWidget *coordinatesType(int f) const
    {
        return w.widget<QTabWidget>(QStringLiteral("CoordinatesTypeOut%1").arg(f + 1).toLatin1());
    }
    QToolButton *shapeButton(int f, int shape) const
    {
        return w.widget<QToolButton>(
            QStringLiteral("Button%1Out%2").arg(QLatin1String(ShapeNames[shape])).arg(f + 1).toLatin1());
    }

    // Clicks the tab of every tab widget page that holds `widget` and is not shown.
    static void bringIntoSight(QWidget *widget)
    {
        for (QWidget *page = widget; page; page = page->parentWidget()) {
            auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
            auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
            if (tabs && tabs->currentWidget() != page) {
                const QRect tab = tabs->tabBar()->tabRect(tabs->indexOf(page));
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tab.center());
            }
        }
    }

    // The cartesian or polar table of the field being edited, brought on screen.
    QTableWidget *table(bool polar)
    {
        QTableWidget *shown = polar ? w.polarTable(field()) : w.coordTable(field());
        bringIntoSight(shown);
        return shown;
    }

    void typeInto(QTableWidget *table, int row, int column, const QString &text)
    {
        if (!testing::typeIntoCell(table, row, column, text))
            harnessProblem = QStringLiteral("no editor opened on row %1 column %2").arg(row).arg(column);
    }

    // A number as a user might type it into `column` of a cartesian or polar table.
    QString entry(bool polar, int column)
    {
        const int kind = rng.bounded(100);
        if (kind < 20)
            return QLatin1String(pick(HostileEntries));
        if (kind < 45)
            return QLatin1String(pick(BoundaryEntries));
        if (polar && column == SecondValueColumn)
            return QString::number(rng.bounded(-1000, 28000) / 100.0);
        if (polar)
            return QString::number(rng.bounded(0, 800000) / 100.0);
        return QString::number(rng.bounded(-6000, 6001));
    }

    void clickArea()
    {
        const int near = qBound(0, w.model().currentArea() + rng.bounded(-3, 4), AreaCount - 1);
        const int row = chance(60) ? near : rng.bounded(AreaCount);
        record(QStringLiteral("click area %1").arg(row));
        w.clickRow(row);
    }

    void keyArea()
    {
        const char *keys = pick(AreaListKeys);
        record(QStringLiteral("%1 in the area list").arg(QLatin1String(keys)));
        w.list()->setFocus();
        QTest::keySequence(w.list(), QKeySequence(QLatin1String(keys)));
    }

    void clickOutTab()
    {
        const int tab = rng.bounded(FieldCount);
        record(QStringLiteral("click tab Out %1").arg(tab + 1));
        w.clickTab(tab);
    }

    void keyOutTab()
    {
        const bool back = chance(40);
        record(back ? QStringLiteral("Ctrl+Shift+Tab on the Out tabs")
                    : QStringLiteral("Ctrl+Tab on the Out tabs"));
        QWidget *page = w.outTabs()->currentWidget();
        page->setFocus();
        QTest::keyClick(page, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    }

    void clickShape()
    {
        const int shape = rng.bounded(ShapeButtonCount);
        record(QStringLiteral("click %1 of Out %2").arg(QLatin1String(ShapeNames[shape])).arg(field() + 1));
        QTest::mouseClick(shapeButton(field(), shape), Qt::LeftButton);
    }

    void typeCell()
    {
        const bool polar = chance(40);
        QTableWidget *shown = table(polar);
        const int rows = shown->rowCount();
        if (rows == 0) {
            record(QStringLiteral("type into Out %1: its table has no row").arg(field() + 1));
            return;
        }
        const int row = chance(30) ? rows - 1 : rng.bounded(rows);
        const int column = chance(8) ? PointNumberColumn : rng.bounded(1, 3);
        const QString text = entry(polar, column);
        record(QStringLiteral("type \"%1\" into %2 Out %3 row %4 column %5")
                   .arg(text, polar ? QStringLiteral("polar") : QStringLiteral("cartesian"))
                   .arg(field() + 1).arg(row).arg(column));
        typeInto(shown, row, column, text);
    }

    // Points typed one after another into a polygon's new-point row, each by one entry
    // (x or y, distance or angle); now and then up to more than the hundred that a
    // field can carry to the scanner.
    void typeManyPoints()
    {
        const bool polygon = w.model().current().shape(field()) == Polygon;
        const int beyondHundred = 100 - int(w.model().current().points(field()).size()) + rng.bounded(1, 5);
        const int count = !polygon ? 1 : chance(20) ? qMax(3, beyondHundred) : rng.bounded(3, 12);
        record(QStringLiteral("type %1 points into the last rows of Out %2").arg(count).arg(field() + 1));
        for (int i = 0; i < count && harnessProblem.isEmpty(); ++i) {
            const bool polar = chance(50);
            const int column = rng.bounded(1, 3);
            const int angle = rng.bounded(-90, 269);  // not 0, which appends nothing
            const QString text = polar && column == SecondValueColumn
                ? QString::number(angle >= 0 ? angle + 1 : angle)
                : QString::number(rng.bounded(100, 6000) * (chance(50) ? 1 : -1));
            QTableWidget *shown = table(polar);
            typeInto(shown, shown->rowCount() - 1, column, text);
        }
    }

    void deleteRow()
    {
        const bool polar = chance(40);
        QTableWidget *shown = table(polar);
        const int row = shown->rowCount() > 0 ? rng.bounded(shown->rowCount()) : -1;
        record(QStringLiteral("select row %1 of %2 Out %3, Delete").arg(row)
                   .arg(polar ? QStringLiteral("polar") : QStringLiteral("cartesian")).arg(field() + 1));
        if (row >= 0) {
            shown->scrollToItem(shown->item(row, 0));
            QTest::mouseClick(shown->viewport(), Qt::LeftButton, Qt::NoModifier,
                              shown->visualItemRect(shown->item(row, 0)).center());
        }
        QTest::keyClick(shown, Qt::Key_Delete);
    }

    // A handle of the field being edited scrolled into sight, or null when none can be.
    QGraphicsItem *reachableHandle()
    {
        const QList<QGraphicsItem *> handles = w.scene()->PointItems();
        if (handles.isEmpty())
            return nullptr;
        QGraphicsItem *handle = handles.at(rng.bounded(int(handles.size())));
        w.view()->ensureVisible(handle, 20, 20);
        const QPoint pixel = w.view()->mapFromScene(handle->pos());
        return w.view()->viewport()->rect().contains(pixel) ? handle : nullptr;
    }

    QPoint randomPixel()
    {
        const QRect area = w.view()->viewport()->rect();
        return QPoint(rng.bounded(area.width()), rng.bounded(area.height()));
    }

    // To anywhere, a few pixels, onto the scanner (where a vertex is dropped), or back
    // to where it was; in one to three moves.
    void dragHandle()
    {
        QGraphicsItem *handle = reachableHandle();
        if (!handle) {
            record(QStringLiteral("drag: no handle within reach"));
            return;
        }
        QWidget *viewport = w.view()->viewport();
        const QPoint from = w.view()->mapFromScene(handle->pos());
        const int where = rng.bounded(100);
        const QPoint to = where < 55 ? randomPixel()
                        : where < 70 ? from + QPoint(rng.bounded(-3, 4), rng.bounded(-3, 4))
                        : where < 85 ? w.pixel(0, 0)
                                     : from;
        const int moves = rng.bounded(1, 4);
        record(QStringLiteral("drag the handle at %1 to pixel %2 in %3 moves")
                   .arg(at(handlePoint(handle)), at(to)).arg(moves));
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        for (int i = 1; i <= moves; ++i)
            mouse::moveTo(viewport, from + (to - from) * i / moves, Qt::LeftButton);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    // On a handle, or now and then beside one.
    QPoint handleOrElsewhere(const char *what)
    {
        QGraphicsItem *handle = chance(75) ? reachableHandle() : nullptr;
        const QPoint pixel = handle ? w.view()->mapFromScene(handle->pos()) : randomPixel();
        record(QStringLiteral("%1 pixel %2%3").arg(QLatin1String(what), at(pixel))
                   .arg(handle ? QStringLiteral(", a handle at ") + at(handlePoint(handle)) : QString()));
        return pixel;
    }

    void rightClick()
    {
        const QPoint pixel = handleOrElsewhere("right-click");
        QTest::mouseClick(w.view()->viewport(), Qt::RightButton, {}, pixel);
    }

    void deleteInView()
    {
        const QPoint pixel = handleOrElsewhere("click, then Delete in the view, at");
        QTest::mouseClick(w.view()->viewport(), Qt::LeftButton, {}, pixel);
        w.view()->setFocus();
        QTest::keyClick(w.view(), Qt::Key_Delete);
    }

    void wheel()
    {
        const QPoint pixel = randomPixel();
        const int delta = chance(50) ? 120 : chance(80) ? -120 : 0;
        record(QStringLiteral("wheel %1 at pixel %2").arg(delta).arg(at(pixel)));
        QWidget *viewport = w.view()->viewport();
        QWheelEvent event(pixel, viewport->mapToGlobal(pixel), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    }

    void zoomControls()
    {
        if (chance(50)) {
            const char *name = chance(50) ? "ZoomIn" : "ZoomOut";
            record(QStringLiteral("click %1").arg(QLatin1String(name)));
            QTest::mouseClick(w.widget<QToolButton>(name), Qt::LeftButton);
            return;
        }
        static const Qt::Key keys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                                       Qt::Key_End, Qt::Key_Left, Qt::Key_Right};
        const Qt::Key key = pick(keys);
        record(QStringLiteral("%1 on the zoom slider").arg(QKeySequence(key).toString()));
        auto *slider = w.widget<QSlider>("ZoomSlider");
        slider->setFocus();
        QTest::keyClick(slider, key);
    }

    // Whole-area operations, as a user who last clicked into the area list gives them.
    void editShortcut()
    {
        const char *keys = pick(EditShortcuts);
        record(QLatin1String(keys));
        w.list()->setFocus();
        w.press(keys);
    }

    void deleteAll()
    {
        record(QStringLiteral("Edit > Delete All"));
        w.widget<QAction>("DeleteAll")->trigger();
    }

    void undoOrRedo()
    {
        const char *keys = chance(60) ? "Ctrl+Z" : "Ctrl+Y";
        const int times = rng.bounded(1, 4);
        record(QStringLiteral("%1 x%2").arg(QLatin1String(keys)).arg(times));
        w.list()->setFocus();
        for (int i = 0; i < times; ++i)
            w.press(keys);
    }

    void parameter()
    {
        if (chance(60)) {
            const char *name = chance(80) ? pick(DelayCombos) : OptionCombo;
            const bool down = chance(60);
            record(QStringLiteral("%1 on %2").arg(QLatin1String(down ? "Down" : "Up"), QLatin1String(name)));
            auto *box = w.widget<QComboBox>(name);
            bringIntoSight(box);
            box->setFocus();
            QTest::keyClick(box, down ? Qt::Key_Down : Qt::Key_Up);
            return;
        }
        const char *name = pick(CaseSpins);
        const QString text = chance(80) ? QString::number(rng.bounded(-400, 401))
                                        : QString::fromLatin1(pick(HostileEntries));
        record(QStringLiteral("type \"%1\" into %2, Return").arg(text, QLatin1String(name)));
        auto *box = w.widget<QSpinBox>(name);
        bringIntoSight(box);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QStringList tableTexts() const
    {
        QStringList texts;
        for (int f = 0; f < FieldCount; ++f) {
            for (QTableWidget *table : {w.coordTable(f), w.polarTable(f)}) {
                for (int row = 0; row < table->rowCount(); ++row) {
                    texts << QStringLiteral("%1 %2 %3").arg(cellText(table, row, 0),
                                                           cellText(table, row, 1),
                                                           cellText(table, row, 2));
                }
                texts << QString();
            }
        }
        return texts;
    }

    QString tablesViolation() const
    {
        const AreaRecord &area = w.model().current();
        for (int f = 0; f < FieldCount; ++f) {
            const QVector<QPoint> &points = area.points(f);
            const int rows = points.size() + (area.shape(f) == Polygon ? 1 : 0);
            QTableWidget *coord = w.coordTable(f);
            QTableWidget *polar = w.polarTable(f);
            const QString where = QStringLiteral("Out %1, %2 points: ").arg(f + 1).arg(points.size());
            if (coord->rowCount() != rows || polar->rowCount() != rows) {
                return where + QStringLiteral("%1 cartesian and %2 polar rows")
                                   .arg(coord->rowCount()).arg(polar->rowCount());
            }
            for (int row = 0; row < rows; ++row) {
                const QPoint point = points.value(row);  // the new-point row shows 0, 0
                const QString number = QString::number(row + 1);
                const QString expected = QStringLiteral("%1 %2 %3").arg(number).arg(point.x()).arg(point.y());
                const QString shown = QStringLiteral("%1 %2 %3").arg(cellText(coord, row, 0),
                                                                    cellText(coord, row, 1),
                                                                    cellText(coord, row, 2));
                if (shown != expected)
                    return where + QStringLiteral("cartesian row \"%1\" for \"%2\"").arg(shown, expected);
                if (cellText(polar, row, 0) != number)
                    return where + QStringLiteral("polar row %1 numbered %2").arg(row).arg(cellText(polar, row, 0));
                const QString polarProblem = polarRowViolation(polar, row, point);
                if (!polarProblem.isEmpty())
                    return where + polarProblem;
            }
        }
        return {};
    }

    // The polar row shows `point` to its six significant digits.
    static QString polarRowViolation(QTableWidget *polar, int row, const QPoint &point)
    {
        const QString distanceText = cellText(polar, row, 1);
        const QString angleText = cellText(polar, row, 2);
        bool distanceRead = false;
        bool angleRead = false;
        const double distance = distanceText.toDouble(&distanceRead);
        const double angle = angleText.toDouble(&angleRead);
        const double radius = std::hypot(double(point.x()), double(point.y()));
        const bool wrong = readsNonFinite(distanceText) || readsNonFinite(angleText) || !distanceRead
            || !angleRead || std::fabs(distance - radius) > 1e-5 * radius + 0.01
            || angle < -90.001 || angle > 270.001
            || (radius > 0
                && angleDistance(angle, qRadiansToDegrees(std::atan2(double(point.y()), double(point.x()))))
                    > 0.002);
        if (!wrong)
            return {};
        return QStringLiteral("polar row %1 reads %2 mm at %3 degrees for %4")
            .arg(row).arg(distanceText, angleText, at(point));
    }

    QString handlesViolation() const
    {
        const int f = field();
        const AreaRecord &area = w.model().current();
        const bool bars = f > 0 && isDependentShape(area.shape(f));
        // A vertex handle on the scanner is the centre handle (or a vertex dropped
        // there), which the document does not hold, and a point typed as (0, 0) has its
        // handle there: vertices at the scanner are left out on both sides. A bar always
        // stands for its point.
        QStringList onHandles;
        for (const QGraphicsItem *handle : w.scene()->PointItems()) {
            const int expectedType = bars ? int(POINT_RATIO::Type) : int(POINT_POINT::Type);
            if (handle->type() != expectedType || handle->scene() != w.view()->scene())
                return QStringLiteral("a handle of another kind, or outside the scene, on Out %1").arg(f + 1);
            if (bars || !handlePoint(handle).isNull())
                onHandles << at(handlePoint(handle));
        }
        QStringList points;
        for (const QPoint &point : area.points(f)) {
            if (bars || !point.isNull())
                points << at(point);
        }
        if (onHandles != points) {
            return QStringLiteral("handles of Out %1 at %2, its points %3")
                .arg(f + 1).arg(onHandles.join(QLatin1Char(' ')), points.join(QLatin1Char(' ')));
        }
        const AreaDrawing drawing =
            BuildAreaDrawing(area, w.scene()->RangeWidth(), w.scene()->RangeHeight());
        const PaintOutItem *items[FieldCount] = {w.scene()->Out1Item(), w.scene()->Out2Item(),
                                                 w.scene()->Out3Item()};
        for (int i = 0; i < FieldCount; ++i) {
            if (items[i]->Drawing().path != drawing[i].path || items[i]->Edited() != (i == f))
                return QStringLiteral("the scene's Out %1 is not the current area's").arg(i + 1);
        }
        return {};
    }

    QString controlsViolation() const
    {
        const AreaModel &model = w.model();
        const AreaRecord &area = model.current();
        if (w.list()->currentRow() != model.currentArea())
            return QStringLiteral("the list is on row %1").arg(w.list()->currentRow());
        if (w.outTabs()->currentIndex() != model.currentField())
            return QStringLiteral("tab Out %1 is shown").arg(w.outTabs()->currentIndex() + 1);
        QStringList wrong;
        for (int i = 0; i < 4; ++i) {
            if (w.widget<QComboBox>(DelayCombos[i])->currentIndex() != area.number(i))
                wrong << QLatin1String(DelayCombos[i]);
            auto *box = w.widget<QSpinBox>(CaseSpins[i]);
            if (box->value() != area.number(4 + i) || box->text() != QString::number(area.number(4 + i)))
                wrong << QStringLiteral("%1 \"%2\"").arg(QLatin1String(CaseSpins[i]), box->text());
        }
        if (w.widget<QComboBox>(OptionCombo)->currentIndex() != area.vehicleOptionMode)
            wrong << QLatin1String(OptionCombo);
        for (int f = 0; f < FieldCount; ++f) {
            for (int shape = 0; shape < ShapeButtonCount; ++shape) {
                QToolButton *button = shapeButton(f, shape);
                if (button->isChecked() != (shape == area.shape(f) && button->isCheckable()))
                    wrong << button->objectName();
            }
        }
        if (!wrong.isEmpty())
            return QStringLiteral("not showing the current area: ") + wrong.join(QStringLiteral(", "));
        return {};
    }

    QString thumbnailViolation() const
    {
        const int area = w.model().currentArea();
        auto *thumbnail = qobject_cast<PAINT_TABLE *>(w.thumbnail(area));
        if (!thumbnail || thumbnail->AreaIndex() != area)
            return QStringLiteral("row %1 holds no thumbnail of area %1").arg(area);
        if (thumbnail->visibleRegion().isEmpty())
            return QStringLiteral("the thumbnail of the current area %1 is not in sight").arg(area);
        if (!paints.painted.contains(thumbnail) || paints.painted.value(thumbnail) != w.model().current())
            return QStringLiteral("the thumbnail of area %1 was last painted with other contents").arg(area);
        return {};
    }

    QString documentViolation() const
    {
        const AreaModel &model = w.model();
        for (int index = 0; index < AreaCount; ++index) {
            const AreaRecord &area = model.area(index);
            for (int f = 0; f < FieldCount; ++f) {
                for (const QPoint &point : area.points(f)) {
                    if (qAbs(point.x()) > CoordinateLimit || qAbs(point.y()) > CoordinateLimit)
                        return QStringLiteral("area %1 Out %2 holds %3").arg(index).arg(f + 1).arg(at(point));
                }
            }
            // Every change is an undo step: an area that has been edited is its step.
            const QVector<AreaRecord> &history = model.undoHistory(index);
            if (history.size() > 1 && history.at(model.undoCursor(index)) != area)
                return QStringLiteral("area %1 differs from its undo step %2 of %3")
                    .arg(index).arg(model.undoCursor(index)).arg(history.size());
        }
        return {};
    }

    testing::EditingWindow &w;
    QRandomGenerator rng;
    ThumbnailPaints paints;
    int stepNumber = 0;
    QString harnessProblem;  // an action the test could not carry out
};

const RandomEditor::Kind RandomEditor::kinds[] = {
    {6, &RandomEditor::clickArea},      {4, &RandomEditor::keyArea},
    {4, &RandomEditor::clickOutTab},    {3, &RandomEditor::keyOutTab},
    {6, &RandomEditor::clickShape},     {20, &RandomEditor::typeCell},
    {2, &RandomEditor::typeManyPoints}, {4, &RandomEditor::deleteRow},
    {9, &RandomEditor::dragHandle},     {4, &RandomEditor::rightClick},
    {3, &RandomEditor::deleteInView},   {3, &RandomEditor::wheel},
    {2, &RandomEditor::zoomControls},   {8, &RandomEditor::editShortcut},
    {1, &RandomEditor::deleteAll},      {6, &RandomEditor::undoOrRedo},
    {4, &RandomEditor::parameter},      {0, nullptr},
};

}  // namespace

class TestRandomEdits : public QObject
{
    Q_OBJECT

private slots:
    void everyStepKeepsTheViewsInStep_data();
    void everyStepKeepsTheViewsInStep();
};

void TestRandomEdits::everyStepKeepsTheViewsInStep_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");
    bool stepsGiven = false;
    const int steps = qEnvironmentVariableIntValue("VELTRIX_RANDOM_STEPS", &stepsGiven);
    bool seedGiven = false;
    const quint32 seed = qEnvironmentVariable("VELTRIX_RANDOM_SEED").toUInt(&seedGiven);
    if (seedGiven) {
        QTest::addRow("seed %u", seed) << seed << (stepsGiven ? steps : 10 * DefaultSteps);
        return;
    }
    for (int fixed : DefaultSeeds)
        QTest::addRow("seed %d", fixed) << quint32(fixed) << (stepsGiven ? steps : DefaultSteps);
}

void TestRandomEdits::everyStepKeepsTheViewsInStep()
{
    QFETCH(quint32, seed);
    QFETCH(int, steps);
    testing::EditingWindow window;
    RandomEditor editor(window, seed);  // watches the thumbnails from their first paint
    QVERIFY(window.showActive());
    for (int step = 1; step <= steps; ++step) {
        editor.step(step);
        QString violation = editor.violation();
        if (violation.isEmpty() && step % UndoRedoCheckEvery == 0)
            violation = editor.undoRedoViolation();
        if (!violation.isEmpty()) {
            for (const QString &action : std::as_const(editor.log))
                qInfo("%s", qPrintable(action));
            QFAIL(qPrintable(QStringLiteral("seed %1 step %2: %3 (replay with VELTRIX_RANDOM_SEED=%1 "
                                            "VELTRIX_RANDOM_STEPS=%2)")
                                 .arg(seed).arg(step).arg(violation)));
        }
    }
}

QTEST_MAIN(TestRandomEdits)
#include "tst_randomedits.moc"
