#include "gui/areas/areatable.h"

#include "core/areas/areamodel.h"
#include "core/link/configurationchecksum.h"
#include "gui/graphics/painttable.h"
#include "core/project/devicemodels.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <utility>

namespace veltrix {

namespace {

constexpr int ColumnCount = 3;
constexpr int NumberColumn = 0;
constexpr int MarkerColumn = 1;
constexpr int ThumbnailColumn = 2;
constexpr int RowHeight = 100;
constexpr int NumberColumnWidth = 40;
constexpr int MarkerColumnWidth = 10;
constexpr int NumberFontSize = 20;      // points at the reference resolution
constexpr int NumberFontWeight = 10;
constexpr qreal ReferenceDpi = 96.0;

// A cell of the area list whose tool tip is the area's checksum as it is now.
class AreaCell : public QTableWidgetItem
{
public:
    AreaCell(const AREA_TABLE *table, int area, const QString &text = QString())
        : QTableWidgetItem(text), m_table(table), m_area(area)
    {
    }

    QVariant data(int role) const override
    {
        if (role == Qt::ToolTipRole)
            return m_table->areaToolTip(m_area);
        return QTableWidgetItem::data(role);
    }

private:
    const AREA_TABLE *m_table;
    int m_area;
};

}  // namespace

AREA_TABLE::AREA_TABLE(AreaModel *model, QTableWidget *areaTableWidget, QAction *copyAction,
                       QAction *cutAction, QAction *pasteAction, QAction *deleteAction)
    : QTableWidget(nullptr),
      m_model(model),
      m_table(areaTableWidget),
      m_menu(new QMenu(this)),
      m_copyAction(copyAction),
      m_cutAction(cutAction),
      m_pasteAction(pasteAction),
      m_deleteAction(deleteAction)
{
    setUpTable();
    m_thumbnails.reserve(AreaCount);
    for (int area = 0; area < AreaCount; ++area)
        m_thumbnails.append(new PAINT_TABLE(area, m_model, m_table));
    AreaTableWidgetAllDisplay();

    connect(m_model, &AreaModel::areaChanged, this, &AREA_TABLE::areaChanged);
    connect(m_model, &AreaModel::currentAreaChanged, this, &AREA_TABLE::currentAreaChanged);
    connect(m_model, &AreaModel::areasReplaced, this, &AREA_TABLE::AreaTableWidgetAllDisplay);
    // The keyboard (arrows, Page Up/Down, Home, End) moves the current cell without a
    // click; it picks the area all the same.
    connect(m_table, &QTableWidget::currentCellChanged, this, &AREA_TABLE::AreaTableClickChangeSlots);
    connect(m_table, &QTableWidget::cellClicked, this, &AREA_TABLE::AreaTableClickChangeSlots);
    connect(m_table, &QWidget::customContextMenuRequested, this, &AREA_TABLE::AreaTableMenuEvent);
}

void AREA_TABLE::setUpTable()
{
    m_table->setRowCount(AreaCount);
    m_table->setColumnCount(ColumnCount);
    m_table->horizontalHeader()->setVisible(false);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignJustify);
    // The marker column is narrower than the style's usual minimum section.
    m_table->horizontalHeader()->setMinimumSectionSize(MarkerColumnWidth);
    m_table->setColumnWidth(NumberColumn, NumberColumnWidth);
    m_table->setColumnWidth(MarkerColumn, MarkerColumnWidth);
    m_table->horizontalHeader()->setSectionResizeMode(ThumbnailColumn, QHeaderView::Stretch);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);

    // The number font keeps its size on screen whatever the logical resolution.
    const qreal dpi = m_table->logicalDpiX() > 0 ? m_table->logicalDpiX() : ReferenceDpi;
    const int pointSize = qMax(1, static_cast<int>(NumberFontSize / (dpi / ReferenceDpi)));
    const QFont numberFont(QStringLiteral("times"), pointSize, NumberFontWeight);
    for (int row = 0; row < AreaCount; ++row) {
        m_table->setRowHeight(row, RowHeight);
        auto *number = new AreaCell(this, row, QString::number(row));
        number->setForeground(QBrush(Qt::blue));
        number->setFont(numberFont);
        m_table->setItem(row, NumberColumn, number);
        m_table->setItem(row, MarkerColumn, new AreaCell(this, row));
        // Under the thumbnail, whose tool tip events fall through to the table.
        m_table->setItem(row, ThumbnailColumn, new AreaCell(this, row));
    }
    // Shows which area is current from the start (before the row signals are heard).
    m_table->setCurrentCell(m_model->currentArea(), NumberColumn);
}

PAINT_TABLE *AREA_TABLE::thumbnail(int area) const
{
    return m_thumbnails.value(area, nullptr);
}

QString AREA_TABLE::areaToolTip(int area) const
{
    ScannerConfiguration configuration;
    if (m_source)
        configuration = m_source();
    else
        configuration.areas = m_model->areas();
    const std::optional<quint32> checksum = areaChecksum(configuration, area);
    if (!checksum)
        return tr("区域%1：有输出区域无法传输，没有校验和").arg(area);
    return tr("区域%1  校验和 %2").arg(area).arg(checksumText(*checksum));
}

void AREA_TABLE::SetDeviceType(int modelIndex)
{
    const DeviceModel *model = deviceModel(modelIndex);
    if (!model)
        return;
    for (PAINT_TABLE *thumb : std::as_const(m_thumbnails))
        thumb->SetRange(model->rangeSquare, model->rangeSquare);
    AreaTableWidgetAllDisplay();
}

void AREA_TABLE::areaChanged(int area)
{
    if (area >= 0 && area < m_thumbnails.size())
        displayRow(area);
}

// Every thumbnail is redrawn, as after a click; the row follows an area made current
// elsewhere (monitoring mode, say), and that move is heard as a pick of the same area.
void AREA_TABLE::currentAreaChanged(int area)
{
    if (m_table->currentRow() != area)
        m_table->setCurrentCell(area, qMax(0, m_table->currentColumn()));
    AreaTableWidgetAllDisplay();
    emit AreaTableIndexChange();
}

void AREA_TABLE::displayRow(int row)
{
    PAINT_TABLE *thumb = m_thumbnails.at(row);
    thumb->update();
    m_table->setCellWidget(row, ThumbnailColumn, thumb);
}

void AREA_TABLE::setEditMarker(const QColor &color)
{
    const int row = m_model->currentArea();
    if (QTableWidgetItem *marker = m_table->item(row, MarkerColumn))
        marker->setBackground(QBrush(color));
}

void AREA_TABLE::SetEditAreaTableDisplay()
{
    setEditMarker(Qt::green);
}

void AREA_TABLE::ResetEditAreaTableDisplay()
{
    setEditMarker(Qt::white);
}

void AREA_TABLE::AreaTableWidgetAllDisplay()
{
    for (int row = 0; row < AreaCount; ++row)
        displayRow(row);
}

void AREA_TABLE::AreaTableWidgetCurDisplay()
{
    displayRow(m_model->currentArea());
}

void AREA_TABLE::CopyAreaTableData()
{
    m_model->copyCurrentArea();
}

void AREA_TABLE::CutAreaTableData()
{
    m_model->cutCurrentArea();
    emit EditAreaDataSignal();
}

void AREA_TABLE::PasteAreaTableData()
{
    m_model->pasteIntoCurrentArea();
    emit EditAreaDataSignal();
}

void AREA_TABLE::DeleteAreaTableData()
{
    m_model->deleteCurrentArea();
    emit EditAreaDataSignal();
}

void AREA_TABLE::DeleteAllAreaTableData()
{
    m_model->deleteAllAreas();
    emit EditAreaDataSignal();
}

void AREA_TABLE::UndoAreaTableData()
{
    m_model->undo();
    emit EditAreaDataSignal();
}

void AREA_TABLE::RedoAreaTableData()
{
    m_model->redo();
    emit EditAreaDataSignal();
}

void AREA_TABLE::SaveUndoAreaTableData()
{
    m_model->saveUndoSnapshot();
}

void AREA_TABLE::SaveAllUndoAreaTableData()
{
    m_model->saveAllUndoSnapshots();
}

void AREA_TABLE::AreaTableMenuEvent(QPoint pos)
{
    Q_UNUSED(pos)  // the menu opens where the mouse cursor is now
    const QList<QAction *> present = m_menu->actions();
    for (QAction *action : {m_copyAction, m_cutAction, m_pasteAction, m_deleteAction}) {
        if (action && !present.contains(action))
            m_menu->addAction(action);
    }
    m_menu->exec(QCursor::pos());
}

// The document announces the switch; the list redraws itself when it hears it.
void AREA_TABLE::AreaTableClickChangeSlots(int Row, int Column)
{
    Q_UNUSED(Column)
    if (Row < 0)
        return;
    m_model->setCurrentArea(Row);
}

}  // namespace veltrix
