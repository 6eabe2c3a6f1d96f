#include "gui/app/appsettingsdialog.h"

#include "core/app/language.h"
#include "ui_appsettingsdialog.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QLocale>

namespace veltrix {

namespace {

// Each language named in its own words, as the Language menu names it.
QString languageName(const QString &language)
{
    if (language == QLatin1String(LanguageSwitch::SourceLanguage))
        return QStringLiteral("简体中文");
    if (language == QLatin1String(LanguageSwitch::English))
        return QStringLiteral("English");
    return QLocale(language).nativeLanguageName();
}

}  // namespace

AppSettingsDialog::AppSettingsDialog(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AppSettingsDialog>())
{
    m_ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    fillLanguages();
    connect(m_ui->ButtonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->BrowseButton, &QPushButton::clicked, this, &AppSettingsDialog::browse);
}

AppSettingsDialog::~AppSettingsDialog() = default;

void AppSettingsDialog::fillLanguages()
{
    const QStringList languages = LanguageSwitch::availableLanguages();
    for (const QString &language : languages)
        m_ui->LanguageBox->addItem(languageName(language), language);
}

void AppSettingsDialog::setPreferences(const AppPreferences &preferences)
{
    const int language = m_ui->LanguageBox->findData(preferences.language);
    m_ui->LanguageBox->setCurrentIndex(qMax(0, language));
    m_ui->ConfirmWriteAllBox->setChecked(preferences.confirmWriteAll);
    m_ui->FolderEdit->setText(QDir::toNativeSeparators(preferences.fileFolder));
}

AppPreferences AppSettingsDialog::preferences() const
{
    AppPreferences preferences;
    preferences.language = m_ui->LanguageBox->currentData().toString();
    preferences.confirmWriteAll = m_ui->ConfirmWriteAllBox->isChecked();
    const QString folder = m_ui->FolderEdit->text().trimmed();
    preferences.fileFolder = folder.isEmpty() ? QString() : QDir::fromNativeSeparators(folder);
    return preferences;
}

void AppSettingsDialog::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(this, m_ui->label_Folder->text(),
                                                             m_ui->FolderEdit->text());
    if (!folder.isEmpty())
        m_ui->FolderEdit->setText(QDir::toNativeSeparators(folder));
}

void AppSettingsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

}  // namespace veltrix
