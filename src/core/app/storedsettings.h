#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QSettings;

namespace veltrix {

// What the program remembers between runs, as read from or written to the per-user
// settings store (organisation "LaserSensor", application "Parameters").
struct StoredSettings
{
    // Locale name of the language shown (see LanguageSwitch). The store keeps
    // "Language" 1 for English and 0 for anything else; another translated language is
    // kept by name beside it.
    QString language;
    QByteArray geometry;
    QByteArray windowState;
    QByteArray splitterSizes;   // the edition dock's area list beside the rest
    QByteArray splitterSizes2;  // its parameter tabs above the Out tabs
    int displayMode = 0;        // 0 graph, 1 cloud, 2 line; anything else reads as 0
    // App Settings: whether a write-all asks first, and the folder file dialogs start in
    // (empty: the current folder).
    bool confirmWriteAll = true;
    QString fileFolder;
};

// Opens the store the program uses; the caller owns it.
QSettings *openSettingsStore();

// Replaces the store openSettingsStore() opens, for the whole process (tests keep their
// own so that they never read or write the user's). An empty opener restores the
// user's store.
using SettingsStoreOpener = std::function<QSettings *()>;
void setSettingsStoreOpener(SettingsStoreOpener opener);

// A missing or unknown value reads as its default: Chinese, graph, empty layouts, the
// write-all confirmation on, no folder.
// `languages` lists the languages the program can show.
StoredSettings ReadStoredSettings(QSettings &store, const QStringList &languages);
void WriteStoredSettings(QSettings &store, const StoredSettings &settings);

}  // namespace veltrix
