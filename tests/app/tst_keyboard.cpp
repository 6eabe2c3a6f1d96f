// The edition dock by keyboard alone: Tab leaves the area list, walks the dock's
// controls as they are read (top to bottom, and left to right along a row), and the
// control that has the focus is drawn differently from the same control without it.
#include "gui/areas/editiondock.h"
#include "windowundertest.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QImage>
#include <QTableWidget>
#include <QTest>

using namespace veltrix;
using namespace veltrix::testing;

namespace {

// Where a control lies in the dock, in the dock's coordinates, as if no panel on the
// way were scrolled (the panels scroll to show the control that takes the focus).
QRect placeIn(const QWidget *dock, const QWidget *control)
{
    QPoint place = control->mapTo(dock, QPoint(0, 0));
    for (const QWidget *up = control->parentWidget(); up && up != dock; up = up->parentWidget()) {
        if (const auto *panel = qobject_cast<const QAbstractScrollArea *>(up))
            place += QPoint(panel->horizontalScrollBar()->value(), panel->verticalScrollBar()->value());
    }
    return QRect(place, control->size());
}

QString describe(const QWidget *dock, const QWidget *control)
{
    const QRect r = placeIn(dock, control);
    return QStringLiteral("%1 %2 at (%3, %4) %5x%6")
        .arg(QString::fromLatin1(control->metaObject()->className()), control->objectName())
        .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void tabWalksTheEditionDockInReadingOrder();
};

void TestKeyboard::tabWalksTheEditionDockInReadingOrder()
{
    WindowUnderTest w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    EditionDock *dock = w.editionDock();
    auto *list = w.widget<QTableWidget>("AreaTableWidget");
    list->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(list->hasFocus());

    // Every control the focus reaches, in the order it reaches them. A table of
    // coordinates takes Tab from cell to cell and hands the focus on after its last.
    QList<QWidget *> chain;
    for (int step = 0; step < 2000; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (!now || !dock->isAncestorOf(now) || now == list || (!chain.isEmpty() && now == chain.first()))
            break;
        if (!chain.contains(now))
            chain.append(now);
    }
    QStringList walked;
    for (const QWidget *control : std::as_const(chain))
        walked << describe(dock, control);
    const QString shown = walked.join(QLatin1Char('\n'));
    QVERIFY2(chain.size() > 8, qPrintable(shown));

    for (int i = 1; i < chain.size(); ++i) {
        const QRect before = placeIn(dock, chain.at(i - 1));
        const QRect after = placeIn(dock, chain.at(i));
        const bool sameRow = after.top() < before.bottom() && before.top() < after.bottom();
        const bool read = sameRow ? after.left() > before.left() : after.top() >= before.bottom();
        QVERIFY2(read, qPrintable(QStringLiteral("out of reading order:\n%1\n%2\nwhole walk:\n%3")
                                      .arg(describe(dock, chain.at(i - 1)), describe(dock, chain.at(i)), shown)));
    }

    // Seen, not only held: each control looks different with the focus.
    for (QWidget *control : std::as_const(chain)) {
        list->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(list->hasFocus());
        const QImage without = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        const QImage with = control->grab().toImage();
        QVERIFY2(with != without, qPrintable(QStringLiteral("no focus frame on ") + describe(dock, control)));
    }
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
