#include "gui/app/statusdisplay.h"

#include <QLabel>
#include <QLCDNumber>
#include <QPalette>
#include <QPixmap>

namespace veltrix {

namespace {

constexpr int NamedFaultBits = 7;
constexpr uint NamedFaultMask = (1u << NamedFaultBits) - 1;

QString LampPicture(const char *colour, int number)
{
    return QStringLiteral(":/images/%1%2.png").arg(QLatin1String(colour)).arg(number);
}

const char *const GrayLamp = ":/images/StatusGray.png";
const char *const NormalLamp = ":/images/StatusGreen.png";
const char *const FaultLamp = ":/images/StatusRed.png";

}  // namespace

const char *const StatusDisplay::AlarmColour = "#c62828";

StatusDisplay::StatusDisplay(const StatusWidgets &widgets, QObject *parent)
    : QObject(parent), m_widgets(widgets)
{
}

QString StatusDisplay::StatusText(uint status)
{
    if (status == 0)
        return tr("正常(0)");
    const QString faults[NamedFaultBits] = {
        tr("旋转异常(1)"), tr("接收异常(2)"), tr("闪存数据异常(3)"), tr("连接异常(4)"),
        tr("仿真错误(5)"), tr("过温异常(6)"), tr("发射板电压异常(7)"),
    };
    QString text;
    for (int bit = 0; bit < NamedFaultBits; ++bit) {
        if (status & (1u << bit))
            text += faults[bit];
    }
    const uint unknown = status & ~NamedFaultMask;
    if (unknown != 0)
        text += tr("未知异常(0x%1)").arg(unknown, 0, 16);
    return text;
}

QString StatusDisplay::DirectionText(bool inverted)
{
    return inverted ? tr("倒立安装") : tr("正向安装");
}

void StatusDisplay::showStatus(const QString &text, bool alarm, const char *lamp)
{
    QLabel *label = m_widgets.statusValue;
    label->setText(text);
    // A fault must not look like normal operation: its text is red, not the colour
    // every other text of the window has.
    // A palette that sets no colour of its own takes the window's.
    QPalette palette;
    if (alarm)
        palette.setColor(QPalette::WindowText, QColor(QLatin1String(AlarmColour)));
    label->setPalette(palette);
    if (m_widgets.statusLamp)
        m_widgets.statusLamp->setPixmap(QPixmap(QLatin1String(lamp)));
}

void StatusDisplay::ShowNoAnswer()
{
    m_noAnswer = true;
    showStatus(tr("无应答"), true, GrayLamp);
}

void StatusDisplay::ShowIdle()
{
    if (m_widgets.statusLamp)
        m_widgets.statusLamp->setPixmap(QPixmap(QLatin1String(GrayLamp)));
}

void StatusDisplay::ShowPorts(uint inport, uint outport, uint status)
{
    m_status = status;
    m_noAnswer = false;
    showStatus(StatusText(status), status != 0, status != 0 ? FaultLamp : NormalLamp);
    // A byte with its top bit set arrives widened as a signed value and shows negative.
    m_widgets.inputNumber->display(static_cast<int>(inport));
    static const char *const outputColours[] = {"Yellow", "Orange", "Red"};
    for (int i = 0; i < static_cast<int>(m_widgets.inputLamps.size()); ++i) {
        const bool on = inport & (1u << i);
        m_widgets.inputLamps[i]->setPixmap(QPixmap(LampPicture(on ? "Green" : "Gray", i + 1)));
    }
    for (int i = 0; i < static_cast<int>(m_widgets.outputLamps.size()); ++i) {
        const bool on = outport & (1u << i);
        m_widgets.outputLamps[i]->setPixmap(
            QPixmap(LampPicture(on ? outputColours[i] : "Gray", i + 1)));
    }
}

void StatusDisplay::ShowDirection(bool inverted)
{
    m_inverted = inverted;
    m_widgets.directionValue->setText(DirectionText(inverted));
}

void StatusDisplay::Retranslate()
{
    if (m_noAnswer)
        m_widgets.statusValue->setText(tr("无应答"));
    else
        m_widgets.statusValue->setText(m_status ? StatusText(*m_status) : QString());
    m_widgets.directionValue->setText(m_inverted ? DirectionText(*m_inverted) : QString());
}

}  // namespace veltrix
