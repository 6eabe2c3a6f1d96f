#include "core/app/manual.h"

#include "core/app/language.h"

#include <QDir>
#include <QFileInfo>

namespace veltrix {

namespace {

const char *const ChineseManual = "manual_cn.pdf";
const char *const EnglishManual = "manual_en.pdf";
// Relative to the folder of the installed program.
const char *const InstalledFolder = "../share/veltrix/manual";
const char *const BuildFolder = "manual";

}  // namespace

QString ManualFileName(const QString &language)
{
    return QString::fromLatin1(language == QLatin1String(LanguageSwitch::SourceLanguage)
                                   ? ChineseManual
                                   : EnglishManual);
}

QStringList ManualFolders(const QString &programFolder)
{
    const QDir program(programFolder);
    return {QDir::cleanPath(program.absoluteFilePath(QString::fromLatin1(InstalledFolder))),
            QDir::cleanPath(program.absoluteFilePath(QString::fromLatin1(BuildFolder))),
            QDir::cleanPath(QDir::current().absoluteFilePath(QString::fromLatin1(BuildFolder)))};
}

QString FindManual(const QString &language, const QStringList &folders)
{
    const QString name = ManualFileName(language);
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder).absoluteFilePath(name));
        if (file.isFile() && file.isReadable())
            return file.absoluteFilePath();
    }
    return QString();
}

}  // namespace veltrix
