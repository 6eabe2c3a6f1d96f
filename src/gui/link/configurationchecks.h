#pragma once

#include "core/link/scannerconfiguration.h"
#include "core/link/transactionresult.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QLabel;
class QStatusBar;

namespace veltrix {

class AREA_TABLE;
class ConnectionControl;
class DifferencesDialog;
class Project;
class ProjectFiles;
class SERIAL_COMM;

// The form's parts that show the configuration checks; not owned.
struct ConfigurationCheckWidgets
{
    QAction *verify = nullptr;          // Connections › Verify
    QStatusBar *statusBar = nullptr;    // receives the checksum, at its right end
    AREA_TABLE *areaTable = nullptr;    // per-area checksums in its tool tips
    QWidget *window = nullptr;          // parent of the list of differences
};

// The window's side of proving what the scanner holds: the Verify action (usable while
// connected) starts a verification; the differences it or a write-all's read-back
// found are listed in a dialog; the status bar shows the configuration checksum after
// every read-all, write-all, verification, open and save, and says in its tool tip
// whose it is; the area list's tool tips show each area's checksum.
class ConfigurationChecks : public QObject
{
    Q_OBJECT

public:
    // What the checksum shown belongs to.
    enum class Source { None, Document, Scanner };

    ConfigurationChecks(Project *project, SERIAL_COMM *link, ConnectionControl *connection,
                        ProjectFiles *files, const ConfigurationCheckWidgets &widgets,
                        QObject *parent = nullptr);
    ~ConfigurationChecks() override;

    DifferencesDialog *differencesDialog() const { return m_dialog.get(); }
    // "校验和 1A2B3C4D" in the status bar, hidden until there is one to show.
    QLabel *checksumLabel() const { return m_label; }
    Source shownSource() const { return m_source; }
    // The checksum shown; empty when nothing is shown or the configuration cannot
    // travel (then the strip shows a dash).
    std::optional<quint32> shownChecksum() const { return m_checksum; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void transactionFinished(const TransactionResult &result);
    void show(const ScannerConfiguration &configuration, Source source, const QString &fileName = QString());
    void updateTexts();

    Project *m_project;  // not owned
    ConfigurationCheckWidgets m_widgets;
    std::unique_ptr<DifferencesDialog> m_dialog;
    QLabel *m_label;  // owned by the status bar
    Source m_source = Source::None;
    std::optional<quint32> m_checksum;
    QString m_fileName;
    QDateTime m_shownAt;
    int m_stuckArea = -1;
    int m_stuckField = -1;
};

}  // namespace veltrix
