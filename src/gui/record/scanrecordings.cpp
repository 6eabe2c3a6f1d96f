#include "gui/record/scanrecordings.h"

#include "core/app/usermessage.h"
#include "core/link/configurationchecksum.h"
#include "core/link/serialcomm.h"
#include "core/project/devicemodels.h"
#include "core/project/project.h"
#include "core/record/recordingplayer.h"
#include "core/record/recordingreader.h"
#include "core/record/scanrecorder.h"
#include "gui/app/connectioncontrol.h"
#include "gui/app/messagequeue.h"
#include "gui/record/recordingcheckdialog.h"
#include "gui/record/replaybar.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>

namespace veltrix {

namespace {

constexpr int StatusInterval = 500;  // ms between updates of the recording's time
const char *const RecordingSuffix = "rec";

enum DisconnectChoice { DisconnectAndReplay = 0, KeepConnection = 1 };

QString RecordingFilter()
{
    return ScanRecordings::tr("扫描录制 (*.rec)");
}

}  // namespace

ScanRecordings::ScanRecordings(Project *project, SERIAL_COMM *link, ConnectionControl *connection,
                               Messenger *messenger, MessageQueue *messages, FileChooser chooser,
                               const RecordingWidgets &widgets, QObject *parent)
    : QObject(parent),
      m_project(project),
      m_link(link),
      m_connection(connection),
      m_messenger(messenger),
      m_messages(messages),
      m_chooser(std::move(chooser)),
      m_widgets(widgets),
      m_recorder(std::make_unique<ScanRecorder>(link)),
      m_player(std::make_unique<RecordingPlayer>(link)),
      m_bar(std::make_unique<ReplayBar>(m_player.get(), widgets.window))
{
    m_bar->hide();
    m_widgets.recordingStatus->hide();
    m_widgets.recordingStatus->installEventFilter(this);
    m_widgets.recordScan->setEnabled(false);
    m_statusTimer.setInterval(StatusInterval);
    connect(&m_statusTimer, &QTimer::timeout, this, &ScanRecordings::showRecordingStatus);

    connect(m_widgets.recordScan, &QAction::triggered, this, &ScanRecordings::setRecording);
    connect(m_widgets.openRecording, &QAction::triggered, this, &ScanRecordings::openRecording);
    connect(m_widgets.checkRecording, &QAction::triggered, this, &ScanRecordings::checkRecording);
    connect(connection, &ConnectionControl::opened, this, &ScanRecordings::connectionOpened);
    connect(connection, &ConnectionControl::closed, this, &ScanRecordings::connectionClosed);

    connect(m_recorder.get(), &ScanRecorder::scanRecorded, this, &ScanRecordings::showRecordingStatus);
    connect(m_recorder.get(), &ScanRecorder::stopped, this, &ScanRecordings::recordingEnded);
    connect(m_recorder.get(), &ScanRecorder::failed, this,
            [this](const QString &message) { showWarning(tr("录制扫描"), message); });

    connect(m_player.get(), &RecordingPlayer::scanShown, this, &ScanRecordings::followRecording);
    connect(m_player.get(), &RecordingPlayer::closed, this, &ScanRecordings::replayClosed);
    connect(m_player.get(), &RecordingPlayer::failed, this,
            [this](const QString &message) { showWarning(tr("打开录制"), message); });
    connect(m_bar.get(), &ReplayBar::closeRequested, this, &ScanRecordings::endReplay);
    connect(&project->areas(), &AreaModel::currentAreaChanged, this, &ScanRecordings::currentAreaChanged);
}

RecordingCheckDialog *ScanRecordings::checkDialog()
{
    if (!m_checkDialog) {
        m_checkDialog = std::make_unique<RecordingCheckDialog>(m_widgets.window);
        connect(m_checkDialog.get(), &RecordingCheckDialog::jumpRequested, this, &ScanRecordings::jumpTo);
    }
    return m_checkDialog.get();
}

// The player first: it gives the link back what it had while the link is still there.
// Nobody hears of a replay that ends with the window.
ScanRecordings::~ScanRecordings()
{
    disconnect();
    m_player->disconnect(this);
    m_player.reset();
}

bool ScanRecordings::isReplaying() const
{
    return m_player->isOpen();
}

QString ScanRecordings::chooseFile(const FileDialogRequest &request)
{
    // The reply time-out must not run out while the user picks a file.
    m_link->StopOverTimer();
    const QString chosen = m_chooser ? m_chooser(request) : QString();
    m_link->ResumeOverTimer();
    return chosen;
}

QString ScanRecordings::chooseRecording(const QString &caption)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Open;
    request.caption = caption;
    request.filter = RecordingFilter();
    return chooseFile(request);
}

void ScanRecordings::showWarning(const QString &title, const QString &text)
{
    UserMessage message;
    message.icon = MessageIcon::Warning;
    message.title = title;
    message.text = text;
    m_messages->post(message);
}

// ---- recording ---------------------------------------------------------------------------

void ScanRecordings::setRecording(bool on)
{
    if (!on) {
        QString error;
        if (!m_recorder->stop(&error))
            showWarning(tr("录制扫描"), error);
        return;
    }
    m_widgets.recordScan->setChecked(false);
    if (!m_connection->isConnected() || m_recorder->isRecording())
        return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Save;
    request.caption = tr("录制扫描");
    request.directory = QStringLiteral("scans-%1.%2")
                            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")),
                                 QLatin1String(RecordingSuffix));
    request.filter = RecordingFilter();
    QString fileName = chooseFile(request);
    // The connection may have ended while the user chose.
    if (fileName.isEmpty() || !m_connection->isConnected())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QLatin1Char('.') + QLatin1String(RecordingSuffix);
    QString error;
    if (!m_recorder->start(fileName, m_project->modelIndex(), &error)) {
        showWarning(tr("录制扫描"), error);
        return;
    }
    m_widgets.recordScan->setChecked(true);
    // Without the distances nothing would arrive to be recorded.
    if (!m_widgets.distance->isChecked())
        m_widgets.distance->trigger();
    m_statusTimer.start();
    showRecordingStatus();
}

QString ScanRecordings::recordingText() const
{
    return tr("录制 %1 · %n 次扫描 · %2", nullptr, m_recorder->scanCount())
        .arg(ReplayBar::TimeText(static_cast<quint32>(m_recorder->elapsedMs())),
             QLocale().formattedDataSize(m_recorder->size(), 1));
}

// What is recorded, or which recording plays.
void ScanRecordings::showRecordingStatus()
{
    QLabel *label = m_widgets.recordingStatus;
    if (m_recorder->isRecording())
        label->setText(recordingText());
    else if (m_player->isOpen())
        label->setText(tr("回放 %1").arg(QFileInfo(m_player->fileName()).fileName()));
    label->setVisible(m_recorder->isRecording() || m_player->isOpen());
}

void ScanRecordings::recordingEnded()
{
    m_statusTimer.stop();
    m_widgets.recordScan->setChecked(false);
    showRecordingStatus();
}

void ScanRecordings::connectionOpened()
{
    m_widgets.recordScan->setEnabled(true);
}

void ScanRecordings::connectionClosed()
{
    m_recorder->connectionEnded();
    m_widgets.recordScan->setEnabled(false);
}

// ---- replay ------------------------------------------------------------------------------

void ScanRecordings::openRecording()
{
    const QString fileName = chooseRecording(tr("打开录制"));
    if (!fileName.isEmpty())
        replay(fileName);
}

bool ScanRecordings::replay(const QString &fileName, bool play)
{
    auto reader = std::make_unique<RecordingReader>();
    QString error;
    if (!reader->open(fileName, &error)) {
        showWarning(tr("打开录制"), error);
        return false;
    }
    if (reader->scanCount() == 0) {
        showWarning(tr("打开录制"), tr("“%1”中没有扫描。").arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    if (m_connection->state() != ConnectionControl::State::Disconnected) {
        UserMessage question;
        question.icon = MessageIcon::Question;
        question.title = tr("打开录制");
        question.text = tr("回放录制时不能连接扫描仪。要断开连接并回放“%1”吗？")
                            .arg(QDir::toNativeSeparators(fileName));
        if (m_recorder->isRecording())
            question.text += QLatin1Char('\n') + tr("正在进行的录制将结束。");
        question.buttons = QStringList{tr("断开并回放"), tr("取消")};
        question.defaultButton = KeepConnection;
        question.escapeButton = KeepConnection;
        if (m_messenger->show(question) != DisconnectAndReplay)
            return false;
        m_connection->close();
    }
    if (!m_player->isOpen()) {
        m_connectingEnabled.clear();
        for (QAction *action : std::as_const(m_widgets.connecting)) {
            m_connectingEnabled.append(action->isEnabled());
            action->setEnabled(false);
        }
    }
    m_bar->setFollowsArea(true);
    m_player->open(std::move(reader), fileName);
    m_bar->show();
    showRecordingStatus();
    emit replayStarted();
    if (play)
        m_player->play();
    return true;
}

void ScanRecordings::endReplay()
{
    m_player->close();
}

void ScanRecordings::replayClosed()
{
    m_bar->hide();
    showRecordingStatus();
    for (int i = 0; i < m_widgets.connecting.size() && i < m_connectingEnabled.size(); ++i)
        m_widgets.connecting.at(i)->setEnabled(m_connectingEnabled.at(i));
    m_connectingEnabled.clear();
    emit replayEnded();
}

// The scanner's active area becomes the current one, as long as the user has not
// picked another.
void ScanRecordings::followRecording(int)
{
    if (m_bar->followsArea())
        m_project->areas().setCurrentArea(m_player->currentScan().activeArea);
}

void ScanRecordings::currentAreaChanged()
{
    if (m_player->isOpen() && !m_player->isShowingScan())
        m_bar->setFollowsArea(false);
}

// ---- check -------------------------------------------------------------------------------

void ScanRecordings::checkRecording()
{
    const QString fileName = chooseRecording(tr("对照录制检查"));
    if (!fileName.isEmpty())
        check(fileName);
}

bool ScanRecordings::check(const QString &fileName)
{
    if (m_checkDialog && m_checkDialog->isRunning())
        return false;
    RecordingReader reader;
    QString error;
    if (!reader.open(fileName, &error)) {
        showWarning(tr("对照录制检查"), error);
        return false;
    }
    const DeviceModel *model = deviceModel(m_project->modelIndex());
    const double range = model ? model->rangeSquare : DeviceModels[0].rangeSquare;
    checkDialog()->run(reader, fileName, m_project->areas().areas(), range,
                       configurationChecksum(m_project->configuration()));
    return true;
}

void ScanRecordings::jumpTo(const QString &fileName, int area, int scan)
{
    if (!(m_player->isOpen() && m_player->fileName() == fileName) && !replay(fileName, false))
        return;
    m_player->pause();
    m_bar->setFollowsArea(false);
    m_player->seekScan(scan);
    m_project->areas().setCurrentArea(area);
}

bool ScanRecordings::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        showRecordingStatus();
    return QObject::eventFilter(watched, event);
}

}  // namespace veltrix
