#pragma once

// The real main window, shown and ready for editing by mouse and keyboard, with the
// widgets of the edition dock and the view found by their form names, for the
// scenario tests that drive it as a user does.

#include "editiondockundertest.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/viewwindow.h"
#include "mouse.h"
#include "windowundertest.h"

#include <QGraphicsItem>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace veltrix {
namespace testing {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The main window, shown at one millimetre per pixel around the scanner, with every
// message box answered with its second button.
struct EditingWindow
{
    WindowUnderTest window;

    EditingWindow()
    {
        window.answer = 1;
        window.resize(1234, 752);
    }

    ~EditingWindow() { window.areaModel().setModified(false); }

    bool showActive()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        widget<QSlider>("ZoomSlider")->setValue(250);
        view()->centerOn(0, 0);
        return true;
    }

    template<typename T>
    T *widget(const char *name) const
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }

    AreaModel &model() { return window.areaModel(); }
    OPTION_SCENE *scene() const { return window.sceneController(); }
    ViewWindow *view() const { return widget<ViewWindow>("graphicsView"); }
    QTableWidget *list() const { return widget<QTableWidget>("AreaTableWidget"); }
    QTabWidget *outTabs() const { return widget<QTabWidget>("AreaEditTab"); }
    QTableWidget *coordTable(int field) const
    {
        return widget<QTableWidget>(QStringLiteral("CoordTableWidgetOut%1").arg(field + 1).toLatin1());
    }
    QTableWidget *polarTable(int field) const
    {
        return widget<QTableWidget>(QStringLiteral("PolarTableWidgeOut%1").arg(field + 1).toLatin1());
    }
    QWidget *thumbnail(int area) const { return list()->cellWidget(area, 2); }

    QList<QPointF> handles() const
    {
        QList<QPointF> positions;
        for (const QGraphicsItem *item : scene()->PointItems())
            positions << item->pos();
        return positions;
    }

    // The viewport pixel of the area point (x, y).
    QPoint pixel(int x, int y) const { return view()->mapFromScene(QPointF(x, -y)); }

    void press(const char *keys) { QTest::keySequence(&window, QKeySequence(QLatin1String(keys))); }

    void clickRow(int row)
    {
        list()->scrollToItem(list()->item(row, 0));
        const QRect cell = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    void clickTab(int index)
    {
        QTabBar *bar = outTabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    }

    // The cartesian (page 0) or polar (page 1) table of a field brought on screen.
    void showTable(int field, int page)
    {
        clickTab(field);
        widget<QTabWidget>(QStringLiteral("CoordinatesTypeOut%1").arg(field + 1).toLatin1())
            ->setCurrentIndex(page);
    }

    void drag(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, from);
        mouse::moveTo(view()->viewport(), (from + to) / 2, Qt::LeftButton);
        mouse::moveTo(view()->viewport(), to, Qt::LeftButton);
        QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, to);
    }

    // Watches the thumbnail of `area` for repaints from now on.
    void watchThumbnail(int area, PaintCounter *counter)
    {
        list()->scrollToItem(list()->item(area, 0));
        QTest::qWait(50);  // the scroll's own repaints
        thumbnail(area)->installEventFilter(counter);
    }
};

inline QString cellText(QTableWidget *table, int row, int column)
{
    QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

}  // namespace testing
}  // namespace veltrix
