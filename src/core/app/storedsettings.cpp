#include "core/app/storedsettings.h"

#include "core/app/language.h"

#include <QSettings>
#include <QStringList>

namespace veltrix {

namespace {

const char *const Organisation = "LaserSensor";
const char *const Application = "Parameters";

const char *const LanguageKey = "Language";
const char *const LanguageNameKey = "LanguageName";
const char *const GeometryKey = "geometry";
const char *const WindowStateKey = "windowState";
const char *const SplitterKey = "splitterSizes";
const char *const Splitter2Key = "splitterSizes2";
const char *const DisplayModeKey = "SaveDispMpde";
const char *const ConfirmWriteAllKey = "ConfirmWriteAll";
const char *const FileFolderKey = "FileFolder";

constexpr int StoredChinese = 0;
constexpr int StoredEnglish = 1;
constexpr int DisplayModeCount = 3;

SettingsStoreOpener &storeOpener()
{
    static SettingsStoreOpener opener;
    return opener;
}

}  // namespace

QSettings *openSettingsStore()
{
    if (storeOpener())
        return storeOpener()();
    return new QSettings(QString::fromLatin1(Organisation), QString::fromLatin1(Application));
}

void setSettingsStoreOpener(SettingsStoreOpener opener)
{
    storeOpener() = std::move(opener);
}

StoredSettings ReadStoredSettings(QSettings &store, const QStringList &languages)
{
    StoredSettings settings;
    settings.language = QString::fromLatin1(LanguageSwitch::SourceLanguage);
    if (store.value(QLatin1String(LanguageKey)).toInt() == StoredEnglish) {
        settings.language = QString::fromLatin1(LanguageSwitch::English);
    } else {
        const QString name = store.value(QLatin1String(LanguageNameKey)).toString();
        if (languages.contains(name))
            settings.language = name;
    }
    settings.geometry = store.value(QLatin1String(GeometryKey)).toByteArray();
    settings.windowState = store.value(QLatin1String(WindowStateKey)).toByteArray();
    settings.splitterSizes = store.value(QLatin1String(SplitterKey)).toByteArray();
    settings.splitterSizes2 = store.value(QLatin1String(Splitter2Key)).toByteArray();
    const int mode = store.value(QLatin1String(DisplayModeKey)).toInt();
    settings.displayMode = mode >= 0 && mode < DisplayModeCount ? mode : 0;
    settings.confirmWriteAll = store.value(QLatin1String(ConfirmWriteAllKey), true).toBool();
    settings.fileFolder = store.value(QLatin1String(FileFolderKey)).toString();
    return settings;
}

void WriteStoredSettings(QSettings &store, const StoredSettings &settings)
{
    const bool english = settings.language == QLatin1String(LanguageSwitch::English);
    store.setValue(QLatin1String(LanguageKey), english ? StoredEnglish : StoredChinese);
    const bool other = !english && settings.language != QLatin1String(LanguageSwitch::SourceLanguage);
    if (other)
        store.setValue(QLatin1String(LanguageNameKey), settings.language);
    else
        store.remove(QLatin1String(LanguageNameKey));
    store.setValue(QLatin1String(GeometryKey), settings.geometry);
    store.setValue(QLatin1String(WindowStateKey), settings.windowState);
    store.setValue(QLatin1String(SplitterKey), settings.splitterSizes);
    store.setValue(QLatin1String(Splitter2Key), settings.splitterSizes2);
    const bool known = settings.displayMode >= 0 && settings.displayMode < DisplayModeCount;
    store.setValue(QLatin1String(DisplayModeKey), known ? settings.displayMode : 0);
    store.setValue(QLatin1String(ConfirmWriteAllKey), settings.confirmWriteAll);
    store.setValue(QLatin1String(FileFolderKey), settings.fileFolder);
}

}  // namespace veltrix
