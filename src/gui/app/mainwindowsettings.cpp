// The main window's remembered settings and its language.
#include "gui/app/mainwindow.h"

#include "gui/app/statusdisplay.h"
#include "core/app/storedsettings.h"
#include "gui/areas/editiondock.h"
#include "gui/link/datatabledock.h"
#include "gui/link/sensorsettingdock.h"
#include "ui_mainwindow.h"

#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QSettings>
#include <QSplitter>

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
    const std::unique_ptr<QSettings> store(openSettingsStore());
    WriteStoredSettings(*store, stored);
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

void MainWindow::retranslate()
{
    ui->retranslateUi(this);
    updateWindowTitle();
    statusDisplay->Retranslate();
}

}  // namespace veltrix
