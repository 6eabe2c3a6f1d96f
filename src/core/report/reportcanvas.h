#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <Qt>

class QPainter;

namespace veltrix {

// A report page as the renderer draws it: A4 portrait, positions and sizes in paper
// millimetres from the top left corner. The writer runs at 254 dots per inch, so one
// device unit is a tenth of a millimetre and font sizes can be given in millimetres.
class ReportCanvas
{
public:
    static constexpr int Resolution = 254;
    static constexpr double UnitsPerMm = 10.0;
    static constexpr double PageWidth = 210.0;
    static constexpr double PageHeight = 297.0;
    static constexpr double Margin = 15.0;
    static constexpr double ContentWidth = PageWidth - 2 * Margin;
    static constexpr double FooterTop = PageHeight - 11.0;
    static constexpr double TextSize = 3.5;   // mm: body text, about 10 pt
    static constexpr double SmallSize = 2.5;  // tables of points

    explicit ReportCanvas(QPainter *painter) : m_painter(painter) {}

    QPainter *painter() const { return m_painter; }

    // A rectangle in paper mm, in device units.
    static QRectF device(double x, double y, double width, double height);

    // Text in the box (mm), of the given height (mm), aligned as flags say. Unless
    // flags wrap it, a text wider than the box is elided at its right end.
    void text(double x, double y, double width, double height, const QString &text, double size,
              int flags = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false) const;
    // The height (mm) a text of the given size takes when wrapped to width (mm).
    double wrappedHeight(double width, const QString &text, double size, bool bold = false) const;
    void line(double x1, double y1, double x2, double y2, double width = 0.2,
              const QColor &color = Qt::black) const;
    void fill(double x, double y, double width, double height, const QColor &color) const;

private:
    QPainter *m_painter;
};

}  // namespace veltrix
