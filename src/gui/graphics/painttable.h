#pragma once

#include <QWidget>

namespace veltrix {

class AreaModel;

// Thumbnail of one area: its three fields drawn together over a dotted cross at
// the scanner, scaled so that the farthest point lies 50 pixels from the centre.
class PAINT_TABLE : public QWidget
{
    Q_OBJECT

public:
    PAINT_TABLE(int areaIndex, const AreaModel *areaModel, QWidget *parent = nullptr);

    int AreaIndex() const { return areaIndex; }

    // The range square of the scanner model, which a straight field is cut to.
    void SetRange(double width, double height);
    double RangeWidth() const { return rangeWidth; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int areaIndex;
    const AreaModel *areaModel;  // not owned
    double rangeWidth;
    double rangeHeight;
};

}  // namespace veltrix
