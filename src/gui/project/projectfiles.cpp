#include "gui/project/projectfiles.h"

#include "core/app/usermessage.h"
#include "core/areas/areamodel.h"
#include "gui/link/sensorsetting.h"
#include "core/link/serialcomm.h"
#include "core/project/projectfile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>

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

ProjectFiles::ProjectFiles(AreaModel *areas, SENSOR_SETTING *settings, SERIAL_COMM *link,
                           Messenger *messenger, FileChooser chooser, QObject *parent)
    : QObject(parent),
      m_areas(areas),
      m_settings(settings),
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
    const QString chosen = m_chooser ? m_chooser(request) : QString();
    m_link->ResumeOverTimer();
    return chosen;
}

bool ProjectFiles::open(int modelIndex)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Open;
    request.caption = tr("打开配置文件");
    request.filter = modelIndex == AnyModel ? QString() : ProjectFilter(modelIndex);
    const QString fileName = chooseFile(request);
    if (fileName.isEmpty())
        return false;
    return read(fileName, modelIndex);
}

bool ProjectFiles::openProjectFile(const QString &path)
{
    // Absolute, so that a later Save writes where the file came from.
    return read(QFileInfo(path).absoluteFilePath(), AnyModel);
}

bool ProjectFiles::read(const QString &fileName, int modelIndex)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        UserMessage message;
        message.icon = MessageIcon::Warning;
        message.title = tr("Document");
        message.text = tr("No document") + QLatin1Char('\n') + shownName(fileName)
            + QLatin1Char('\n') + file.errorString();
        message.buttons = QStringList{tr("确定"), tr("取消")};
        message.escapeButton = 1;
        m_messenger->show(message);
        return false;
    }

    ProjectContents contents;
    contents.modelIndex = modelIndex;
    contents.areas = m_areas->areas();
    QString error;
    if (!ReadProject(file, modelIndex, contents, &error)) {
        showError(tr("错误"), tr("文件损坏") + QLatin1Char('\n') + shownName(fileName)
                                  + QLatin1Char('\n') + error);
        return false;
    }

    if (modelIndex == AnyModel)
        emit modelRead(contents.modelIndex);
    m_settings->SetSettingValues(contents.settings);
    m_areas->replaceAllAreas(contents.areas);
    // Every area as opened becomes an undo step, and so the document counts as
    // modified.
    m_areas->saveAllUndoSnapshots();
    setFileName(fileName);
    return true;
}

bool ProjectFiles::save(int modelIndex)
{
    if (m_fileName.isEmpty())
        return saveAs(modelIndex);
    return write(m_fileName, modelIndex);
}

bool ProjectFiles::saveAs(int modelIndex)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Save;
    request.caption = tr("保存配置文件");
    request.directory = m_fileName;
    request.filter = ProjectFilter(modelIndex);
    const QString chosen = chooseFile(request);
    if (chosen.isEmpty())
        return false;
    const QString fileName = WithProjectExtension(chosen, modelIndex);
    // The dialog asked about replacing the name it was given, not about the name with
    // the extension added.
    if (fileName != chosen && QFileInfo::exists(fileName) && !confirmReplacing(fileName))
        return false;
    return write(fileName, modelIndex);
}

bool ProjectFiles::write(const QString &fileName, int modelIndex)
{
    ProjectContents contents;
    contents.modelIndex = modelIndex;
    contents.settings = m_settings->SettingValues();
    contents.areas = m_areas->areas();

    // The old file is replaced only when every byte of the new one is on disk.
    QSaveFile file(fileName);
    QString error;
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (written)
        written = WriteProject(file, contents, QDate::currentDate(), &error);
    else
        error = file.errorString();
    if (written) {
        written = file.commit();
        if (!written)
            error = file.errorString();
    } else {
        file.cancelWriting();
    }
    if (!written) {
        showError(tr("错误"),
                  tr("无法保存文件“%1”。").arg(shownName(fileName)) + QLatin1Char('\n') + error);
        return false;
    }
    m_areas->setModified(false);
    setFileName(fileName);
    return true;
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
    if (!m_areas->isModified())
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

void ProjectFiles::clearDocument()
{
    m_areas->setModified(false);
    m_areas->replaceAllAreas(AreasForNewProject(m_areas->areas()));
    m_settings->ResetToDefaults();
    setFileName(QString());
}

void ProjectFiles::setFileName(const QString &fileName)
{
    if (fileName == m_fileName)
        return;
    m_fileName = fileName;
    emit fileNameChanged(m_fileName);
}

void ProjectFiles::showError(const QString &title, const QString &text)
{
    m_messenger->show(MessageIcon::Critical, title, text);
}

}  // namespace veltrix
