#pragma once

#include "core/graphics/fieldentry.h"
#include "core/link/linkconfiguration.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <memory>

class QGraphicsScene;
class QLabel;

namespace veltrix {

class AreaModel;
class FieldEntryItem;
class FieldRegions;
class ScanItem;
struct LiveScan;

// The name of field 0..2 as its tab in the edition dock shows it ("Out 1").
QString FieldTabName(int field);

// Where the current scan enters the current area's fields, while the scan outline is
// shown: the entering points drawn over the view by a FieldEntryItem, and one text per
// field in the status strip ("Out 1: 37 points, nearest 812 mm at 42°"). Worked out
// again only when a new scan arrives, the current area or its fields change, or the
// outline is shown; the fields are prepared once per change of the area.
class FieldEntryView : public QObject
{
    Q_OBJECT

public:
    // Adds its item to scene; the labels (Out1..Out3) belong to the form.
    FieldEntryView(AreaModel *areas, const LiveScan *liveScan, ScanItem *outline, QGraphicsScene *scene,
                   const std::array<QLabel *, FieldCount> &labels, int modelIndex, QObject *parent = nullptr);
    ~FieldEntryView() override;

    FieldEntryItem *Item() const { return m_item; }
    const FieldEntry &Entry() const { return m_entry; }
    // What the status strip says about one field.
    static QString FieldText(int field, const FieldHits &hits);

public slots:
    // Scanner model 0..4: the range square that bounds a straight cut.
    void SetDeviceType(int modelIndex);
    // The link's interface and mounting: where the scan's points lie.
    void SetLinkConfiguration(const veltrix::LinkConfiguration &link);
    void SetViewScale(double scale);
    // Something changed: worked out once the events of the moment are handled.
    void Request();
    // Works it out now.
    void Recompute();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FieldsChanged();
    void AreaChanged(int area);
    void ShowTexts();

    AreaModel *m_areas;       // not owned
    const LiveScan *m_live;   // not owned
    ScanItem *m_outline;      // not owned
    FieldEntryItem *m_item;   // owned by the scene
    std::array<QLabel *, FieldCount> m_labels;
    LinkConfiguration m_link;
    double m_range;
    std::unique_ptr<FieldRegions> m_regions;  // the current area's, built when first needed
    FieldEntry m_entry;
    bool m_showing = false;
    bool m_measured = false;  // the last scan worked out held a point off the scanner
    QTimer m_request;
};

}  // namespace veltrix
