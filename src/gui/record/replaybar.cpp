#include "gui/record/replaybar.h"

#include "core/record/recordingplayer.h"
#include "ui_replaybar.h"

#include <QEvent>
#include <QDir>
#include <QSignalBlocker>
#include <QStyle>

#include <iterator>

namespace veltrix {

namespace {

// The speed list's entries, top to bottom.
constexpr RecordingPlayer::Speed SpeedOrder[] = {
    RecordingPlayer::Speed::Recorded, RecordingPlayer::Speed::Fast, RecordingPlayer::Speed::Unlimited};

}  // namespace

ReplayBar::ReplayBar(RecordingPlayer *player, QWidget *parent)
    : QFrame(parent), m_ui(std::make_unique<Ui::ReplayBar>()), m_player(player)
{
    m_ui->setupUi(this);
    m_ui->ReplayStep->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    m_ui->ReplayClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    showPlaying(false);

    connect(m_ui->ReplayPlay, &QToolButton::clicked, player, &RecordingPlayer::setPlaying);
    connect(m_ui->ReplayStep, &QToolButton::clicked, player, &RecordingPlayer::step);
    connect(m_ui->ReplaySlider, &QSlider::valueChanged, player,
            [player](int value) { player->seekTime(static_cast<quint32>(value)); });
    connect(m_ui->ReplaySpeed, QOverload<int>::of(&QComboBox::activated), this, &ReplayBar::speedChosen);
    connect(m_ui->ReplayFollowArea, &QCheckBox::toggled, this, &ReplayBar::followAreaChanged);
    connect(m_ui->ReplayClose, &QToolButton::clicked, this, &ReplayBar::closeRequested);

    connect(player, &RecordingPlayer::opened, this, &ReplayBar::showRecording);
    connect(player, &RecordingPlayer::scanShown, this, &ReplayBar::showPosition);
    connect(player, &RecordingPlayer::playingChanged, this, &ReplayBar::showPlaying);
    connect(player, &RecordingPlayer::speedChanged, this, [this](RecordingPlayer::Speed speed) {
        for (int i = 0; i < int(std::size(SpeedOrder)); ++i) {
            if (SpeedOrder[i] == speed)
                m_ui->ReplaySpeed->setCurrentIndex(i);
        }
    });
}

ReplayBar::~ReplayBar() = default;

QString ReplayBar::TimeText(quint32 ms)
{
    const quint32 tenths = ms / 100;
    return QStringLiteral("%1:%2.%3")
        .arg(tenths / 600, 2, 10, QLatin1Char('0'))
        .arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

bool ReplayBar::followsArea() const
{
    return m_ui->ReplayFollowArea->isChecked();
}

void ReplayBar::setFollowsArea(bool follow)
{
    m_ui->ReplayFollowArea->setChecked(follow);
}

void ReplayBar::showRecording()
{
    setToolTip(QDir::toNativeSeparators(m_player->fileName()));
    const QSignalBlocker blocker(m_ui->ReplaySlider);
    m_ui->ReplaySlider->setRange(0, static_cast<int>(m_player->durationMs()));
    m_ui->ReplaySlider->setSingleStep(100);
    m_ui->ReplaySlider->setPageStep(1000);
}

void ReplayBar::showPosition()
{
    const int scan = m_player->position();
    {
        const QSignalBlocker blocker(m_ui->ReplaySlider);
        m_ui->ReplaySlider->setValue(static_cast<int>(m_player->timeOf(scan)));
    }
    m_ui->ReplayTime->setText(QStringLiteral("%1 / %2 · %3/%4")
                                  .arg(TimeText(m_player->timeOf(scan)), TimeText(m_player->durationMs()))
                                  .arg(scan + 1)
                                  .arg(m_player->scanCount()));
}

void ReplayBar::showPlaying(bool playing)
{
    m_ui->ReplayPlay->setChecked(playing);
    m_ui->ReplayPlay->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void ReplayBar::speedChosen(int index)
{
    if (index >= 0 && index < int(std::size(SpeedOrder)))
        m_player->setSpeed(SpeedOrder[index]);
}

void ReplayBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        const int speed = m_ui->ReplaySpeed->currentIndex();
        m_ui->retranslateUi(this);
        m_ui->ReplaySpeed->setCurrentIndex(speed);
        if (m_player->isOpen()) {
            showRecording();
            showPosition();
        }
    }
    QFrame::changeEvent(event);
}

}  // namespace veltrix
