#include "core/graphics/scanpoints.h"

#include <QtMath>

namespace veltrix {

namespace {

// The sample before the first one (k = -1) lies at 135° of the screen, the samples
// follow half a degree apart clockwise; sample 270 of a forward-mounted scanner lies
// straight ahead.
constexpr double SampleStep = 0.5;
constexpr double FirstSampleAngle = 135.5;

}  // namespace

QPoint SerialSampleViewPoint(int index, quint16 value, bool invertedMount)
{
    const int k = invertedMount ? index : index - 1;
    const float angle = static_cast<float>(qDegreesToRadians(k * SampleStep + FirstSampleAngle));
    const float radius = static_cast<float>(value);
    return QPoint(static_cast<int>(radius * qFastCos(angle)), static_cast<int>(radius * qFastSin(angle)));
}

QVector<QPoint> SerialScanAreaPoints(const QVector<quint16> &values, bool invertedMount)
{
    QVector<QPoint> points;
    points.reserve(values.size());
    for (int i = 0; i < values.size(); ++i)
        points.append(AreaFromView(SerialSampleViewPoint(i, values.at(i), invertedMount)));
    return points;
}

QVector<QPoint> CloudAreaPoints(const QVector<qint32> &x, const QVector<qint32> &y, int count)
{
    const int n = qBound(0, count, static_cast<int>(qMin(x.size(), y.size())));
    QVector<QPoint> points;
    points.reserve(n);
    for (int i = 0; i < n; ++i)
        points.append(QPoint(x.at(i), -y.at(i)));
    return points;
}

QVector<QPoint> CloudAreaPoints(const QVector<QPoint> &viewPoints)
{
    QVector<QPoint> points;
    points.reserve(viewPoints.size());
    for (const QPoint &p : viewPoints)
        points.append(AreaFromView(p));
    return points;
}

}  // namespace veltrix
