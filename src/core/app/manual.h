#pragma once

#include <QString>
#include <QStringList>

namespace veltrix {

// The user manual: one PDF per language, manual_cn.pdf (Simplified Chinese) and
// manual_en.pdf (English; also for a language without a manual of its own), built with
// the program.
QString ManualFileName(const QString &language);

// Where the manual is looked for, first to last, for a program in programFolder: as
// installed (<prefix>/share/veltrix/manual beside <prefix>/bin), in the build tree
// (a manual folder beside the program), and in the manual folder of the current folder.
QStringList ManualFolders(const QString &programFolder);

// The first of the folders that holds the manual of language, as an absolute path;
// empty when none does.
QString FindManual(const QString &language, const QStringList &folders);

}  // namespace veltrix
