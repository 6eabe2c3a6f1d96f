#pragma once

#include "core/areas/arearecord.h"

#include <QMetaObject>
#include <QTableWidget>
#include <array>

namespace veltrix {

class AreaModel;

// Keeps the six coordinate tables of the edition dock (cartesian and polar, one of
// each per output field) in step with the document's current area, whatever changed
// it: fills them, turns cell edits into edits of the document (which restore the arc
// and rectangle rules after every single-point edit), appends points to a polygon
// through its last row and removes them with Delete.
//
// Derives from QTableWidget for its place among the dock's controllers but is only a
// controller: created without a parent and never shown. Owns none of the tables.
class COORD_TABLE : public QTableWidget
{
    Q_OBJECT

public:
    COORD_TABLE(AreaModel *model, QTableWidget *coordOut1, QTableWidget *coordOut2,
                QTableWidget *coordOut3, QTableWidget *polarOut1, QTableWidget *polarOut2,
                QTableWidget *polarOut3);

signals:
    // A point of the current area was changed, added or removed.
    void CoordTableEditSignal();

public slots:
    void CoordTableWidgeUpdate();
    void CoordTable1EditSlots(QTableWidgetItem *Item);
    void CoordTable2EditSlots(QTableWidgetItem *Item);
    void CoordTable3EditSlots(QTableWidgetItem *Item);
    void PolarTable1EditSlots(QTableWidgetItem *Item);
    void PolarTable2EditSlots(QTableWidgetItem *Item);
    void PolarTable3EditSlots(QTableWidgetItem *Item);

protected:
    // Consumes every key press that reaches one of the six tables; Delete removes the
    // point of the current row from a polygon field. Sets a table's headers again when
    // the language changes.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { Cartesian, Polar };
    using EditSlot = void (COORD_TABLE::*)(QTableWidgetItem *);

    // What a field's two tables show, so that only a field that changed is refilled.
    struct Shown
    {
        bool valid = false;
        qint32 shape = 0;
        QVector<QPoint> points;
    };

    void setUpTable(QTableWidget *table);
    void setHeaders(QTableWidget *table) const;
    QTableWidget *table(Kind kind, int field) const;
    void connectTable(Kind kind, int field);
    void fillTable(Kind kind, int field);
    void fillField(int field);
    void refreshChangedFields();
    void areaChanged(int area);
    void submitEdit(int field, const AreaRecord &area);
    void cellEdited(Kind kind, int field, QTableWidgetItem *item);
    bool deleteKeyPressed(QTableWidget *table);

    AreaModel *m_model;
    std::array<QTableWidget *, FieldCount> m_coordTables;
    std::array<QTableWidget *, FieldCount> m_polarTables;
    std::array<QMetaObject::Connection, FieldCount> m_coordConnections;
    std::array<QMetaObject::Connection, FieldCount> m_polarConnections;
    std::array<Shown, FieldCount> m_shown;
};

}  // namespace veltrix
