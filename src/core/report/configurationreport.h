#pragma once

#include "core/link/scannerconfiguration.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <functional>

namespace veltrix {

class Project;
class ReportCanvas;

// What a configuration report is made of: the scanner model, its configuration (the
// parameter block and the 64 areas), the project file it belongs to and when it was
// made.
struct ReportDocument
{
    int modelIndex = 0;
    ScannerConfiguration configuration;
    QString projectFile;  // empty: the project was never saved
    QDateTime madeAt;

    static ReportDocument of(const Project &project, const QDateTime &madeAt);
};

enum class ReportOutcome { Written, Cancelled, Failed };

struct ReportResult
{
    ReportOutcome outcome = ReportOutcome::Failed;
    QString error;  // Failed: why, naming the file
    int pages = 0;  // Written: how many

    bool written() const { return outcome == ReportOutcome::Written; }
};

// Called as the report goes through the 64 areas (done of total); returning false
// stops it, and nothing is written.
using ReportProgress = std::function<bool(int done, int total)>;

// A printable record of a configuration for an engineer to check and sign, as a PDF
// in the current language: a cover (model, project file, date and time, configuration
// checksum, program version, lines for the engineer's signature), the sensor settings
// as the settings dock shows them, then the pages of every area that has fields
// (AreaPages). Every page carries the checksum and its number in its footer.
//
// Needs a QGuiApplication (fonts). The file appears only complete: it is written
// beside its final name and put in place at the end, so a failure or a cancel leaves
// whatever was there before.
class ConfigurationReport
{
    Q_DECLARE_TR_FUNCTIONS(veltrix::ConfigurationReport)

public:
    static ReportResult write(const ReportDocument &document, const QString &fileName,
                              const ReportProgress &progress = ReportProgress());

    // Pages of the report: the cover, the settings, and the areas' pages.
    static int pageCount(const ReportDocument &document);

private:
    static void paintCover(const ReportCanvas &canvas, const ReportDocument &document,
                           const QString &checksum);
    static void paintSettings(const ReportCanvas &canvas, const ReportDocument &document);
    static void paintFooter(const ReportCanvas &canvas, const QString &checksum, int page, int pages);
};

}  // namespace veltrix
