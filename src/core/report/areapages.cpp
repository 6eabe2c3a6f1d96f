#include "core/report/areapages.h"

#include "core/graphics/fieldshapes.h"
#include "core/link/configurationdifferencetext.h"
#include "core/report/areaplot.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace veltrix {

namespace {

using Canvas = ReportCanvas;

constexpr double HeadingTop = Canvas::Margin;
constexpr double HeadingHeight = 8.0;
constexpr double HeadingSize = 5.0;
constexpr double PlotTop = 25.0;
constexpr double PlotHeight = 120.0;
constexpr double LegendTop = PlotTop + PlotHeight + 2.0;
constexpr double LegendHeight = 5.0;
constexpr double SwatchWidth = 4.0;
constexpr double SwatchHeight = 3.0;
constexpr double LegendEntryWidth = 38.0;
constexpr double ParametersTop = LegendTop + LegendHeight + 2.0;
constexpr double ParameterRowHeight = 5.0;
constexpr int ParameterRows = 3;
constexpr int SwitchingNumbers = 9;  // the area's numbers before its three shapes
constexpr double PointsTopFirst = ParametersTop + ParameterRows * ParameterRowHeight + 4.0;
constexpr double PointsTopNext = PlotTop;
constexpr double PointsBottom = Canvas::FooterTop - 2.0;
constexpr double FieldColumnWidth = Canvas::ContentWidth / FieldCount;
constexpr double FieldHeadingHeight = 5.0;
constexpr double PointHeaderHeight = 4.0;
constexpr double PointRowHeight = 3.2;
constexpr int PointColumns = 2;  // per field
constexpr double PointColumnWidth = FieldColumnWidth / PointColumns;
constexpr double NumberWidth = 7.0;
constexpr double CoordinateWidth = 11.0;

int rowsFrom(double top)
{
    return int((PointsBottom - top - FieldHeadingHeight - PointHeaderHeight) / PointRowHeight);
}

int pointsOnFirstPage()
{
    return PointColumns * rowsFrom(PointsTopFirst);
}

int pointsOnLaterPage()
{
    return PointColumns * rowsFrom(PointsTopNext);
}

// The first point (0-based) that page `page` of an area lists.
int firstPointOf(int page)
{
    return page == 0 ? 0 : pointsOnFirstPage() + (page - 1) * pointsOnLaterPage();
}

QString switchingValue(int number, qint32 value)
{
    ConfigurationDifference difference;
    difference.kind = DifferenceKind::Switching;
    difference.item = number;
    difference.document.present = true;
    difference.document.number = value;
    return ConfigurationDifferenceText::documentValue(difference);
}

QString fieldName(int field)
{
    return QStringLiteral("Out%1").arg(field + 1);
}

}  // namespace

QRectF AreaPages::plotBox()
{
    return QRectF(Canvas::Margin, PlotTop, Canvas::ContentWidth, PlotHeight);
}

bool AreaPages::hasFields(const AreaRecord &area)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (!area.points(field).isEmpty())
            return true;
    }
    return false;
}

int AreaPages::pageCount(const AreaRecord &area)
{
    if (!hasFields(area))
        return 0;
    int most = 0;
    for (int field = 0; field < FieldCount; ++field)
        most = std::max(most, int(area.points(field).size()));
    const int beyondFirst = std::max(0, most - pointsOnFirstPage());
    return 1 + (beyondFirst + pointsOnLaterPage() - 1) / pointsOnLaterPage();
}

void AreaPages::paint(const ReportCanvas &canvas, const AreaRecord &area, int index, int modelIndex,
                      int page, const QString &areaChecksum)
{
    const QString heading = page == 0 ? tr("区域 %1").arg(index) : tr("区域 %1（续）").arg(index);
    canvas.text(Canvas::Margin, HeadingTop, Canvas::ContentWidth, HeadingHeight, heading, HeadingSize,
                Qt::AlignLeft | Qt::AlignVCenter, true);
    if (!areaChecksum.isEmpty()) {
        canvas.text(Canvas::Margin, HeadingTop, Canvas::ContentWidth, HeadingHeight,
                    tr("区域校验和 %1").arg(areaChecksum), Canvas::TextSize,
                    Qt::AlignRight | Qt::AlignVCenter);
    }
    if (page > 0) {
        paintPoints(canvas, area, page, PointsTopNext);
        return;
    }

    const QRectF box = plotBox();
    const AreaPlot plot(area, modelIndex, Canvas::device(box.x(), box.y(), box.width(), box.height()),
                        Canvas::UnitsPerMm);
    plot.paint(canvas.painter());

    double x = Canvas::Margin;
    for (int field = 0; field < FieldCount; ++field) {
        if (area.points(field).isEmpty())
            continue;
        const double swatchTop = LegendTop + (LegendHeight - SwatchHeight) / 2;
        canvas.fill(x, swatchTop, SwatchWidth, SwatchHeight, FieldColor(field, EditedFieldAlpha));
        canvas.text(x + SwatchWidth + 1.0, LegendTop, LegendEntryWidth - SwatchWidth - 1.0, LegendHeight,
                    fieldName(field) + QLatin1Char(' ')
                        + ConfigurationDifferenceText::shapeName(area.shape(field)),
                    Canvas::TextSize);
        x += LegendEntryWidth;
    }
    canvas.text(Canvas::Margin, LegendTop, Canvas::ContentWidth, LegendHeight,
                tr("比例 1:%1 · 网格 %2 m")
                    .arg(QString::number(plot.scaleDenominator(), 'g', 10))
                    .arg(QString::number(plot.gridStep() / 1000.0, 'g', 6)),
                Canvas::TextSize, Qt::AlignRight | Qt::AlignVCenter);

    paintParameters(canvas, area, ParametersTop);
    paintPoints(canvas, area, 0, PointsTopFirst);
}

void AreaPages::paintParameters(const ReportCanvas &canvas, const AreaRecord &area, double top)
{
    const double columnWidth = Canvas::ContentWidth / 3;
    const double nameWidth = columnWidth * 0.6;
    for (int number = 0; number < SwitchingNumbers; ++number) {
        const double x = Canvas::Margin + (number / ParameterRows) * columnWidth;
        const double y = top + (number % ParameterRows) * ParameterRowHeight;
        canvas.text(x, y, nameWidth, ParameterRowHeight,
                    ConfigurationDifferenceText::switchingName(number), Canvas::TextSize);
        canvas.text(x + nameWidth, y, columnWidth - nameWidth, ParameterRowHeight,
                    switchingValue(number, area.number(number)), Canvas::TextSize, Qt::AlignLeft | Qt::AlignVCenter,
                    true);
    }
}

// Per field a column: the field, its shape and its number of points, then its points
// in list order (x and y in mm), two columns of them side by side.
void AreaPages::paintPoints(const ReportCanvas &canvas, const AreaRecord &area, int page, double top)
{
    const int rows = rowsFrom(top);
    const int first = firstPointOf(page);
    for (int field = 0; field < FieldCount; ++field) {
        const QVector<QPoint> &points = area.points(field);
        const double left = Canvas::Margin + field * FieldColumnWidth;
        canvas.text(left, top, FieldColumnWidth, FieldHeadingHeight,
                    tr("%1 %2，%n 个点", nullptr, int(points.size()))
                        .arg(fieldName(field), ConfigurationDifferenceText::shapeName(area.shape(field))),
                    Canvas::TextSize, Qt::AlignLeft | Qt::AlignVCenter, true);
        if (first >= points.size())
            continue;
        const double headerTop = top + FieldHeadingHeight;
        const int last = std::min(int(points.size()), first + PointColumns * rows);
        const int columns = (last - first + rows - 1) / rows;
        for (int column = 0; column < columns; ++column) {
            const double x = left + column * PointColumnWidth;
            const int align = Qt::AlignRight | Qt::AlignVCenter;
            canvas.text(x, headerTop, NumberWidth, PointHeaderHeight, QStringLiteral("#"), Canvas::SmallSize, align);
            canvas.text(x + NumberWidth, headerTop, CoordinateWidth, PointHeaderHeight,
                        QStringLiteral("x (mm)"), Canvas::SmallSize, align);
            canvas.text(x + NumberWidth + CoordinateWidth, headerTop, CoordinateWidth, PointHeaderHeight,
                        QStringLiteral("y (mm)"), Canvas::SmallSize, align);
        }
        for (int i = first; i < last; ++i) {
            const int slot = i - first;
            const double x = left + (slot / rows) * PointColumnWidth;
            const double y = headerTop + PointHeaderHeight + (slot % rows) * PointRowHeight;
            const int align = Qt::AlignRight | Qt::AlignVCenter;
            const QPoint &p = points.at(i);
            canvas.text(x, y, NumberWidth, PointRowHeight, QString::number(i + 1), Canvas::SmallSize, align);
            canvas.text(x + NumberWidth, y, CoordinateWidth, PointRowHeight, QString::number(p.x()),
                        Canvas::SmallSize, align);
            canvas.text(x + NumberWidth + CoordinateWidth, y, CoordinateWidth, PointRowHeight,
                        QString::number(p.y()), Canvas::SmallSize, align);
        }
    }
}

}  // namespace veltrix
