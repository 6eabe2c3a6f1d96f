#pragma once

// What every fuzz target shares: the entry points libFuzzer calls, a reader that turns
// the fuzzer's bytes into a sequence of choices, and a check that stops the run at the
// first broken invariant (libFuzzer then keeps the input as a crash).

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// One seed input of a target's corpus, written by its replay program.
struct FuzzSeed
{
    const char *name;
    QByteArray bytes;
};
// Each target defines it: seeds built with the project's own frame builders.
QList<FuzzSeed> fuzzSeeds();

#define FUZZ_CHECK(condition)                                                               \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (false)

// The event dispatcher that timers and sockets need; made once, never run.
inline void ensureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "veltrix-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// Reads the input front to back; past its end every read gives zeros, so any input is
// a complete sequence of choices.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(reinterpret_cast<const char *>(data)), m_size(static_cast<int>(size))
    {
    }

    bool atEnd() const { return m_at >= m_size; }
    quint8 byte() { return atEnd() ? 0 : static_cast<quint8>(m_data[m_at++]); }
    // At most count bytes; fewer at the end of the input.
    QByteArray bytes(int count)
    {
        const int n = qMin(count, m_size - m_at);
        const QByteArray taken(m_data + m_at, qMax(0, n));
        m_at += qMax(0, n);
        return taken;
    }

private:
    const char *m_data;
    int m_size;
    int m_at = 0;
};
