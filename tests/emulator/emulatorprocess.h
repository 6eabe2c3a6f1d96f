#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

// The real veltrix-emulator program, started for one test and ended with it.
// VELTRIX_EMULATOR_PATH comes from CMake. Options in VELTRIX_EMULATOR_FAULTS come
// first (scripts/soak runs the end-to-end tests with faults that must not change
// their outcome); a test's own options after them win.
class EmulatorProcess
{
public:
    explicit EmulatorProcess(const QStringList &arguments)
        : m_arguments(qEnvironmentVariable("VELTRIX_EMULATOR_FAULTS").split(QLatin1Char(' '), Qt::SkipEmptyParts)
                      + arguments)
    {
    }

    // An emulator that ended badly (a crash, or a sanitizer's report at exit) fails the
    // test that ran it, unless that test failed already.
    ~EmulatorProcess()
    {
        if (!stop() && !QTest::currentTestFailed()) {
            const QByteArray message = "the emulator ended badly: " + m_process.readAllStandardError().right(4000);
            QTest::qFail(message.constData(), __FILE__, __LINE__);
        }
    }

    // Ends the program as Ctrl+C would; true when it ended by itself without an error.
    bool stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        m_process.terminate();
        if (m_process.waitForFinished(3000))
            return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        m_process.kill();
        m_process.waitForFinished(1000);
        return false;
    }

    // Starts the program and waits until it reports itself ready.
    bool start()
    {
        m_process.setProgram(QStringLiteral(VELTRIX_EMULATOR_PATH));
        m_process.setArguments(m_arguments);
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return false;
        QElapsedTimer clock;
        clock.start();
        while (!m_output.contains("Ready\n")) {
            if (m_process.state() == QProcess::NotRunning || clock.hasExpired(10000))
                return false;
            m_process.waitForReadyRead(200);
            m_output += m_process.readAllStandardOutput();
        }
        for (const QByteArray &line : m_output.split('\n')) {
            if (line.startsWith("Serial: "))
                m_serialDevice = QString::fromLocal8Bit(line.mid(8).trimmed());
            if (line.startsWith("TCP: "))
                m_address = QString::fromLatin1(line.mid(5, line.lastIndexOf(':') - 5));
        }
        return true;
    }

    QString serialDevice() const { return m_serialDevice; }
    // The address it says it serves TCP and UDP on.
    QString address() const { return m_address; }
    QByteArray output() const { return m_output; }
    QByteArray errors() { return m_process.readAllStandardError(); }

private:
    QStringList m_arguments;
    QProcess m_process;
    QByteArray m_output;
    QString m_serialDevice;
    QString m_address;
};
