#include "gui/project/projectfiles.h"

#include "core/app/usermessage.h"
#include "core/link/serialcomm.h"
#include "core/project/project.h"
#include "core/project/projectfile.h"
#include "core/project/projectstorage.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace veltrix {

namespace {

// Buttons of the questions, left to right.
enum DiscardChoice { DiscardChanges = 0, KeepChanges = 1 };
enum ReplaceChoice { ReplaceFile = 0, KeepFile = 1 };

QString shownName(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

}  // namespace

FileChooser fileDialogChooser(QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    return [owner](const FileDialogRequest &request) {
        if (request.mode == FileDialogRequest::Save) {
            return QFileDialog::getSaveFileName(owner.data(), request.caption, request.directory,
                                                request.filter);
        }
        return QFileDialog::getOpenFileName(owner.data(), request.caption, request.directory,
                                            request.filter);
    };
}

ProjectFiles::ProjectFiles(Project *project, SERIAL_COMM *link, Messenger *messenger,
                           FileChooser chooser, QObject *parent)
    : QObject(parent),
      m_project(project),
      m_link(link),
      m_messenger(messenger),
      m_chooser(std::move(chooser))
{
}

QString ProjectFiles::chooseFile(FileDialogRequest request)
{
    // The reply time-out must not run out while the user picks a file; a request
    // still waiting for its reply afterwards is given its full time again.
    m_link->StopOverTimer();
    if (request.directory.isEmpty())
        request.directory = m_startFolder;
    const QString chosen = m_chooser ? m_chooser(request) : QString();
    m_link->ResumeOverTimer();
    return chosen;
}

bool ProjectFiles::open(int modelIndex)
{
    if (!mayDiscardChanges())
        return false;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Open;
    request.caption = tr("打开配置文件");
    request.filter = modelIndex == AnyProjectModel ? QString() : ProjectFilter(modelIndex);
    const QString fileName = chooseFile(request);
    if (fileName.isEmpty())
        return false;
    return read(fileName, modelIndex);
}

bool ProjectFiles::openProjectFile(const QString &path)
{
    // Absolute, so that a later Save writes where the file came from.
    return read(QFileInfo(path).absoluteFilePath(), AnyProjectModel);
}

bool ProjectFiles::read(const QString &fileName, int modelIndex)
{
    QString error;
    switch (OpenProjectFile(*m_project, fileName, modelIndex, &error)) {
    case ProjectFileStatus::Done:
        emit opened(fileName);
        return true;
    case ProjectFileStatus::NotOpened: {
        UserMessage message;
        message.icon = MessageIcon::Warning;
        message.title = tr("Document");
        message.text = tr("No document") + QLatin1Char('\n') + shownName(fileName)
            + QLatin1Char('\n') + error;
        message.buttons = QStringList{tr("确定"), tr("取消")};
        message.escapeButton = 1;
        m_messenger->show(message);
        return false;
    }
    case ProjectFileStatus::Refused:
        break;
    }
    showError(tr("错误"), tr("文件损坏") + QLatin1Char('\n') + shownName(fileName)
                              + QLatin1Char('\n') + error);
    return false;
}

bool ProjectFiles::save()
{
    if (m_project->fileName().isEmpty())
        return saveAs();
    return write(m_project->fileName());
}

bool ProjectFiles::saveAs()
{
    const int modelIndex = m_project->modelIndex();
    FileDialogRequest request;
    request.mode = FileDialogRequest::Save;
    request.caption = tr("保存配置文件");
    request.directory = m_project->fileName();
    request.filter = ProjectFilter(modelIndex);
    const QString chosen = chooseFile(request);
    if (chosen.isEmpty())
        return false;
    const QString fileName = WithProjectExtension(chosen, modelIndex);
    // The dialog asked about replacing the name it was given, not about the name with
    // the extension added.
    if (fileName != chosen && QFileInfo::exists(fileName) && !confirmReplacing(fileName))
        return false;
    return write(fileName);
}

bool ProjectFiles::write(const QString &fileName)
{
    QString error;
    if (SaveProjectFile(*m_project, fileName, QDate::currentDate(), &error)) {
        emit saved(fileName);
        return true;
    }
    showError(tr("错误"),
              tr("无法保存文件“%1”。").arg(shownName(fileName)) + QLatin1Char('\n') + error);
    return false;
}

bool ProjectFiles::confirmReplacing(const QString &fileName)
{
    UserMessage message;
    message.icon = MessageIcon::Question;
    message.title = tr("保存配置文件");
    message.text = tr("“%1”已存在。\n要替换它吗？").arg(shownName(fileName));
    message.buttons = QStringList{tr("替换"), tr("取消")};
    message.defaultButton = KeepFile;
    message.escapeButton = KeepFile;
    return m_messenger->show(message) == ReplaceFile;
}

bool ProjectFiles::mayDiscardChanges()
{
    if (!m_project->isModified())
        return true;
    UserMessage message;
    message.icon = MessageIcon::Warning;
    message.title = tr("警告");
    message.text = tr("关于应用程序\n您修改了数据直接改变而不保存？");
    message.buttons = QStringList{tr("确定"), tr("取消")};
    message.defaultButton = DiscardChanges;
    message.escapeButton = KeepChanges;
    return m_messenger->show(message) == DiscardChanges;
}

void ProjectFiles::showError(const QString &title, const QString &text)
{
    m_messenger->show(MessageIcon::Critical, title, text);
}

}  // namespace veltrix
