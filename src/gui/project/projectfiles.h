#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace veltrix {

class AreaModel;
class Messenger;
class SENSOR_SETTING;
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

// Opens and saves project files for the main window and starts new projects: asks for
// the file, reads it into a copy of the document and applies it only when the whole
// file could be read, writes through a save file that replaces the old file only once
// everything is written, and tells the user what went wrong and with which file. The
// document itself announces what changed, so every view follows.
class ProjectFiles : public QObject
{
    Q_OBJECT

public:
    // Open a file of whatever model it is for (Open project).
    static constexpr int AnyModel = -1;

    ProjectFiles(AreaModel *areas, SENSOR_SETTING *settings, SERIAL_COMM *link,
                 Messenger *messenger, FileChooser chooser, QObject *parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    // The document's file; empty while the document has never been saved or opened.
    QString fileName() const { return m_fileName; }

    // Asks for a file of model 0..4 (or AnyModel) and reads it into the document.
    // Returns true when the document now holds the file.
    bool open(int modelIndex);
    // Reads the file at path, of whatever model it is for, as open(AnyModel) reads the
    // file chosen: the same messages when it cannot, nothing changed then.
    bool openProjectFile(const QString &path);
    // Writes the document of model 0..4 to its file, asking for a name only while it
    // has none. Returns true when the file was written.
    bool save(int modelIndex);
    // Asks for a name and writes the document there.
    bool saveAs(int modelIndex);

    // True when the document has no unsaved changes or the user agrees to lose them.
    bool mayDiscardChanges();
    // Empties the document for a new project: blank fields (steering and speed ranges
    // and channel groups kept), sensor settings as a new scanner has them, nothing
    // modified, no file.
    void clearDocument();

signals:
    // A file of another model is being opened: everything that depends on the model
    // must follow before the file's areas are shown.
    void modelRead(int modelIndex);
    void fileNameChanged(const QString &fileName);

private:
    QString chooseFile(FileDialogRequest request);
    bool read(const QString &fileName, int modelIndex);
    bool write(const QString &fileName, int modelIndex);
    bool confirmReplacing(const QString &fileName);
    void setFileName(const QString &fileName);
    void showError(const QString &title, const QString &text);

    AreaModel *m_areas;
    SENSOR_SETTING *m_settings;
    SERIAL_COMM *m_link;
    Messenger *m_messenger;
    FileChooser m_chooser;
    QString m_fileName;
};

}  // namespace veltrix
