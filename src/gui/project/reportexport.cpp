#include "gui/project/reportexport.h"

#include "core/app/usermessage.h"
#include "core/project/project.h"
#include "core/report/configurationreport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace veltrix {

namespace {

const char *const PdfSuffix = "pdf";

enum ReplaceChoice { ReplaceFile = 0, KeepFile = 1 };

// The project file's name with the report's extension, beside it.
QString proposedName(const QString &projectFile)
{
    if (projectFile.isEmpty())
        return QString();
    const QFileInfo project(projectFile);
    return project.dir().filePath(project.completeBaseName() + QLatin1Char('.') + QLatin1String(PdfSuffix));
}

}  // namespace

ReportExport::ReportExport(Project *project, Messenger *messenger, FileChooser chooser,
                           QWidget *dialogParent, QObject *parent)
    : QObject(parent),
      m_project(project),
      m_messenger(messenger),
      m_chooser(std::move(chooser)),
      m_progress(std::make_unique<QProgressDialog>(dialogParent))
{
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    // A new progress dialog would show itself after its minimum duration.
    m_progress->reset();
    m_progress->hide();
}

ReportExport::~ReportExport() = default;

bool ReportExport::exportReport()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Save;
    request.caption = tr("导出报告");
    request.directory = proposedName(m_project->fileName());
    request.filter = tr("PDF文件 (*.pdf)");
    const QString chosen = m_chooser ? m_chooser(request) : QString();
    if (chosen.isEmpty())
        return false;
    QString fileName = chosen;
    if (QFileInfo(chosen).suffix().compare(QLatin1String(PdfSuffix), Qt::CaseInsensitive) != 0)
        fileName += QLatin1Char('.') + QLatin1String(PdfSuffix);
    // The dialog asked about replacing the name it was given, not the one with the
    // extension added.
    if (fileName != chosen && QFileInfo::exists(fileName) && !confirmReplacing(fileName))
        return false;

    m_progress->setWindowTitle(tr("导出报告"));
    m_progress->setLabelText(QDir::toNativeSeparators(fileName));
    m_progress->setCancelButtonText(tr("取消"));
    m_progress->setRange(0, AreaCount);
    m_progress->setValue(0);
    m_progress->show();
    const ReportResult result = ConfigurationReport::write(
        ReportDocument::of(*m_project, QDateTime::currentDateTime()), fileName, [this](int done, int) {
            m_progress->setValue(done);
            return !m_progress->wasCanceled();
        });
    m_progress->hide();
    m_progress->reset();
    if (result.outcome == ReportOutcome::Failed)
        m_messenger->show(MessageIcon::Critical, tr("错误"), result.error);
    return result.written();
}

bool ReportExport::confirmReplacing(const QString &fileName)
{
    UserMessage message;
    message.icon = MessageIcon::Question;
    message.title = tr("导出报告");
    message.text = tr("“%1”已存在。\n要替换它吗？").arg(QDir::toNativeSeparators(fileName));
    message.buttons = QStringList{tr("替换"), tr("取消")};
    message.defaultButton = KeepFile;
    message.escapeButton = KeepFile;
    return m_messenger->show(message) == ReplaceFile;
}

}  // namespace veltrix
