#pragma once

#include <QFrame>

#include <memory>

namespace Ui {
class ReplayBar;
}

namespace veltrix {

class RecordingPlayer;

// The player of a recording under the view: play and pause, one scan on, a slider over
// the recording's time, the speed (1×, 4×, as fast as possible), whether the current
// area follows the area the scanner used, and the end of the replay. It shows what
// the player does and asks the player for what the user wants.
class ReplayBar : public QFrame
{
    Q_OBJECT

public:
    // The player is not owned.
    explicit ReplayBar(RecordingPlayer *player, QWidget *parent = nullptr);
    ~ReplayBar() override;

    bool followsArea() const;
    void setFollowsArea(bool follow);

    // "01:02.3": minutes, seconds and tenths of a recorded moment.
    static QString TimeText(quint32 ms);

signals:
    void followAreaChanged(bool follow);
    void closeRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showRecording();
    void showPosition();
    void showPlaying(bool playing);
    void speedChosen(int index);

    std::unique_ptr<Ui::ReplayBar> m_ui;
    RecordingPlayer *m_player;
};

}  // namespace veltrix
