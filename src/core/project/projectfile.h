#pragma once

#include "core/areas/arearecord.h"
#include "core/link/sensorparameters.h"

#include <QString>
#include <QVector>

class QDate;
class QIODevice;

namespace veltrix {

// Values in the settings section of a project file: the bound fields of the sensor
// settings dock, in dock order (SensorSettingFields).
constexpr int ProjectSettingCount = 24;

// Everything a project file holds: the scanner model, the sensor settings and the 64
// areas.
struct ProjectContents
{
    int modelIndex = 0;       // 0..4 = 05, 10, 20, 30, 50
    QVector<int> settings;    // ProjectSettingCount values
    QVector<AreaRecord> areas;
};

// Per model 0..4; an index outside gives an empty string.
QString ProjectExtension(int modelIndex);  // ".KT05"
QString ProjectFilter(int modelIndex);     // "(*.KT05)", for the file dialogs
QString ProjectHeader(int modelIndex);     // "VRQ_LASER_05", the first line of the file

// The model whose first line this is, or -1.
int ModelOfProjectHeader(const QString &line);

// fileName with the model's extension appended, unless its last five characters are
// exactly that extension (so "plant.kt20" becomes "plant.kt20.KT20").
QString WithProjectExtension(const QString &fileName, int modelIndex);

// Writes the whole project, one value per line: the model's first line, the settings
// section, all 64 areas and the closing information block with savedOn. Lines end as
// the device's text mode makes them. Returns false with a reason in *error (if given)
// when the device refuses the bytes.
bool WriteProject(QIODevice &device, const ProjectContents &contents, const QDate &savedOn,
                  QString *error = nullptr);

// Reads a project file over `contents`: the model and the 24 settings are replaced, the
// areas the file names are replaced (a shape number out of range keeps the area's
// shape), the others stay. `expectedModel` -1 takes a file of any model, 0..4 only a
// file of that model. Lines may end in LF or CR LF; a value that is not a number reads
// as 0. Nothing is changed unless the whole file reads up to its "CoordTableDataEnd"
// line: a wrong first line, a file cut anywhere before that line or an area number
// outside 0..63 returns false, with a reason naming the line in *error (if given).
bool ReadProject(QIODevice &device, int expectedModel, ProjectContents &contents,
                 QString *error = nullptr);

// The settings section of a parameter block: each field's value as the dock's field
// holds it (settingValueInRange), so a number beyond its field's range is written at
// the range's end.
QVector<int> ProjectSettingsOf(const SensorParameters &parameters);
// `base` with the settings section read into it: each value brought into its field
// (settingValueInRange), a missing value taken as 0; words the section does not hold
// (22..25) stay as in `base`.
SensorParameters ParametersFromProjectSettings(const QVector<int> &settings,
                                               SensorParameters base);

// The areas of a new project made from `areas`: every point list empty, delays,
// hysteresis, detection size and the three shapes 0; the steering and speed ranges and
// the channel group stay as they are.
QVector<AreaRecord> AreasForNewProject(QVector<AreaRecord> areas);

}  // namespace veltrix
