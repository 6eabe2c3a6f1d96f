#include "core/connect/serialportlist.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>
#include <QtGlobal>

namespace veltrix {

QList<SerialPortEntry> SystemSerialPorts()
{
    QList<SerialPortEntry> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos)
        ports.append(SerialPortEntry{info.portName(), info.description()});

    const QString extra = qEnvironmentVariable(ExtraSerialPortsVariable);
    const QStringList paths = extra.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &path : paths) {
        if (QFileInfo::exists(path))
            ports.append(SerialPortEntry{path, QString()});
    }
    return ports;
}

QString SerialPortItemText(const SerialPortEntry &port)
{
    if (port.description.isEmpty())
        return port.name;
    return port.name + QLatin1Char('(') + port.description + QLatin1Char(')');
}

QString SerialPortNameOfItem(const QString &itemText)
{
    const int open = itemText.indexOf(QLatin1Char('('));
    return open < 0 ? itemText : itemText.left(open);
}

}  // namespace veltrix
