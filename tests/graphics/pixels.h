#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Colour arithmetic for rendering tests: what a translucent fill over an opaque
// colour should give, and whether a pixel is close enough to it.
namespace pixels {

inline QColor over(const QColor &top, const QColor &under)
{
    const double a = top.alphaF();
    auto mix = [a](int t, int u) { return qRound(t * a + u * (1.0 - a)); };
    return QColor(mix(top.red(), under.red()), mix(top.green(), under.green()),
                  mix(top.blue(), under.blue()));
}

inline bool near(const QColor &a, const QColor &b, int tolerance = 4)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

inline QString describe(const QColor &c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

}  // namespace pixels
