#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace veltrix {

// One serial port as the port lists show it.
struct SerialPortEntry
{
    QString name;         // what the serial port is opened with
    QString description;  // may be empty
};

// Where the port lists come from: the system's ports by default; tests, and a user
// with a virtual port, add device paths that the system's enumeration does not list.
using SerialPortLister = std::function<QList<SerialPortEntry>()>;

// Device paths added to every port list, separated by ':' (for example the link an
// emulator makes with --pty-link, or a pseudo-terminal of socat).
constexpr char ExtraSerialPortsVariable[] = "VELTRIX_SERIAL_PORTS";

// The system's serial ports in the order it reports them, then every path named by
// VELTRIX_SERIAL_PORTS that exists.
QList<SerialPortEntry> SystemSerialPorts();

// "name(description)", or the bare name when there is no description.
QString SerialPortItemText(const SerialPortEntry &port);

// The port name of a list item: its text up to the first "(", or the whole text.
QString SerialPortNameOfItem(const QString &itemText);

}  // namespace veltrix
