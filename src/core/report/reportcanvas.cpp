#include "core/report/reportcanvas.h"

#include <QFontMetricsF>
#include <QPainter>

namespace veltrix {

QRectF ReportCanvas::device(double x, double y, double width, double height)
{
    return QRectF(x * UnitsPerMm, y * UnitsPerMm, width * UnitsPerMm, height * UnitsPerMm);
}

void ReportCanvas::text(double x, double y, double width, double height, const QString &text,
                        double size, int flags, bool bold) const
{
    QFont font = m_painter->font();
    font.setPixelSize(qMax(1, qRound(size * UnitsPerMm)));
    font.setBold(bold);
    m_painter->setFont(font);
    m_painter->setPen(Qt::black);
    const QRectF box = device(x, y, width, height);
    if (flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere)) {
        m_painter->drawText(box, flags, text);
        return;
    }
    const QString shown = QFontMetricsF(font, m_painter->device())
                              .elidedText(text, Qt::ElideRight, box.width());
    m_painter->drawText(box, flags, shown);
}

double ReportCanvas::wrappedHeight(double width, const QString &text, double size, bool bold) const
{
    QFont font = m_painter->font();
    font.setPixelSize(qMax(1, qRound(size * UnitsPerMm)));
    font.setBold(bold);
    const QRectF bounds = QFontMetricsF(font, m_painter->device())
                              .boundingRect(QRectF(0, 0, width * UnitsPerMm, PageHeight * UnitsPerMm),
                                            Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, text);
    return bounds.height() / UnitsPerMm;
}

void ReportCanvas::line(double x1, double y1, double x2, double y2, double width,
                        const QColor &color) const
{
    m_painter->setPen(QPen(color, width * UnitsPerMm));
    m_painter->drawLine(QPointF(x1 * UnitsPerMm, y1 * UnitsPerMm), QPointF(x2 * UnitsPerMm, y2 * UnitsPerMm));
}

void ReportCanvas::fill(double x, double y, double width, double height, const QColor &color) const
{
    m_painter->fillRect(device(x, y, width, height), color);
}

}  // namespace veltrix
