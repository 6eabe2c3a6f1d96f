#pragma once

#include "core/link/configurationdiff.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>

namespace veltrix::cli {

class Output;
class ScannerJob;

// How long a discovery search listens before bare addresses are connected: a scanner
// on the local network answers within it.
constexpr int DiscoveryWaitMs = 1000;

// Runs every job at once, each on its own link, and returns when all have ended.
// Bare addresses first learn their Ethernet mode from one discovery search. Progress
// is drawn live on a terminal, as plain lines otherwise, and not at all for JSON.
void runJobs(const QList<ScannerJob *> &jobs, const Output &out);

// The worst exit code of the jobs: a link failure before differences before done.
int combinedExitCode(const QList<ScannerJob *> &jobs);

// A table of every job's result, the differences found, and one line on standard
// error for each job that did not succeed.
void printSummary(const QList<ScannerJob *> &jobs, const Output &out);

QJsonObject jobJson(const ScannerJob &job);
// Each difference with its place and both values; the values are keyed as the two
// sides are called (the document and the scanner, or a diff's two files).
QJsonArray differencesJson(const QVector<ConfigurationDifference> &differences,
                           const QString &firstSide = QStringLiteral("document"),
                           const QString &secondSide = QStringLiteral("scanner"));

}  // namespace veltrix::cli
