#include "gui/link/configurationchecks.h"

#include "core/link/configurationchecksum.h"
#include "core/link/configurationtravel.h"
#include "core/link/serialcomm.h"
#include "core/project/project.h"
#include "gui/app/connectioncontrol.h"
#include "gui/areas/areatable.h"
#include "gui/link/differencesdialog.h"
#include "gui/project/projectfiles.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace veltrix {

namespace {

const char *const NoChecksum = "—";
const char *const TimeFormat = "HH:mm:ss";

}  // namespace

ConfigurationChecks::ConfigurationChecks(Project *project, SERIAL_COMM *link,
                                         ConnectionControl *connection, ProjectFiles *files,
                                         const ConfigurationCheckWidgets &widgets, QObject *parent)
    : QObject(parent),
      m_project(project),
      m_widgets(widgets),
      m_dialog(std::make_unique<DifferencesDialog>(&project->areas(), widgets.window)),
      m_label(new QLabel)
{
    m_label->setObjectName(QStringLiteral("ChecksumLabel"));
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label->hide();
    m_widgets.statusBar->addPermanentWidget(m_label);
    // Like reading and writing, a verification needs a connection.
    m_widgets.verify->setEnabled(connection->isConnected());
    connect(connection, &ConnectionControl::opened, m_widgets.verify, [this] { m_widgets.verify->setEnabled(true); });
    connect(connection, &ConnectionControl::closed, m_widgets.verify, [this] { m_widgets.verify->setEnabled(false); });
    connect(m_widgets.verify, &QAction::triggered, link, &SERIAL_COMM::VerifySensorAllDataSlots);
    connect(link, &SERIAL_COMM::TransactionFinished, this, &ConfigurationChecks::transactionFinished);

    connect(files, &ProjectFiles::opened, this,
            [this](const QString &fileName) { show(m_project->configuration(), Source::Document, fileName); });
    connect(files, &ProjectFiles::saved, this,
            [this](const QString &fileName) { show(m_project->configuration(), Source::Document, fileName); });

    m_widgets.areaTable->SetConfigurationSource([this] { return m_project->configuration(); });
    m_label->installEventFilter(this);
}

ConfigurationChecks::~ConfigurationChecks() = default;

void ConfigurationChecks::transactionFinished(const TransactionResult &result)
{
    switch (result.kind) {
    case TransactionKind::ReadAll:
        if (result.isComplete())
            show(result.configuration, Source::Scanner);
        return;
    case TransactionKind::WriteAll:
    case TransactionKind::Verify:
        // Whatever was read back is what the scanner holds, identical or not; a write
        // that was not read back (refused, cut off) shows nothing new.
        if (result.verified)
            show(result.configuration, Source::Scanner);
        if (result.outcome == TransactionOutcome::Differs)
            m_dialog->showDifferences(result.differences, result.kind == TransactionKind::WriteAll);
        return;
    default:
        return;
    }
}

void ConfigurationChecks::show(const ScannerConfiguration &configuration, Source source,
                               const QString &fileName)
{
    m_source = source;
    m_fileName = fileName;
    m_shownAt = QDateTime::currentDateTime();
    m_checksum = configurationChecksum(configuration);
    const std::optional<FieldLocation> stuck = fieldThatCannotTravel(configuration);
    m_stuckArea = stuck ? stuck->area : -1;
    m_stuckField = stuck ? stuck->field : -1;
    updateTexts();
    m_label->show();
}

void ConfigurationChecks::updateTexts()
{
    if (m_source == Source::None)
        return;
    m_label->setText(tr("校验和 %1").arg(m_checksum ? checksumText(*m_checksum) : QString::fromUtf8(NoChecksum)));
    const QString time = m_shownAt.toString(QString::fromLatin1(TimeFormat));
    QString tip = m_source == Source::Scanner
        ? tr("传感器中配置的校验和（%1 读取）").arg(time)
        : tr("文档“%1”的配置校验和（%2）").arg(QFileInfo(m_fileName).fileName(), time);
    if (!m_checksum)
        tip += QLatin1Char('\n') + tr("区域%1 的 Out%2 无法传输，没有校验和。").arg(m_stuckArea).arg(m_stuckField + 1);
    m_label->setToolTip(tip);
}

bool ConfigurationChecks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label && event->type() == QEvent::LanguageChange)
        updateTexts();
    return QObject::eventFilter(watched, event);
}

}  // namespace veltrix
