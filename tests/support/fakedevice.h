#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>

#include <cstring>
#include <functional>

// A byte device for link tests: records every write as one frame (and hands it to
// onWrite, where a scanner may listen), hands out bytes fed to it (announcing them with
// readyRead, like a socket or serial port), and can be told to fail its writes.
class FakeDevice : public QIODevice
{
public:
    FakeDevice() { open(QIODevice::ReadWrite | QIODevice::Unbuffered); }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_incoming.size() + QIODevice::bytesAvailable(); }

    // Makes bytes available and announces them.
    void feed(const QByteArray &bytes)
    {
        m_incoming.append(bytes);
        emit readyRead();
    }
    // Makes bytes available without announcing them (they arrive with the next feed).
    void queue(const QByteArray &bytes) { m_incoming.append(bytes); }

    QList<QByteArray> written;
    bool failWrites = false;
    std::function<void(const QByteArray &)> onWrite;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const int n = static_cast<int>(qMin<qint64>(maxSize, m_incoming.size()));
        std::memcpy(data, m_incoming.constData(), static_cast<size_t>(n));
        m_incoming.remove(0, n);
        return n;
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (failWrites)
            return -1;
        written.append(QByteArray(data, static_cast<int>(size)));
        if (onWrite)
            onWrite(written.last());
        return size;
    }

private:
    QByteArray m_incoming;
};
