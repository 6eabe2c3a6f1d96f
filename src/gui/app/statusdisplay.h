#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <optional>

class QLabel;
class QLCDNumber;

namespace veltrix {

// The widgets of the status strip under the view; they belong to the form.
struct StatusWidgets
{
    QLabel *statusValue = nullptr;
    QLabel *statusLamp = nullptr;
    QLabel *directionValue = nullptr;
    QLCDNumber *inputNumber = nullptr;
    std::array<QLabel *, 6> inputLamps{};   // input 1 first
    std::array<QLabel *, 3> outputLamps{};  // output 1 first
};

// Shows what the scanner reports about itself in the status strip: its fault status
// (a fault in red, text and lamp), its mounting direction, the number its inputs form
// and a lamp per input and output, and that the scanner does not answer. The value
// texts follow the language: a switch writes the last report again in the new
// language.
class StatusDisplay : public QObject
{
    Q_OBJECT

public:
    explicit StatusDisplay(const StatusWidgets &widgets, QObject *parent = nullptr);

    // The texts of every fault bit set, in bit order and without separator; bits the
    // scanner's fault table does not name are shown together as one unknown fault with
    // their hexadecimal value, so that no fault is ever shown as an empty text.
    static QString StatusText(uint status);
    static QString DirectionText(bool inverted);

    void ShowPorts(uint inport, uint outport, uint status);
    void ShowDirection(bool inverted);
    // The scanner does not answer: the status shows so (in red) until the next report.
    void ShowNoAnswer();
    // Nothing is connected: the status lamp goes grey.
    void ShowIdle();
    // Writes the value texts again in the language now installed.
    void Retranslate();

    // The colour the status text is drawn in for a fault or silence.
    static const char *const AlarmColour;

private:
    void showStatus(const QString &text, bool alarm, const char *lamp);

    StatusWidgets m_widgets;
    bool m_noAnswer = false;
    std::optional<uint> m_status;
    std::optional<bool> m_inverted;
};

}  // namespace veltrix
