// Fuzz target: the project file reader. Any bytes may be opened as a project file,
// both as Open file does (into the document of one model, accepting only that model's
// files) and as Open project does (any model). What must hold:
// - a file the reader refuses leaves the document exactly as it was and says why;
// - the two ways agree: a file of the document's model is taken by both, with the same
//   result, a file of another model only by Open project;
// - a file it accepts, saved by the writer and read again into another document, gives
//   the same document (model, settings, all 64 areas), and saving that again gives the
//   same bytes;
// - that saved file cut anywhere before its "CoordTableDataEnd" line is refused.
//
// Input: the file itself, read through a buffer in text mode as the program reads it.

#include "fuzzinput.h"
#include "randomareas.h"

#include "core/link/sensorparameters.h"
#include "core/link/sensorsettingfields.h"
#include "core/project/devicemodels.h"
#include "core/project/projectfile.h"

#include <QBuffer>
#include <QDate>

using namespace veltrix;

namespace {

const QDate SavedOn(2026, 3, 9);
constexpr int AnyModel = -1;
const QByteArray AreasEndLine = "\nCoordTableDataEnd\n";

// The document that files are opened into: model 10, settings and areas that no file
// of the corpus holds, so that whatever a read changed or kept shows.
const ProjectContents &scratchDocument()
{
    static const ProjectContents document = [] {
        ProjectContents doc;
        doc.modelIndex = 1;
        for (int index = 0; index < ProjectSettingCount; ++index)
            doc.settings << 1000 + index;
        QRandomGenerator random(51);
        for (int number = 0; number < AreaCount; ++number)
            doc.areas << randomareas::area(random, 12000);
        return doc;
    }();
    return document;
}

bool sameDocument(const ProjectContents &a, const ProjectContents &b)
{
    return a.modelIndex == b.modelIndex && a.settings == b.settings && a.areas == b.areas;
}

struct ReadResult
{
    bool accepted = false;
    QString error;
    ProjectContents document;
};

// Opens bytes over document as the program opens a file: read-only, in text mode.
ReadResult readProject(const QByteArray &bytes, int expectedModel, const ProjectContents &document)
{
    ReadResult result;
    result.document = document;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    result.accepted = ReadProject(buffer, expectedModel, result.document, &result.error);
    if (!result.accepted) {
        FUZZ_CHECK(!result.error.isEmpty());
        FUZZ_CHECK(sameDocument(result.document, document));
    }
    return result;
}

QByteArray writeProject(const ProjectContents &document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    FUZZ_CHECK(WriteProject(buffer, document, SavedOn, &error));
    return buffer.data();
}

// A read document is whole: 64 areas, 24 settings, a model of the family.
void checkWhole(const ProjectContents &document)
{
    FUZZ_CHECK(document.modelIndex >= 0 && document.modelIndex < DeviceModelCount);
    FUZZ_CHECK(document.settings.size() == ProjectSettingCount);
    FUZZ_CHECK(document.areas.size() == AreaCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureCoreApplication();
    const QByteArray file(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const ProjectContents &scratch = scratchDocument();

    const ReadResult own = readProject(file, scratch.modelIndex, scratch);
    const ReadResult any = readProject(file, AnyModel, scratch);
    FUZZ_CHECK(own.accepted == (any.accepted && any.document.modelIndex == scratch.modelIndex));
    if (own.accepted)
        FUZZ_CHECK(sameDocument(own.document, any.document));
    if (!any.accepted)
        return 0;
    checkWhole(any.document);

    // Saved and opened again, into a document that shares nothing with the first.
    const QByteArray saved = writeProject(any.document);
    ProjectContents blank;
    blank.modelIndex = (any.document.modelIndex + 1) % DeviceModelCount;
    const ReadResult reread = readProject(saved, AnyModel, blank);
    FUZZ_CHECK(reread.accepted);
    FUZZ_CHECK(sameDocument(reread.document, any.document));
    FUZZ_CHECK(writeProject(reread.document) == saved);

    // A file of another model is refused by Open file of the document's model.
    const ReadResult otherModel = readProject(saved, blank.modelIndex, scratch);
    FUZZ_CHECK(!otherModel.accepted);

    // Cut short, at a place the input chooses: refused, nothing applied.
    const int end = static_cast<int>(saved.indexOf(AreasEndLine));
    FUZZ_CHECK(end > 0);
    const int beforeWholeEndLine = end + static_cast<int>(AreasEndLine.size()) - 1;
    const int cut = static_cast<int>(qHash(file) % static_cast<uint>(beforeWholeEndLine));
    FUZZ_CHECK(!readProject(saved.left(cut), AnyModel, scratch).accepted);
    return 0;
}

namespace {

QByteArray crlf(QByteArray bytes)
{
    return bytes.replace("\n", "\r\n");
}

}  // namespace

QList<FuzzSeed> fuzzSeeds()
{
    // As a new project starts: blank fields, the scanner's default settings.
    ProjectContents fresh;
    const SensorParameters defaults;
    for (int field = 0; field < ProjectSettingCount; ++field)
        fresh.settings << static_cast<int>(settingFieldValue(defaults, field));
    fresh.areas = AreasForNewProject(QVector<AreaRecord>(AreaCount));

    // Every shape in each field that may have it, on negative coordinates, in a few
    // areas; the rest stay blank so that the file stays small.
    ProjectContents shapes = fresh;
    shapes.modelIndex = 2;
    for (int number = 0; number < 6; ++number) {
        AreaRecord &area = shapes.areas[number];
        area.openDelay = number;
        area.steerMinDgree = -90 + number;
        area.vehicleMinSpeed = -300;
        area.out1Shape = number % 3;
        area.out2Shape = number;
        area.out3Shape = 5 - number;
        area.out1Points = {{-1200, 350}, {1200, -350}, {-5, -2147483647 - 1}};
        area.out2Points = {{0, -number * 100}};
        area.out3Points = {{-number, 0}};
    }

    // One area with three long point lists, as the tables let them grow.
    ProjectContents longLists = fresh;
    longLists.modelIndex = 4;
    for (int field = 0; field < FieldCount; ++field) {
        for (int i = 0; i < 100; ++i)
            longLists.areas[63].points(field) << QPoint(i * 10 - 500, 60000 - i * field);
    }

    const QByteArray shapesFile = writeProject(shapes);
    const int areaSix = static_cast<int>(shapesFile.indexOf("\n6\n"));
    return {
        {"fresh_05", writeProject(fresh)},
        {"all_shapes_negative_20", shapesFile},
        {"long_lists_50", writeProject(longLists)},
        {"crlf_line_ends_20", crlf(shapesFile)},
        {"cut_in_area_section_20", shapesFile.left(areaSix + 20)},
    };
}
