#pragma once

#include "core/areas/areamodel.h"

// Changes area `index` of the document through its API, the way a read-all or an
// opened file does: no undo step, the modified flag left alone.
template<typename Change>
void changeArea(veltrix::AreaModel &model, int index, Change change)
{
    veltrix::AreaRecord area = model.area(index);
    change(area);
    model.replaceArea(index, area);
}
