#pragma once

#include "core/link/displaypreferences.h"
#include "core/link/linkconfiguration.h"
#include "gui/graphics/rangeitem.h"

#include <QColor>
#include <QPolygon>
#include <QPolygonF>

class QTransform;

namespace veltrix {

struct LiveScan;

// Which of the two live values a scan item shows.
enum class ScanChannel { Distance, Intensity };

// Scene points of the latest scan of one channel, the scanner's own position first.
// On a serial link the 540 samples (each taken as a radius) lie half a degree apart,
// straight ahead at sample 270; on Ethernet the first cloudCount points of the cloud,
// which the link stores in scene coordinates already. Reads no entry the live scan
// does not hold.
QPolygonF ScanPoints(const LiveScan &scan, ScanChannel channel, const LinkConfiguration &link);

// The points as the pixels they land on, a run of points on one pixel kept once. A
// scan holds up to 30000 points, but at most zooms far fewer pixels: drawing each
// pixel once makes a frame several times cheaper and looks the same.
QPolygon DevicePixels(const QPolygonF &points, const QTransform &toDevice);

// What the two live-scan items share: the range square, and the drawing of one
// channel's points as a filled graph, a point cloud or a closed line, as the display
// mode chooses. The points are taken when Refresh() finds a newer scan, so
// painting only draws. Pen widths are in pixels and stay the same at every zoom.
class ScanItem : public RangeItem
{
    Q_OBJECT

public:
    ScanItem(double rangeWidth, double rangeHeight, const LiveScan *liveScan, double viewScale,
             ScanChannel channel, const QColor &color, const QColor &graphFill, qreal zValue);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    // Takes the latest scan from the live scan if it is not the one drawn and asks for
    // the region of the old and the new scan to be repainted; with the same scan the
    // whole item is repainted.
    void Refresh();

    // The link's interface and mounting: which store the points come from and how the
    // serial samples lie. Takes effect with the next Refresh().
    void SetLinkConfiguration(const LinkConfiguration &link) { linkConfiguration = link; }
    // DisplayModes: graph, cloud or line.
    void SetDisplayMode(int mode);
    int DisplayMode() const { return displayMode; }

    const LiveScan *Scan() const { return liveScan; }
    const QPolygonF &Points() const { return points; }

    // The view's scale: how far beyond its points a scan's pixel-wide pens reach.
    void SetViewScale(double scale) { viewScale = scale; }
    double ViewScale() const { return viewScale; }

private:
    // Everything the points were built from; any difference means they are stale.
    struct Source
    {
        quint32 sequence = 0;
        qint32 connectType = 0;
        bool invertedMount = false;
        bool operator==(const Source &other) const
        {
            return sequence == other.sequence && connectType == other.connectType
                && invertedMount == other.invertedMount;
        }
    };
    Source CurrentSource() const;

    double viewScale;
    const LiveScan *liveScan;  // not owned
    LinkConfiguration linkConfiguration;
    int displayMode = DisplayGraph;
    const ScanChannel channel;
    const QColor color;
    const QColor graphFill;
    QPolygonF points;
    Source builtFrom;
    bool built = false;
};

}  // namespace veltrix
