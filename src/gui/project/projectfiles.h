#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace veltrix {

class Messenger;
class Project;
class SERIAL_COMM;

// What a file dialog is asked for. The answer is the chosen path, empty when the user
// cancelled.
struct FileDialogRequest
{
    enum Mode { Open, Save };
    Mode mode = Open;
    QString caption;
    QString directory;  // start folder or proposed name; empty for the current folder
    QString filter;
};

// Every file dialog of the program goes through one of these, so that tests answer
// them and never wait on a dialog.
using FileChooser = std::function<QString(const FileDialogRequest &)>;

// The toolkit's file dialogs over parent.
FileChooser fileDialogChooser(QWidget *parent);

// The window's side of project files: asks for the file, opens and saves the project
// through the core's project storage, and tells the user what went wrong and with
// which file. The project announces what changed, so every view follows.
class ProjectFiles : public QObject
{
    Q_OBJECT

public:
    ProjectFiles(Project *project, SERIAL_COMM *link, Messenger *messenger, FileChooser chooser,
                 QObject *parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // The folder a file dialog starts in when no file of the project names one; empty
    // for the current folder.
    void setStartFolder(const QString &folder) { m_startFolder = folder; }
    QString startFolder() const { return m_startFolder; }

    // After asking about unsaved changes as New does, asks for a file of model 0..4 (or
    // AnyProjectModel) and reads it into the project.
    // Returns true when the project now holds the file.
    bool open(int modelIndex);
    // Reads the file at path, of whatever model it is for, as open(AnyProjectModel)
    // reads the file chosen: the same messages when it cannot, nothing changed then.
    bool openProjectFile(const QString &path);
    // Writes the project to its file, asking for a name only while it has none.
    // Returns true when the file was written.
    bool save();
    // Asks for a name and writes the project there.
    bool saveAs();

    // True when the project has no unsaved changes or the user agrees to lose them.
    bool mayDiscardChanges();

signals:
    // The project now holds the file / was written to it.
    void opened(const QString &fileName);
    void saved(const QString &fileName);

private:
    QString chooseFile(FileDialogRequest request);
    bool read(const QString &fileName, int modelIndex);
    bool write(const QString &fileName);
    bool confirmReplacing(const QString &fileName);
    void showError(const QString &title, const QString &text);

    Project *m_project;
    SERIAL_COMM *m_link;
    Messenger *m_messenger;
    FileChooser m_chooser;
    QString m_startFolder;
};

}  // namespace veltrix
