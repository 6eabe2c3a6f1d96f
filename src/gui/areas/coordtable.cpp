#include "gui/areas/coordtable.h"

#include "core/areas/areamodel.h"
#include "core/areas/fieldediting.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

namespace veltrix {

namespace {

constexpr int ColumnCount = 3;
constexpr int PointColumnWidth = 40;

// Sets a cell's text, reusing the item that is there. Replacing items would delete
// the very item whose edit is being handled while its change notification runs.
void setCellText(QTableWidget *table, int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = table->item(row, column))
        item->setText(text);
    else
        table->setItem(row, column, new QTableWidgetItem(text));
}

}  // namespace

COORD_TABLE::COORD_TABLE(AreaModel *model, QTableWidget *coordOut1, QTableWidget *coordOut2,
                         QTableWidget *coordOut3, QTableWidget *polarOut1,
                         QTableWidget *polarOut2, QTableWidget *polarOut3)
    : QTableWidget(nullptr),
      m_model(model),
      m_coordTables{coordOut1, coordOut2, coordOut3},
      m_polarTables{polarOut1, polarOut2, polarOut3}
{
    for (int field = 0; field < FieldCount; ++field) {
        setUpTable(m_coordTables[field]);
        setUpTable(m_polarTables[field]);
    }
    for (int field = 0; field < FieldCount; ++field)
        connectTable(Kind::Cartesian, field);
    for (int field = 0; field < FieldCount; ++field)
        connectTable(Kind::Polar, field);
    for (int field = 0; field < FieldCount; ++field) {
        m_coordTables[field]->installEventFilter(this);
        m_polarTables[field]->installEventFilter(this);
    }

    connect(m_model, &AreaModel::areaChanged, this, &COORD_TABLE::areaChanged);
    connect(m_model, &AreaModel::currentAreaChanged, this, &COORD_TABLE::refreshChangedFields);
    connect(m_model, &AreaModel::areasReplaced, this, &COORD_TABLE::refreshChangedFields);
}

void COORD_TABLE::setUpTable(QTableWidget *table)
{
    table->setColumnCount(ColumnCount);
    table->setRowCount(1);
    table->setItem(0, PointNumberColumn, new QTableWidgetItem(QStringLiteral("1")));
    table->setItem(0, FirstValueColumn, new QTableWidgetItem(QStringLiteral("0")));
    table->setItem(0, SecondValueColumn, new QTableWidgetItem(QStringLiteral("0")));
    setHeaders(table);
    table->verticalHeader()->setVisible(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignJustify);
    // The style's minimum section width grows with the font; the columns share the
    // table's width, which the dock keeps wide enough for their texts, so that no
    // scroll bar is needed sideways in any language.
    table->horizontalHeader()->setMinimumSectionSize(PointColumnWidth);
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

// The header texts in the language now installed.
void COORD_TABLE::setHeaders(QTableWidget *table) const
{
    const bool polar = std::find(m_polarTables.begin(), m_polarTables.end(), table)
                       != m_polarTables.end();
    if (polar)
        table->setHorizontalHeaderLabels({tr("点数"), tr("距离[mm]"), tr("角度[deg]")});
    else
        table->setHorizontalHeaderLabels({tr("点数"), tr("X坐标[mm]"), tr("Y坐标[mm]")});
}

QTableWidget *COORD_TABLE::table(Kind kind, int field) const
{
    return kind == Kind::Cartesian ? m_coordTables[field] : m_polarTables[field];
}

void COORD_TABLE::connectTable(Kind kind, int field)
{
    static const EditSlot coordSlots[FieldCount] = {&COORD_TABLE::CoordTable1EditSlots,
                                                    &COORD_TABLE::CoordTable2EditSlots,
                                                    &COORD_TABLE::CoordTable3EditSlots};
    static const EditSlot polarSlots[FieldCount] = {&COORD_TABLE::PolarTable1EditSlots,
                                                    &COORD_TABLE::PolarTable2EditSlots,
                                                    &COORD_TABLE::PolarTable3EditSlots};
    QMetaObject::Connection &connection =
        kind == Kind::Cartesian ? m_coordConnections[field] : m_polarConnections[field];
    const EditSlot slot = kind == Kind::Cartesian ? coordSlots[field] : polarSlots[field];
    connection = connect(table(kind, field), &QTableWidget::itemChanged, this, slot);
}

void COORD_TABLE::fillTable(Kind kind, int field)
{
    QTableWidget *target = table(kind, field);
    QMetaObject::Connection &connection =
        kind == Kind::Cartesian ? m_coordConnections[field] : m_polarConnections[field];
    // Filling is not editing: the table's own change notification is cut meanwhile.
    disconnect(connection);

    const AreaRecord &area = m_model->current();
    const QVector<QPoint> &points = area.points(field);
    const int count = points.size();
    const bool polygon = area.shape(field) == Polygon;
    target->setRowCount(polygon ? count + 1 : count);
    for (int row = 0; row < count; ++row) {
        const QPoint &point = points.at(row);
        setCellText(target, row, PointNumberColumn, QString::number(row + 1));
        for (int column : {FirstValueColumn, SecondValueColumn}) {
            setCellText(target, row, column,
                        kind == Kind::Cartesian ? CartesianCellText(point, column)
                                                : PolarCellText(point, column));
        }
    }
    // A polygon's last row is where a new point is typed.
    if (polygon) {
        setCellText(target, count, PointNumberColumn, QString::number(count + 1));
        setCellText(target, count, FirstValueColumn, QStringLiteral("0"));
        setCellText(target, count, SecondValueColumn, QStringLiteral("0"));
    }

    connectTable(kind, field);
}

void COORD_TABLE::fillField(int field)
{
    fillTable(Kind::Cartesian, field);
    fillTable(Kind::Polar, field);
    const AreaRecord &area = m_model->current();
    m_shown[field] = Shown{true, area.shape(field), area.points(field)};
}

void COORD_TABLE::CoordTableWidgeUpdate()
{
    for (Shown &shown : m_shown)
        shown.valid = false;
    refreshChangedFields();
}

// Comparing is cheap (the lists are shared with the document while unchanged); filling
// a table of a hundred points is not, and most changes touch a single field.
void COORD_TABLE::refreshChangedFields()
{
    const AreaRecord &area = m_model->current();
    for (int field = 0; field < FieldCount; ++field) {
        const Shown &shown = m_shown[field];
        if (!shown.valid || shown.shape != area.shape(field) || shown.points != area.points(field))
            fillField(field);
    }
}

void COORD_TABLE::areaChanged(int area)
{
    if (area == m_model->currentArea())
        refreshChangedFields();
}

void COORD_TABLE::CoordTable1EditSlots(QTableWidgetItem *Item) { cellEdited(Kind::Cartesian, 0, Item); }
void COORD_TABLE::CoordTable2EditSlots(QTableWidgetItem *Item) { cellEdited(Kind::Cartesian, 1, Item); }
void COORD_TABLE::CoordTable3EditSlots(QTableWidgetItem *Item) { cellEdited(Kind::Cartesian, 2, Item); }
void COORD_TABLE::PolarTable1EditSlots(QTableWidgetItem *Item) { cellEdited(Kind::Polar, 0, Item); }
void COORD_TABLE::PolarTable2EditSlots(QTableWidgetItem *Item) { cellEdited(Kind::Polar, 1, Item); }
void COORD_TABLE::PolarTable3EditSlots(QTableWidgetItem *Item) { cellEdited(Kind::Polar, 2, Item); }

// The field's tables are refilled either way: the cell still shows what was typed
// ("12.4" for the point 12, or a rejected entry), not what the document holds.
void COORD_TABLE::submitEdit(int field, const AreaRecord &area)
{
    m_shown[field].valid = false;
    m_model->editCurrentArea(area);
    refreshChangedFields();
    emit CoordTableEditSignal();
}

void COORD_TABLE::cellEdited(Kind kind, int field, QTableWidgetItem *item)
{
    if (!item)
        return;
    AreaRecord area = m_model->current();
    const bool changed = kind == Kind::Cartesian
        ? EditCartesianCell(area, field, item->row(), item->column(), item->text())
        : EditPolarCell(area, field, item->row(), item->column(), item->text());
    if (changed) {
        submitEdit(field, area);
        return;
    }
    fillField(field);
}

bool COORD_TABLE::eventFilter(QObject *watched, QEvent *event)
{
    // Every table of the window hears of a new language; each sets its own headers.
    // (Being a table itself, this object also filters its own inner widgets.)
    if (event->type() == QEvent::LanguageChange) {
        for (int field = 0; field < FieldCount; ++field) {
            if (watched == m_coordTables[field] || watched == m_polarTables[field])
                setHeaders(static_cast<QTableWidget *>(watched));
        }
    }
    if (event->type() != QEvent::KeyPress)
        return QTableWidget::eventFilter(watched, event);
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    // Tab and Backtab move the focus on to the next control; swallowed, they would hold
    // a keyboard user in the table for good.
    if (keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab)
        return false;
    if (keyEvent->key() == Qt::Key_Delete)
        deleteKeyPressed(qobject_cast<QTableWidget *>(watched));
    return true;
}

bool COORD_TABLE::deleteKeyPressed(QTableWidget *target)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (target != m_coordTables[field] && target != m_polarTables[field])
            continue;
        AreaRecord area = m_model->current();
        if (!RemovePolygonPoint(area, field, target->currentRow()))
            return false;
        submitEdit(field, area);
        return true;
    }
    return false;
}

}  // namespace veltrix
