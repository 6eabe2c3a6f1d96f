#pragma once

#include "core/link/configurationdiff.h"

#include <QDialog>
#include <QVector>

#include <memory>

class QTableWidget;

namespace Ui {
class DifferencesDialog;
}

namespace veltrix {

class AreaModel;

// Lists every difference between the document and the scanner that a verification or
// the read-back of a write-all found: area, field, item, the document's value and the
// scanner's, in the language shown. A double-click on a row makes that area (and
// field) the document's current one, so the editors and the view go there. Not modal:
// the user edits with the list open.
class DifferencesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DifferencesDialog(AreaModel *areas, QWidget *parent = nullptr);
    ~DifferencesDialog() override;

    // Fills the list and shows the dialog; afterWrite says the differences make a
    // write-all a failed one.
    void showDifferences(const QVector<ConfigurationDifference> &differences, bool afterWrite);

    QTableWidget *table() const;
    QString summary() const;
    const QVector<ConfigurationDifference> &differences() const { return m_differences; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void fill();
    void rowChosen(int row);

    std::unique_ptr<Ui::DifferencesDialog> m_ui;
    AreaModel *m_areas;  // not owned
    QVector<ConfigurationDifference> m_differences;
    bool m_afterWrite = false;
};

}  // namespace veltrix
