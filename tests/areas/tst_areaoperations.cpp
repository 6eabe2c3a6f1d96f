#include "core/areas/areamodelstate.h"
#include "core/areas/areaoperations.h"

#include <QtTest>
#include <utility>

using namespace veltrix;

namespace {

// A distinguishable area: its open delay and one Out1 point carry `tag`.
AreaRecord taggedArea(int tag)
{
    AreaRecord area;
    area.openDelay = tag % 26;
    area.steerMinDgree = tag;
    area.out1Points = {{tag, 1000}, {-tag, 500}};
    area.out2Shape = Fan;
    area.out2Points = {{0, tag}};
    return area;
}

// What an editor does: change the current area, then take a snapshot.
void edit(AreaModelState &model, int tag)
{
    model.current() = taggedArea(tag);
    SaveUndoSnapshot(model, model.currentArea);
}

}  // namespace

class TestAreaOperations : public QObject
{
    Q_OBJECT

private slots:
    void firstEditThenUndoGivesBlankArea();
    void undoAtStartChangesNothingButMarksModified();
    void historyKeepsLastHundredStates();
    void editAfterUndosDropsRedoStates();
    void deleteThenUndoThenRedo();
    void undoRedoTouchOnlyTheCurrentArea();
    void redoAtEndChangesNothing();
    void snapshotOfEveryArea();
    void snapshotIgnoresInvalidArea();
    void cursorOutsideHistoryIsClamped();
    void clipboardOperations_data();
    void clipboardOperations();
    void copyThenPasteCopiesPoints();
    void deleteAll();
    void operationsClampCurrentArea();
};

void TestAreaOperations::firstEditThenUndoGivesBlankArea()
{
    AreaModelState model;
    QCOMPARE(model.current().detectionSize, 1);
    model.current().hysteresis = 4;
    SaveUndoSnapshot(model, 0);
    QVERIFY(model.modified);
    QCOMPARE(model.undoHistory[0].size(), 2);
    QCOMPARE(model.undoCursor[0], 1);

    QVERIFY(UndoCurrentArea(model));
    QCOMPARE(model.areas[0], model.blankArea);
    QCOMPARE(model.areas[0].detectionSize, 0);
    QCOMPARE(model.undoCursor[0], 0);
}

void TestAreaOperations::undoAtStartChangesNothingButMarksModified()
{
    AreaModelState model;
    const AreaRecord before = model.areas[0];
    QVERIFY(!UndoCurrentArea(model));
    QVERIFY(model.modified);
    QCOMPARE(model.areas[0], before);
    QCOMPARE(model.undoCursor[0], 0);
}

void TestAreaOperations::historyKeepsLastHundredStates()
{
    AreaModelState model;
    model.currentArea = 5;
    for (int tag = 1; tag <= 150; ++tag)
        edit(model, tag);
    QCOMPARE(model.undoHistory[5].size(), UndoHistoryLimit);
    QCOMPARE(model.undoHistory[5].first(), taggedArea(51));
    QCOMPARE(model.undoHistory[5].last(), taggedArea(150));
    QCOMPARE(model.undoCursor[5], 99);

    int steps = 0;
    while (UndoCurrentArea(model))
        ++steps;
    QCOMPARE(steps, 99);
    QCOMPARE(model.areas[5], taggedArea(51));
    QCOMPARE(model.undoCursor[5], 0);
}

void TestAreaOperations::editAfterUndosDropsRedoStates()
{
    AreaModelState model;
    for (int tag = 1; tag <= 4; ++tag)
        edit(model, tag);
    QVERIFY(UndoCurrentArea(model));
    QVERIFY(UndoCurrentArea(model));
    QCOMPARE(model.areas[0], taggedArea(2));
    edit(model, 9);
    QCOMPARE(model.undoHistory[0],
             (QVector<AreaRecord>{model.blankArea, taggedArea(1), taggedArea(2), taggedArea(9)}));
    QCOMPARE(model.undoCursor[0], 3);
    QVERIFY(!RedoCurrentArea(model));
    QCOMPARE(model.areas[0], taggedArea(9));
}

void TestAreaOperations::deleteThenUndoThenRedo()
{
    AreaModelState model;
    model.currentArea = 12;
    edit(model, 1);  // state A
    edit(model, 2);  // state B
    DeleteCurrentArea(model);
    QCOMPARE(model.areas[12], model.blankArea);
    QVERIFY(UndoCurrentArea(model));
    QCOMPARE(model.areas[12], taggedArea(1));
    QVERIFY(RedoCurrentArea(model));
    QCOMPARE(model.areas[12], taggedArea(2));
}

void TestAreaOperations::undoRedoTouchOnlyTheCurrentArea()
{
    AreaModelState model;
    model.currentArea = 3;
    edit(model, 30);
    edit(model, 31);
    model.currentArea = 4;
    edit(model, 40);
    const QVector<AreaRecord> areasBefore = model.areas;
    const auto historiesBefore = model.undoHistory;
    const QVector<int> cursorsBefore = model.undoCursor;

    QVERIFY(UndoCurrentArea(model));
    QVERIFY(RedoCurrentArea(model));
    QVERIFY(UndoCurrentArea(model));
    for (int area = 0; area < AreaCount; ++area) {
        QCOMPARE(model.undoHistory[area], historiesBefore[area]);
        if (area == 4)
            continue;
        QCOMPARE(model.areas[area], areasBefore[area]);
        QCOMPARE(model.undoCursor[area], cursorsBefore[area]);
    }
    QCOMPARE(model.areas[4], model.blankArea);
    QCOMPARE(model.areas[3], taggedArea(31));
}

void TestAreaOperations::redoAtEndChangesNothing()
{
    AreaModelState model;
    edit(model, 1);
    model.modified = false;
    QVERIFY(!RedoCurrentArea(model));
    QVERIFY(model.modified);
    QCOMPARE(model.areas[0], taggedArea(1));
    QCOMPARE(model.undoCursor[0], 1);
}

void TestAreaOperations::snapshotOfEveryArea()
{
    AreaModelState model;
    for (int area = 0; area < AreaCount; ++area)
        model.areas[area] = taggedArea(area);
    SaveAllUndoSnapshots(model);
    for (int area = 0; area < AreaCount; ++area) {
        QCOMPARE(model.undoHistory[area].size(), 2);
        QCOMPARE(model.undoHistory[area].last(), taggedArea(area));
        QCOMPARE(model.undoCursor[area], 1);
    }
    model.currentArea = 17;
    QVERIFY(UndoCurrentArea(model));
    QCOMPARE(model.areas[17], model.blankArea);
}

void TestAreaOperations::snapshotIgnoresInvalidArea()
{
    AreaModelState model;
    SaveUndoSnapshot(model, 64);
    SaveUndoSnapshot(model, -1);
    for (const auto &history : std::as_const(model.undoHistory))
        QCOMPARE(history.size(), 1);
    QVERIFY(!model.modified);
}

void TestAreaOperations::cursorOutsideHistoryIsClamped()
{
    AreaModelState model;
    edit(model, 1);
    edit(model, 2);
    model.undoCursor[0] = 57;  // a cursor no operation would leave behind
    QVERIFY(UndoCurrentArea(model));
    QCOMPARE(model.areas[0], taggedArea(1));

    model.undoHistory[1].clear();
    model.currentArea = 1;
    QVERIFY(!UndoCurrentArea(model));
    QVERIFY(!RedoCurrentArea(model));
    edit(model, 3);
    QCOMPARE(model.undoHistory[1], QVector<AreaRecord>{taggedArea(3)});
    QCOMPARE(model.undoCursor[1], 0);
}

void TestAreaOperations::clipboardOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("currentBlank");
    QTest::addColumn<bool>("currentIsClip");
    QTest::addColumn<bool>("clipIsOriginal");
    QTest::addColumn<bool>("modified");
    QTest::newRow("copy") << "copy" << false << true << true << false;
    QTest::newRow("cut") << "cut" << true << false << true << true;
    QTest::newRow("paste") << "paste" << false << true << false << true;
    QTest::newRow("delete") << "delete" << true << false << false << true;
}

void TestAreaOperations::clipboardOperations()
{
    QFETCH(QString, operation);
    QFETCH(bool, currentBlank);
    QFETCH(bool, currentIsClip);
    QFETCH(bool, clipIsOriginal);
    QFETCH(bool, modified);

    AreaModelState model;
    model.currentArea = 8;
    const AreaRecord original = taggedArea(8);
    model.areas[8] = original;
    model.clipboard = taggedArea(77);
    const QVector<AreaRecord> historyBefore = model.undoHistory[8];

    if (operation == QLatin1String("copy"))
        CopyCurrentArea(model);
    else if (operation == QLatin1String("cut"))
        CutCurrentArea(model);
    else if (operation == QLatin1String("paste"))
        PasteIntoCurrentArea(model);
    else
        DeleteCurrentArea(model);

    QCOMPARE(model.areas[8] == model.blankArea, currentBlank);
    QCOMPARE(model.areas[8] == model.clipboard, currentIsClip);
    QCOMPARE(model.clipboard == original, clipIsOriginal);
    QCOMPARE(model.modified, modified);
    QCOMPARE(model.undoHistory[8], historyBefore);  // none of them is a history entry
    QCOMPARE(model.areas[7], AreaModelState().areas[7]);
}

void TestAreaOperations::copyThenPasteCopiesPoints()
{
    AreaModelState model;
    model.currentArea = 3;
    model.areas[3] = taggedArea(3);
    CopyCurrentArea(model);
    model.currentArea = 7;
    PasteIntoCurrentArea(model);
    QCOMPARE(model.areas[7], model.areas[3]);
    // A copy, not a shared list: changing one leaves the other.
    model.areas[7].out1Points[0] = QPoint(-1, -1);
    QCOMPARE(model.areas[3].out1Points[0], QPoint(3, 1000));
    QCOMPARE(model.clipboard.out1Points[0], QPoint(3, 1000));
}

void TestAreaOperations::deleteAll()
{
    AreaModelState model;
    for (int area = 0; area < AreaCount; ++area)
        model.areas[area] = taggedArea(area);
    DeleteAllAreas(model);
    QVERIFY(model.modified);
    for (const AreaRecord &area : std::as_const(model.areas))
        QCOMPARE(area, model.blankArea);
}

void TestAreaOperations::operationsClampCurrentArea()
{
    AreaModelState model;
    model.areas[63] = taggedArea(63);
    model.currentArea = 90;
    CopyCurrentArea(model);
    QCOMPARE(model.currentArea, 63);
    QCOMPARE(model.clipboard, taggedArea(63));
    model.currentArea = 64;
    edit(model, 5);
    QCOMPARE(model.undoHistory[63].size(), 2);
}

QTEST_APPLESS_MAIN(TestAreaOperations)
#include "tst_areaoperations.moc"
