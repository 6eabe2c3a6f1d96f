#pragma once

#include "core/app/usermessage.h"
#include "core/areas/areamodel.h"
#include "core/link/sensorlinkdata.h"
#include "core/link/sensorparameters.h"
#include "core/link/serialcomm.h"
#include "waituntil.h"

#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <memory>

// The program's own link with its shared records and its three transports, as the
// main window wires them, and a messenger whose presenter records every box and
// answers it: "No" to the restart question, the first button otherwise.
struct LinkRig
{
    static constexpr quint16 ScannerPort = 8080;

    veltrix::AreaModel model;
    veltrix::SensorLinkData data;
    veltrix::SensorParameters parameters;
    veltrix::Messenger messenger;
    QList<veltrix::UserMessage> shown;
    QStringList notices;
    QTcpSocket tcp;
    QUdpSocket udp;
    QSerialPort serial;
    std::unique_ptr<veltrix::SERIAL_COMM> link;

    LinkRig()
    {
        messenger.setPresenter([this](const veltrix::UserMessage &message) {
            shown.append(message);
            return message.text == QLatin1String("Do you restart?") ? 1 : 0;
        });
        link = std::make_unique<veltrix::SERIAL_COMM>(&serial, &data, &model, &parameters, &tcp, &udp,
                                                      &messenger);
        QObject::connect(link.get(), &veltrix::SERIAL_COMM::NoticeSignal,
                         [this](const QString &, const QString &text) { notices.append(text); });
    }

    bool connectTcp(const QString &address)
    {
        data.connectType = veltrix::EthernetInterface;
        data.ethernetMode = veltrix::TcpMode;
        tcp.connectToHost(address, ScannerPort);
        return tcp.waitForConnected(3000);
    }

    bool connectUdp(const QString &address)
    {
        data.connectType = veltrix::EthernetInterface;
        data.ethernetMode = veltrix::UdpMode;
        udp.connectToHost(address, ScannerPort);
        return udp.isOpen();
    }

    bool openSerial(const QString &device)
    {
        data.connectType = veltrix::SerialInterface;
        serial.setPortName(device);
        serial.setBaudRate(QSerialPort::Baud115200);
        return serial.open(QIODevice::ReadWrite);
    }

    static bool waitUntil(const std::function<bool()> &done, int timeoutMs)
    {
        return veltrix::testing::waitUntil(done, timeoutMs);
    }

    int countShown(const QString &text) const
    {
        int count = 0;
        for (const veltrix::UserMessage &message : shown)
            count += message.text == text ? 1 : 0;
        return count;
    }

    // Write-all of the model and the parameter block; true once the program asks
    // whether to restart, which it does after the last acknowledgement.
    bool writeAll(int timeoutMs = 15000)
    {
        const int asked = countShown(QStringLiteral("Do you restart?"));
        link->WriteSensorAllDataSlots();
        return waitUntil([&] { return countShown(QStringLiteral("Do you restart?")) > asked; }, timeoutMs);
    }

    // Read-all into the model and the parameter block; true once "Parameters Read OK!".
    bool readAll(int timeoutMs = 15000)
    {
        const int before = notices.count(QStringLiteral("Parameters Read OK!"));
        link->ReadSensorAllDataSlots();
        return waitUntil([&] { return notices.count(QStringLiteral("Parameters Read OK!")) > before; },
                         timeoutMs);
    }

    // The program as it starts: blank areas, default parameters, forward mounting.
    void forget()
    {
        model.resetToStartup();
        parameters.resetToDefaults();
    }
};
