#include "gui/link/differencesdialog.h"

#include "core/areas/areamodel.h"
#include "core/link/configurationdifferencetext.h"
#include "core/link/transfertexts.h"
#include "ui_differencesdialog.h"

#include <QEvent>
#include <QHeaderView>

namespace veltrix {

namespace {

enum Column { AreaColumn, FieldColumn, ItemColumn, DocumentColumn, ScannerColumn };

QTableWidgetItem *cell(const QString &text)
{
    return new QTableWidgetItem(text);
}

}  // namespace

DifferencesDialog::DifferencesDialog(AreaModel *areas, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DifferencesDialog>()), m_areas(areas)
{
    m_ui->setupUi(this);
    m_ui->DifferenceTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_ui->DifferenceTable, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { rowChosen(row); });
}

DifferencesDialog::~DifferencesDialog() = default;

QTableWidget *DifferencesDialog::table() const
{
    return m_ui->DifferenceTable;
}

QString DifferencesDialog::summary() const
{
    return m_ui->label_Summary->text();
}

void DifferencesDialog::showDifferences(const QVector<ConfigurationDifference> &differences,
                                        bool afterWrite)
{
    m_differences = differences;
    m_afterWrite = afterWrite;
    fill();
    show();
    raise();
    activateWindow();
}

void DifferencesDialog::fill()
{
    const int count = m_differences.size();
    m_ui->label_Summary->setText(m_afterWrite ? transfertexts::writeDiffersText(count)
                                              : tr("传感器中的设置与文档有 %1 处不同：").arg(count));
    QTableWidget *table = m_ui->DifferenceTable;
    table->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const ConfigurationDifference &difference = m_differences.at(row);
        table->setItem(row, AreaColumn, cell(ConfigurationDifferenceText::areaPart(difference)));
        table->setItem(row, FieldColumn, cell(ConfigurationDifferenceText::fieldPart(difference)));
        table->setItem(row, ItemColumn, cell(ConfigurationDifferenceText::itemPart(difference)));
        table->setItem(row, DocumentColumn, cell(ConfigurationDifferenceText::documentValue(difference)));
        table->setItem(row, ScannerColumn, cell(ConfigurationDifferenceText::scannerValue(difference)));
    }
}

void DifferencesDialog::rowChosen(int row)
{
    if (row < 0 || row >= m_differences.size())
        return;
    const ConfigurationDifference &difference = m_differences.at(row);
    if (difference.area < 0)
        return;  // a parameter word belongs to no area
    m_areas->setCurrentArea(difference.area);
    if (difference.field >= 0)
        m_areas->setCurrentField(difference.field);
}

void DifferencesDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        fill();
    }
    QDialog::changeEvent(event);
}

}  // namespace veltrix
