#pragma once

#include "gui/project/projectfiles.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QAction;
class QLabel;
class QWidget;

namespace veltrix {

class ConnectionControl;
class MessageQueue;
class Messenger;
class Project;
class RecordingCheckDialog;
class RecordingPlayer;
class ReplayBar;
class SERIAL_COMM;
class ScanRecorder;

// The window's parts that recording and replay use; not owned.
struct RecordingWidgets
{
    QAction *recordScan = nullptr;      // checkable
    QAction *openRecording = nullptr;
    QAction *checkRecording = nullptr;
    QAction *distance = nullptr;        // recording needs the scans read
    // What would start a connection: not at hand while a recording plays.
    QList<QAction *> connecting;
    QLabel *recordingStatus = nullptr;  // in the status strip: what is recorded or played
    QWidget *window = nullptr;          // parent of the replay bar and the check dialog
};

// Scan recordings in the window. Record Scans writes every scan the connected scanner
// sends into a file until it is unchecked or the connection ends, the status strip
// showing the time, the scans and the size. Open Recording plays a recording through
// the link as if a scanner sent it, with the replay bar under the view; the current
// area follows the area the scanner used until the user picks one. Check Against
// Recording checks the project's areas against a recording in a table, whose rows
// lead the replay to their moments.
//
// A replay and a connection exclude each other: opening a recording while connected
// first asks to end the connection (a recording under way ends with it); while a
// recording plays the actions that connect are not at hand, and a connection asked for
// anyway (a settings dialog left open) ends the replay first. A file that is no
// recording, or a damaged one, is refused with a message naming it, and nothing else
// changes.
class ScanRecordings : public QObject
{
    Q_OBJECT

public:
    ScanRecordings(Project *project, SERIAL_COMM *link, ConnectionControl *connection, Messenger *messenger,
                   MessageQueue *messages, FileChooser chooser, const RecordingWidgets &widgets,
                   QObject *parent = nullptr);
    ~ScanRecordings() override;

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    ScanRecorder *recorder() const { return m_recorder.get(); }
    RecordingPlayer *player() const { return m_player.get(); }
    ReplayBar *replayBar() const { return m_bar.get(); }
    // Made with the first check.
    RecordingCheckDialog *checkDialog();
    bool isReplaying() const;

    // The recording status in the status strip: "Recording 00:12.3 · 180 scans · 2.3 MB";
    // while a recording plays, its name.
    QString recordingText() const;

public slots:
    // Record Scans checked or unchecked by the user.
    void setRecording(bool on);
    // Open Recording: asks for a file and plays it.
    void openRecording();
    // Opens fileName for replay (asking first to end a connection), playing it from
    // the start or paused at its first scan; false when it was not opened.
    bool replay(const QString &fileName, bool play = true);
    void endReplay();
    // Check Against Recording: asks for a file and checks the project against it.
    void checkRecording();
    bool check(const QString &fileName);
    // Shows that scan of the recording paused, with that area current.
    void jumpTo(const QString &fileName, int area, int scan);

signals:
    void replayStarted();
    void replayEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString chooseFile(const FileDialogRequest &request);
    // An existing recording to open, under the dialog's caption; empty: none chosen.
    QString chooseRecording(const QString &caption);
    void connectionOpened();
    void connectionClosed();
    void recordingEnded();
    void showRecordingStatus();
    void showWarning(const QString &title, const QString &text);
    void followRecording(int scan);
    void currentAreaChanged();
    void replayClosed();

    Project *m_project;
    SERIAL_COMM *m_link;
    ConnectionControl *m_connection;
    Messenger *m_messenger;
    MessageQueue *m_messages;
    FileChooser m_chooser;
    RecordingWidgets m_widgets;
    std::unique_ptr<ScanRecorder> m_recorder;
    std::unique_ptr<RecordingPlayer> m_player;
    std::unique_ptr<ReplayBar> m_bar;
    std::unique_ptr<RecordingCheckDialog> m_checkDialog;
    QTimer m_statusTimer;
    QList<bool> m_connectingEnabled;  // the connecting actions before the replay
};

}  // namespace veltrix
