#include "gui/link/datatable.h"

#include "core/link/livescan.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>

namespace veltrix {

namespace {

enum Column { StepColumn = 0, DistanceColumn = 1, IntensityColumn = 2, ColumnCount = 3 };

void setNumber(QTableWidgetItem *item, quint16 value)
{
    item->setText(QString::number(value));
}

}  // namespace

DATA_TABLE::DATA_TABLE(const LiveScan *liveScan, QTableWidget *table, QObject *parent)
    : QObject(parent), m_liveScan(liveScan), m_table(table)
{
    setUpTable();
    m_table->installEventFilter(this);
}

void DATA_TABLE::setUpTable()
{
    m_table->setColumnCount(ColumnCount);
    m_table->setRowCount(SerialScanSize);
    QHeaderView *rows = m_table->verticalHeader();
    rows->setVisible(false);
    rows->setMinimumSectionSize(RowHeight);
    rows->setDefaultSectionSize(RowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView *columns = m_table->horizontalHeader();
    columns->setDefaultAlignment(Qt::AlignJustify);
    columns->setStretchLastSection(true);
    m_table->setColumnWidth(StepColumn, StepColumnWidth);
    m_table->setColumnWidth(DistanceColumn, DistanceColumnWidth);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The cells are made once; a refresh only changes the texts that differ.
    for (int row = 0; row < SerialScanSize; ++row) {
        m_table->setItem(row, StepColumn, new QTableWidgetItem(QString::number(row + 1)));
        for (int column : {DistanceColumn, IntensityColumn}) {
            auto *cell = new QTableWidgetItem;
            setNumber(cell, 0);
            m_table->setItem(row, column, cell);
        }
    }
    m_rowDistances = QVector<quint16>(SerialScanSize, 0);
    m_rowIntensities = QVector<quint16>(SerialScanSize, 0);
}

void DATA_TABLE::DataTableWidgetDisplay()
{
    // Rewriting 1080 cells twenty times a second for a table nobody sees is wasted.
    if (!m_table->isVisible()) {
        m_stale = true;
        return;
    }
    writeCells();
}

void DATA_TABLE::SetInvertedMount(bool inverted)
{
    m_inverted = inverted;
}

void DATA_TABLE::writeCells()
{
    m_stale = false;
    const LiveScan &data = *m_liveScan;
    const bool inverted = m_inverted;
    const int distances = static_cast<int>(data.scanDistances.size());
    const int intensities = static_cast<int>(data.scanIntensities.size());
    m_table->setUpdatesEnabled(false);
    for (int row = 0; row < SerialScanSize; ++row) {
        const int index = inverted ? SerialScanSize - 1 - row : row;
        const quint16 distance = index < distances ? data.scanDistances.at(index) : 0;
        const quint16 intensity = index < intensities ? data.scanIntensities.at(index) : 0;
        if (distance != m_rowDistances.at(row)) {
            setNumber(m_table->item(row, DistanceColumn), distance);
            m_rowDistances[row] = distance;
        }
        if (intensity != m_rowIntensities.at(row)) {
            setNumber(m_table->item(row, IntensityColumn), intensity);
            m_rowIntensities[row] = intensity;
        }
    }
    m_table->setUpdatesEnabled(true);
}

bool DATA_TABLE::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::Show && m_stale)
        writeCells();
    return QObject::eventFilter(watched, event);
}

}  // namespace veltrix
