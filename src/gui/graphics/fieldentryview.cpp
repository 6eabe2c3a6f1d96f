#include "gui/graphics/fieldentryview.h"

#include "core/areas/areamodel.h"
#include "core/graphics/fieldregions.h"
#include "core/graphics/scanpoints.h"
#include "core/link/livescan.h"
#include "core/project/devicemodels.h"
#include "gui/graphics/fieldentryitem.h"
#include "gui/graphics/scanitem.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsScene>
#include <QLabel>

#include <algorithm>

namespace veltrix {

QString FieldTabName(int field)
{
    switch (field) {
    case 0: return QCoreApplication::translate("EditionDock", "输出1");
    case 1: return QCoreApplication::translate("EditionDock", "输出2");
    default: return QCoreApplication::translate("EditionDock", "输出3");
    }
}

FieldEntryView::FieldEntryView(AreaModel *areas, const LiveScan *liveScan, ScanItem *outline,
                               QGraphicsScene *scene, const std::array<QLabel *, FieldCount> &labels,
                               int modelIndex, QObject *parent)
    : QObject(parent),
      m_areas(areas),
      m_live(liveScan),
      m_outline(outline),
      m_item(new FieldEntryItem),
      m_labels(labels),
      m_range(DeviceModels[0].rangeSquare)
{
    scene->addItem(m_item);
    SetDeviceType(modelIndex);
    for (int field = 0; field < FieldCount; ++field) {
        QLabel *label = m_labels[static_cast<size_t>(field)];
        // A bar of the field's entry colour ties the text to the dots in the view.
        label->setStyleSheet(QStringLiteral("QLabel { border-left: 6px solid %1; padding-left: 3px; }")
                                 .arg(FieldEntryItem::EntryColor(field).name()));
        label->hide();
    }
    m_labels[0]->installEventFilter(this);
    m_request.setSingleShot(true);
    m_request.setInterval(0);
    connect(&m_request, &QTimer::timeout, this, &FieldEntryView::Recompute);
    connect(areas, &AreaModel::areaChanged, this, &FieldEntryView::AreaChanged);
    connect(areas, &AreaModel::currentAreaChanged, this, &FieldEntryView::FieldsChanged);
    connect(areas, &AreaModel::areasReplaced, this, &FieldEntryView::FieldsChanged);
    connect(outline, &QGraphicsObject::visibleChanged, this, &FieldEntryView::Request);
}

FieldEntryView::~FieldEntryView() = default;

QString FieldEntryView::FieldText(int field, const FieldHits &hits)
{
    if (hits.count == 0)
        return tr("%1: %n 个点", nullptr, 0).arg(FieldTabName(field));
    return tr("%1: %n 个点, 最近 %2 mm, %3°", nullptr, hits.count)
        .arg(FieldTabName(field))
        .arg(qRound(hits.distance))
        .arg(qRound(hits.angle));
}

void FieldEntryView::SetDeviceType(int modelIndex)
{
    const DeviceModel *model = deviceModel(modelIndex);
    if (!model || model->rangeSquare == m_range)
        return;
    m_range = model->rangeSquare;
    FieldsChanged();
}

void FieldEntryView::SetLinkConfiguration(const LinkConfiguration &link)
{
    m_link = link;
    Request();
}

void FieldEntryView::SetViewScale(double scale)
{
    m_item->SetViewScale(scale);
}

void FieldEntryView::AreaChanged(int area)
{
    if (area == m_areas->currentArea())
        FieldsChanged();
}

void FieldEntryView::FieldsChanged()
{
    m_regions.reset();
    Request();
}

void FieldEntryView::Request()
{
    if (!m_request.isActive())
        m_request.start();
}

void FieldEntryView::Recompute()
{
    m_request.stop();
    m_showing = m_outline->isVisible();
    if (!m_showing) {
        m_entry = FieldEntry();
        m_item->Clear();
        ShowTexts();
        return;
    }
    if (!m_regions)
        m_regions = std::make_unique<FieldRegions>(m_areas->current(), m_range, m_range);
    const QVector<QPoint> points = m_link.isEthernet()
        ? CloudAreaPoints(m_live->cloudDistX, m_live->cloudDistY, m_live->cloudCount)
        : SerialScanAreaPoints(m_live->scanDistances, m_link.invertedMount);
    // Without a single measured point (no scanner, or no reflection at all: every
    // distance 0 lies on the scanner) there is nothing to tell, and "0 points" would
    // read as a field found clear.
    m_measured = std::any_of(points.cbegin(), points.cend(), [](const QPoint &p) { return !p.isNull(); });
    m_entry = FindFieldEntries(*m_regions, BinnedScan(points, m_regions->reach()));
    m_item->SetEntries(m_entry.drawn);
    ShowTexts();
}

// One text per field that covers ground; none while the outline is hidden or the scan
// holds no point.
void FieldEntryView::ShowTexts()
{
    for (int field = 0; field < FieldCount; ++field) {
        QLabel *label = m_labels[static_cast<size_t>(field)];
        const bool shown = m_showing && m_measured && m_regions && !m_regions->coversNothing(field);
        if (shown)
            label->setText(FieldText(field, m_entry.fields[static_cast<size_t>(field)]));
        label->setVisible(shown);
    }
}

bool FieldEntryView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ShowTexts();
    return QObject::eventFilter(watched, event);
}

}  // namespace veltrix
