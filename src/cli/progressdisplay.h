#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

namespace veltrix::cli {

class ScannerJob;

// Shows how the scanners' jobs get on. On a terminal every scanner has one line that
// is drawn again as it moves (what it does, a bar, the areas done); otherwise a plain
// line is written whenever a scanner starts something new or ends, so that a log
// reads well.
class ProgressDisplay : public QObject
{
    Q_OBJECT

public:
    static constexpr int RedrawInterval = 100;  // ms
    static constexpr int BarWidth = 20;

    ProgressDisplay(const QList<ScannerJob *> &jobs, bool live, QObject *parent = nullptr);

    void begin();
    void end();

    // The line of one job as it stands.
    static QString statusText(const ScannerJob &job);
    // What a finished job came to, for the lines and the summary: "identical",
    // "written", "differences"...
    static QString outcomeText(const ScannerJob &job);

private:
    void redraw();
    void jobChanged(int index);
    QString lineOf(const ScannerJob &job) const;

    QList<ScannerJob *> m_jobs;
    bool m_live;
    int m_nameWidth = 0;
    QVector<int> m_shownPhase;
    QTimer m_timer;
    bool m_drawn = false;
};

// The width of text on a terminal: East Asian characters take two columns.
int displayWidth(const QString &text);
// text padded with blanks to width terminal columns.
QString padded(const QString &text, int width);

}  // namespace veltrix::cli
