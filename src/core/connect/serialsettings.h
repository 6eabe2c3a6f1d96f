#pragma once

#include <QSerialPort>
#include <QString>
#include <QtGlobal>

namespace veltrix {

// The serial line as the user chose it, each value with the text it was chosen by;
// the texts go into the connection message.
struct SerialSettings
{
    // The scanners' own line speed, what a line is opened with unless told otherwise.
    static constexpr qint32 DefaultBaudRate = 576000;

    QString name;
    qint32 baudRate = 0;
    QString stringBaudRate;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QString stringDataBits;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QString stringParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString stringStopBits;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
    QString stringFlowControl;
};

}  // namespace veltrix
