#pragma once

#include "core/areas/arearecord.h"
#include "core/report/reportcanvas.h"

#include <QCoreApplication>
#include <QRectF>
#include <QString>

namespace veltrix {

// The report's pages of one area: the first shows its three fields drawn to scale, its
// switching parameters and the start of its point lists; point lists too long for it
// go on over further pages.
class AreaPages
{
    Q_DECLARE_TR_FUNCTIONS(veltrix::AreaPages)

public:
    // Where the plot lies on an area's first page, in paper mm.
    static QRectF plotBox();

    // An area with a point in any of its fields gets pages; an empty one none.
    static bool hasFields(const AreaRecord &area);
    // How many pages the area takes (0 for an empty one).
    static int pageCount(const AreaRecord &area);

    // Page `page` (0-based) of area `index`, without the page footer. areaChecksum is
    // shown beside the heading (empty: none).
    static void paint(const ReportCanvas &canvas, const AreaRecord &area, int index, int modelIndex,
                      int page, const QString &areaChecksum);

private:
    static void paintParameters(const ReportCanvas &canvas, const AreaRecord &area, double top);
    static void paintPoints(const ReportCanvas &canvas, const AreaRecord &area, int page, double top);
};

}  // namespace veltrix
