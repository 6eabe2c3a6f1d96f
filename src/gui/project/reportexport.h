#pragma once

#include "gui/project/projectfiles.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QProgressDialog;
class QWidget;

namespace veltrix {

class Messenger;
class Project;

// File > Export Report: asks for a PDF name and writes the project's configuration
// report there (ConfigurationReport) in the current language, with progress over the
// 64 areas and Cancel. A report that cannot be written is told in one message naming
// the file and the reason; nothing half-written is left behind.
class ReportExport : public QObject
{
    Q_OBJECT

public:
    ReportExport(Project *project, Messenger *messenger, FileChooser chooser, QWidget *dialogParent,
                 QObject *parent = nullptr);
    ~ReportExport() override;

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    QProgressDialog *progressDialog() const { return m_progress.get(); }

public slots:
    // Asks for the file and writes the report; true when it was written.
    bool exportReport();

private:
    bool confirmReplacing(const QString &fileName);

    Project *m_project;
    Messenger *m_messenger;
    FileChooser m_chooser;
    std::unique_ptr<QProgressDialog> m_progress;
};

}  // namespace veltrix
