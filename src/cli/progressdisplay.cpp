#include "cli/progressdisplay.h"

#include "cli/clioutput.h"
#include "cli/scannerjob.h"
#include "core/link/configurationchecksum.h"

namespace veltrix::cli {

namespace {

// From here on characters take two columns (CJK radicals, ideographs, full-width forms).
constexpr char16_t FirstWideCharacter = 0x2E80;
const char *const CursorUp = "\x1b[%1A";
const char *const ClearLine = "\r\x1b[2K";

QString phaseText(ScannerJob::Phase phase)
{
    switch (phase) {
    case ScannerJob::Phase::Waiting: return Cli::tr("等待");
    case ScannerJob::Phase::Connecting: return Cli::tr("正在连接");
    case ScannerJob::Phase::Reading: return Cli::tr("读取");
    case ScannerJob::Phase::Writing: return Cli::tr("写入");
    case ScannerJob::Phase::ReadingBack: return Cli::tr("读回校验");
    case ScannerJob::Phase::Restarting: return Cli::tr("正在重启");
    case ScannerJob::Phase::Done: return Cli::tr("完成");
    }
    return QString();
}

QString bar(int step, int of)
{
    const int filled = of > 0 ? qBound(0, step * ProgressDisplay::BarWidth / of, ProgressDisplay::BarWidth) : 0;
    return QLatin1Char('[') + QString(filled, QLatin1Char('#'))
        + QString(ProgressDisplay::BarWidth - filled, QLatin1Char('-')) + QLatin1Char(']');
}

}  // namespace

int displayWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= FirstWideCharacter ? 2 : 1;
    return width;
}

QString padded(const QString &text, int width)
{
    return text + QString(qMax(0, width - displayWidth(text)), QLatin1Char(' '));
}

ProgressDisplay::ProgressDisplay(const QList<ScannerJob *> &jobs, bool live, QObject *parent)
    : QObject(parent), m_jobs(jobs), m_live(live), m_shownPhase(jobs.size(), -1)
{
    for (const ScannerJob *job : jobs)
        m_nameWidth = qMax(m_nameWidth, displayWidth(job->target().text));
    for (int i = 0; i < jobs.size(); ++i)
        connect(jobs.at(i), &ScannerJob::changed, this, [this, i] { jobChanged(i); });
    m_timer.setInterval(RedrawInterval);
    connect(&m_timer, &QTimer::timeout, this, &ProgressDisplay::redraw);
}

void ProgressDisplay::begin()
{
    if (!m_live)
        return;
    redraw();
    m_timer.start();
}

void ProgressDisplay::end()
{
    if (!m_live)
        return;
    m_timer.stop();
    redraw();
}

QString ProgressDisplay::outcomeText(const ScannerJob &job)
{
    switch (job.outcome()) {
    case ScannerJob::Outcome::Pending: return Cli::tr("未完成");
    case ScannerJob::Outcome::Identical:
        return job.result().rebooted ? Cli::tr("完全相同，已重启") : Cli::tr("完全相同");
    case ScannerJob::Outcome::Written:
        return job.result().rebooted ? Cli::tr("已写入（未校验），已重启") : Cli::tr("已写入（未校验）");
    case ScannerJob::Outcome::Read: return Cli::tr("已读取");
    case ScannerJob::Outcome::Differs: return Cli::tr("有差异");
    case ScannerJob::Outcome::Refused: return Cli::tr("被拒绝");
    case ScannerJob::Outcome::LinkFailure: return Cli::tr("连接失败");
    }
    return QString();
}

QString ProgressDisplay::statusText(const ScannerJob &job)
{
    if (job.isFinished()) {
        QString text = outcomeText(job);
        if (const std::optional<quint32> checksum = job.scannerChecksum())
            text += QLatin1Char(' ') + checksumText(*checksum);
        if (!job.message().isEmpty() && job.exitCode() != ExitDone)
            text += Cli::tr("：%1").arg(job.message());
        return text;
    }
    QString text = phaseText(job.phase());
    if (job.steps() > 0)
        text += QStringLiteral(" %1 %2/%3").arg(bar(job.step(), job.steps())).arg(job.step()).arg(job.steps());
    return text;
}

QString ProgressDisplay::lineOf(const ScannerJob &job) const
{
    return padded(job.target().text, m_nameWidth) + QStringLiteral("  ") + statusText(job);
}

void ProgressDisplay::redraw()
{
    QString text;
    if (m_drawn)
        text += QString::fromLatin1(CursorUp).arg(m_jobs.size());
    for (const ScannerJob *job : std::as_const(m_jobs))
        text += QString::fromLatin1(ClearLine) + lineOf(*job) + QLatin1Char('\n');
    m_drawn = true;
    Output::write(text);
}

void ProgressDisplay::jobChanged(int index)
{
    if (m_live)
        return;  // the timer draws
    const ScannerJob &job = *m_jobs.at(index);
    const int phase = static_cast<int>(job.phase());
    if (phase == m_shownPhase.at(index))
        return;
    m_shownPhase[index] = phase;
    const QString said = job.isFinished() ? statusText(job) : phaseText(job.phase());
    Output::write(job.target().text + Cli::tr("：%1").arg(said) + QLatin1Char('\n'));
}

}  // namespace veltrix::cli
