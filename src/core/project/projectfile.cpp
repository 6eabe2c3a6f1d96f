#include "core/project/projectfile.h"

#include "core/areas/areamodel.h"
#include "core/link/sensorsettingfields.h"
#include "core/project/devicemodels.h"

#include <QCoreApplication>
#include <QDate>
#include <QIODevice>
#include <QTextStream>

namespace veltrix {

namespace {

const char *const HeaderPrefix = "VRQ_LASER_";
const char *const ExtensionPrefix = ".KT";

const char *const SettingsMarker = "SensorSetting";
const char *const AreasMarker = "CoordTableData";
const char *const AreasEndMarker = "CoordTableDataEnd";
const char *const InformationMarker = "VRQ_LASER_ZD_INFORMATION";
const char *const SoftwareVersionLine = "SOFTWARE VERSION 1.3.6";
const char *const DateFormat = "yyyy-MM-dd";

// Start and end markers of the three point lists, Out1..Out3.
const char *const PointListStart[FieldCount] = {"Out1CoordStr", "Out2CoordStr", "Out3CoordStr"};
const char *const PointListEnd[FieldCount] = {"Out1CoordEnd", "Out2CoordEnd", "Out3CoordEnd"};

// Of the twelve area numbers, the first nine are taken as read; the last three are the
// shapes of Out1..Out3, checked before they are stored.
constexpr int PlainAreaNumbers = 9;
constexpr int LastOut1Shape = Rectangle;
constexpr int LastDependentShape = Ratio;

static_assert(ProjectSettingCount == BoundSettingCount,
              "the settings section holds the bound fields of the sensor dock");

// A whole line as a number; anything else reads as 0.
qint32 lineValue(QStringView line)
{
    return line.toInt();
}

// "x,y": the numbers before the first comma and between the first and second comma;
// a missing or non-numeric part is 0.
QPoint pointFromLine(const QString &line)
{
    const int firstComma = line.indexOf(QLatin1Char(','));
    if (firstComma < 0)
        return QPoint(lineValue(line), 0);
    const int secondComma = line.indexOf(QLatin1Char(','), firstComma + 1);
    const int yLength = secondComma < 0 ? -1 : secondComma - firstComma - 1;
    return QPoint(lineValue(QStringView(line).left(firstComma)),
                  lineValue(QStringView(line).mid(firstComma + 1, yLength)));
}

bool shapeAccepted(int field, qint32 shape)
{
    return shape >= Polygon && shape <= (field == 0 ? LastOut1Shape : LastDependentShape);
}

// Reads the file line by line and keeps count, so that an error can say where it is.
class LineReader
{
public:
    explicit LineReader(QIODevice &device) : m_stream(&device) {}

    // The next line without its line end, or false at the end of the file.
    bool next(QString &line)
    {
        if (!m_stream.readLineInto(&line))
            return false;
        ++m_lineNumber;
        return true;
    }

    // Skips lines up to and including the one equal to marker; false if the file ends
    // first.
    bool skipTo(const char *marker)
    {
        QString line;
        while (next(line)) {
            if (line == QLatin1String(marker))
                return true;
        }
        return false;
    }

    int lineNumber() const { return m_lineNumber; }

    QString endedBefore(const char *marker) const
    {
        return QCoreApplication::translate("veltrix::ProjectFile",
                                           "文件在第 %1 行结束，缺少“%2”。")
            .arg(m_lineNumber)
            .arg(QLatin1String(marker));
    }

private:
    QTextStream m_stream;
    int m_lineNumber = 0;
};

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

bool readHeader(LineReader &reader, int expectedModel, int &model, QString *error)
{
    QString line;
    reader.next(line);
    model = ModelOfProjectHeader(line);
    if (expectedModel >= 0 && model != expectedModel) {
        return fail(error, QCoreApplication::translate("veltrix::ProjectFile", "第 1 行应为“%1”。")
                               .arg(ProjectHeader(expectedModel)));
    }
    if (model < 0) {
        return fail(error, QCoreApplication::translate("veltrix::ProjectFile",
                                                       "第 1 行不是任何型号的项目文件的第一行。"));
    }
    return true;
}

bool readSettings(LineReader &reader, QVector<int> &settings, QString *error)
{
    if (!reader.skipTo(SettingsMarker))
        return fail(error, reader.endedBefore(SettingsMarker));
    settings.resize(ProjectSettingCount);
    QString line;
    for (int &value : settings) {
        if (!reader.next(line))
            return fail(error, reader.endedBefore(AreasMarker));
        value = lineValue(line);
    }
    return true;
}

bool readPointList(LineReader &reader, int field, QVector<QPoint> &points, QString *error)
{
    if (!reader.skipTo(PointListStart[field]))
        return fail(error, reader.endedBefore(PointListStart[field]));
    const QLatin1String end(PointListEnd[field]);
    QString line;
    while (reader.next(line)) {
        if (line == end)
            return true;
        points.append(pointFromLine(line));
    }
    return fail(error, reader.endedBefore(PointListEnd[field]));
}

// One area block after its number line.
bool readArea(LineReader &reader, AreaRecord &area, QString *error)
{
    qint32 numbers[AreaNumberCount];
    QString line;
    for (qint32 &number : numbers) {
        if (!reader.next(line))
            return fail(error, reader.endedBefore(PointListStart[0]));
        number = lineValue(line);
    }
    for (int index = 0; index < PlainAreaNumbers; ++index)
        area.setNumber(index, numbers[index]);
    for (int field = 0; field < FieldCount; ++field) {
        QVector<QPoint> &points = area.points(field);
        points.clear();
        if (!readPointList(reader, field, points, error))
            return false;
    }
    for (int field = 0; field < FieldCount; ++field) {
        const qint32 shape = numbers[PlainAreaNumbers + field];
        if (shapeAccepted(field, shape))
            area.setShape(field, shape);
    }
    return true;
}

bool readAreas(LineReader &reader, QVector<AreaRecord> &areas, QString *error)
{
    if (!reader.skipTo(AreasMarker))
        return fail(error, reader.endedBefore(AreasMarker));
    const QLatin1String end(AreasEndMarker);
    QString line;
    // An area list may end early: the areas it does not name keep their contents.
    while (reader.next(line)) {
        if (line == end)
            return true;
        const int number = lineValue(line);
        if (number < 0 || number >= areas.size()) {
            return fail(error, QCoreApplication::translate("veltrix::ProjectFile",
                                                           "第 %1 行：区域号“%2”不在 0 到 %3 之间。")
                                   .arg(reader.lineNumber())
                                   .arg(line)
                                   .arg(areas.size() - 1));
        }
        if (!readArea(reader, areas[number], error))
            return false;
    }
    return fail(error, reader.endedBefore(AreasEndMarker));
}

void writeArea(QTextStream &out, int number, const AreaRecord &area)
{
    out << number << '\n';
    for (int index = 0; index < AreaNumberCount; ++index)
        out << area.number(index) << '\n';
    for (int field = 0; field < FieldCount; ++field) {
        out << PointListStart[field] << '\n';
        for (const QPoint &point : area.points(field))
            out << point.x() << ',' << point.y() << '\n';
        out << PointListEnd[field] << '\n';
    }
}

}  // namespace

QString ProjectExtension(int modelIndex)
{
    const DeviceModel *model = deviceModel(modelIndex);
    return model ? QLatin1String(ExtensionPrefix) + QLatin1String(model->name) : QString();
}

QString ProjectFilter(int modelIndex)
{
    const QString extension = ProjectExtension(modelIndex);
    return extension.isEmpty() ? QString() : QStringLiteral("(*%1)").arg(extension);
}

QString ProjectHeader(int modelIndex)
{
    const DeviceModel *model = deviceModel(modelIndex);
    return model ? QLatin1String(HeaderPrefix) + QLatin1String(model->name) : QString();
}

int ModelOfProjectHeader(const QString &line)
{
    for (int index = 0; index < DeviceModelCount; ++index) {
        if (line == ProjectHeader(index))
            return index;
    }
    return -1;
}

QString WithProjectExtension(const QString &fileName, int modelIndex)
{
    const QString extension = ProjectExtension(modelIndex);
    return fileName.endsWith(extension, Qt::CaseSensitive) ? fileName : fileName + extension;
}

bool WriteProject(QIODevice &device, const ProjectContents &contents, const QDate &savedOn,
                  QString *error)
{
    QTextStream out(&device);
    out << ProjectHeader(contents.modelIndex) << '\n';

    out << SettingsMarker << '\n';
    for (int index = 0; index < ProjectSettingCount; ++index)
        out << contents.settings.value(index) << '\n';

    out << AreasMarker << '\n';
    for (int number = 0; number < AreaCount; ++number)
        writeArea(out, number, contents.areas.value(number));
    out << AreasEndMarker << '\n';

    out << InformationMarker << '\n'
        << savedOn.toString(QLatin1String(DateFormat)) << '\n'
        << SoftwareVersionLine << '\n';
    out.flush();
    if (out.status() != QTextStream::Ok)
        return fail(error, device.errorString());
    return true;
}

bool ReadProject(QIODevice &device, int expectedModel, ProjectContents &contents, QString *error)
{
    // Read into a copy: a damaged file must leave the document as it was.
    ProjectContents read = contents;
    read.areas.resize(AreaCount);
    LineReader reader(device);
    if (!readHeader(reader, expectedModel, read.modelIndex, error)
        || !readSettings(reader, read.settings, error) || !readAreas(reader, read.areas, error))
        return false;
    contents = std::move(read);
    return true;
}

QVector<int> ProjectSettingsOf(const SensorParameters &parameters)
{
    QVector<int> settings;
    settings.reserve(ProjectSettingCount);
    for (int field = 0; field < ProjectSettingCount; ++field)
        settings.append(int(settingValueInRange(field, settingFieldValue(parameters, field))));
    return settings;
}

SensorParameters ParametersFromProjectSettings(const QVector<int> &settings,
                                               SensorParameters base)
{
    for (int field = 0; field < ProjectSettingCount; ++field) {
        const qint64 value = settingValueInRange(field, settings.value(field, 0));
        storeSettingField(base, field, quint32(value));
    }
    return base;
}

QVector<AreaRecord> AreasForNewProject(QVector<AreaRecord> areas)
{
    for (AreaRecord &area : areas) {
        const AreaRecord kept = area;
        area = AreaRecord();
        area.steerMinDgree = kept.steerMinDgree;
        area.steerMaxDgree = kept.steerMaxDgree;
        area.vehicleMinSpeed = kept.vehicleMinSpeed;
        area.vehicleMaxSpeed = kept.vehicleMaxSpeed;
        area.vehicleOptionMode = kept.vehicleOptionMode;
    }
    return areas;
}

}  // namespace veltrix
