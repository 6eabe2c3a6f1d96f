// The main window's remembered settings and its language.
#include "gui/app/mainwindow.h"

#include "gui/app/appsettingsdialog.h"
#include "gui/app/statusdisplay.h"
#include "gui/project/projectfiles.h"
#include "core/app/storedsettings.h"
#include "gui/areas/editiondock.h"
#include "gui/link/datatabledock.h"
#include "gui/link/sensorsettingdock.h"
#include "ui_mainwindow.h"

#include <QDockWidget>
#include <QEvent>
#include <QResizeEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QSettings>
#include <QSplitter>
#include <QTimer>

namespace veltrix {

// Every language with a translation file beyond the two of the form gets its own entry,
// named in that language.
void MainWindow::addTranslatedLanguages()
{
    const QStringList languages = LanguageSwitch::availableLanguages();
    for (const QString &language : languages) {
        if (language == QLatin1String(LanguageSwitch::SourceLanguage)
            || language == QLatin1String(LanguageSwitch::English))
            continue;
        QAction *action = ui->menuLanguage->addAction(QLocale(language).nativeLanguageName());
        action->setObjectName(QStringLiteral("Language_") + language);
        connect(action, &QAction::triggered, this,
                [this, language] { m_languageSwitch.setLanguage(language); });
    }
}

void MainWindow::LoadSettings()
{
    const std::unique_ptr<QSettings> store(openSettingsStore());
    const StoredSettings stored = ReadStoredSettings(*store, LanguageSwitch::availableLanguages());
    // Data that cannot be read restores nothing and leaves the built layout; a window
    // saved on a screen that is gone is brought back onto one by the toolkit.
    if (!stored.geometry.isEmpty())
        restoreGeometry(stored.geometry);
    if (!stored.windowState.isEmpty())
        restoreState(stored.windowState, 0);
    QSplitter *areaSplitter = m_editionDock->areaSplitter();
    QSplitter *fieldSplitter = m_editionDock->fieldSplitter();
    if (!stored.splitterSizes.isEmpty())
        areaSplitter->restoreState(stored.splitterSizes);
    if (!stored.splitterSizes2.isEmpty())
        fieldSplitter->restoreState(stored.splitterSizes2);
    for (QSplitter *splitter : {fieldSplitter, areaSplitter}) {
        splitter->setChildrenCollapsible(false);
        for (int pane = 0; pane < splitter->count(); ++pane)
            splitter->setCollapsible(pane, false);
    }

    if (stored.language == QLatin1String(LanguageSwitch::English))
        LanguageToEnglish();
    else if (stored.language == QLatin1String(LanguageSwitch::SourceLanguage))
        LanguageToChinese();
    else
        m_languageSwitch.setLanguage(stored.language);

    m_confirmWriteAll = stored.confirmWriteAll;
    m_projectFiles->setStartFolder(stored.fileFolder);

    if (stored.displayMode == DisplayCloud)
        OpenDispCloudSlot();
    else if (stored.displayMode == DisplayLine)
        OpenDispLineSlot();
    else
        OpenDispGraphSlot();

    // Whatever the restored state hid, the three working docks are there at start.
    const QList<QDockWidget *> workingDocks = {m_editionDock.get(), m_dataTableDock.get(),
                                               m_sensorDock.get()};
    for (QDockWidget *dock : workingDocks) {
        if (dock->isFloating() && !QGuiApplication::screenAt(dock->geometry().center()))
            dock->setFloating(false);
        dock->show();
    }
    ui->Edition->setChecked(true);
    ui->DataTable->setChecked(true);
    ui->SensorSetting->setChecked(true);
    monitoring = 0;
}

void MainWindow::SaveSettings()
{
    StoredSettings stored;
    stored.language = m_languageSwitch.language();
    stored.geometry = saveGeometry();
    stored.windowState = saveState(0);
    stored.splitterSizes = m_editionDock->areaSplitter()->saveState();
    stored.splitterSizes2 = m_editionDock->fieldSplitter()->saveState();
    stored.displayMode = m_display.DisplayMode;
    stored.confirmWriteAll = m_confirmWriteAll;
    stored.fileFolder = m_projectFiles->startFolder();
    const std::unique_ptr<QSettings> store(openSettingsStore());
    WriteStoredSettings(*store, stored);
}

void MainWindow::OpenAppSettings()
{
    if (!m_appSettings) {
        m_appSettings = std::make_unique<AppSettingsDialog>(this);
        connect(m_appSettings.get(), &QDialog::accepted, this,
                [this] { applyPreferences(m_appSettings->preferences()); });
    }
    AppPreferences current;
    current.language = m_languageSwitch.language();
    current.confirmWriteAll = m_confirmWriteAll;
    current.fileFolder = m_projectFiles->startFolder();
    m_appSettings->setPreferences(current);
    m_appSettings->show();
}

void MainWindow::applyPreferences(const AppPreferences &preferences)
{
    m_confirmWriteAll = preferences.confirmWriteAll;
    m_projectFiles->setStartFolder(preferences.fileFolder);
    if (preferences.language != m_languageSwitch.language())
        m_languageSwitch.setLanguage(preferences.language);
    // Kept at once, not only when the window closes.
    SaveSettings();
}

void MainWindow::LanguageToChinese()
{
    m_languageSwitch.setLanguage(QString::fromLatin1(LanguageSwitch::SourceLanguage));
}

void MainWindow::LanguageToEnglish()
{
    m_languageSwitch.setLanguage(QString::fromLatin1(LanguageSwitch::English));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

// The docks keep their share of the window's width: a larger window gives them more
// room too, not only the view. The first size and a restored layout are left as they
// are; only a change of a window already shown scales them.
void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const int before = event->oldSize().width();
    const int after = event->size().width();
    if (before <= 0 || after == before || !isVisible())
        return;
    QList<QDockWidget *> docks;
    QList<int> widths;
    for (QDockWidget *dock : findChildren<QDockWidget *>()) {
        if (dock->isHidden() || dock->isFloating())
            continue;
        docks << dock;
        widths << qMax(dock->minimumSizeHint().width(), dock->width() * after / before);
    }
    resizeDocks(docks, widths, Qt::Horizontal);
}

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    updateWindowTitle();
    statusDisplay->Retranslate();
    // Once every dock has its new texts: they may need other widths.
    QTimer::singleShot(0, this, &MainWindow::fitDocks);
}

}  // namespace veltrix
