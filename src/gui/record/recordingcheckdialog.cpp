#include "gui/record/recordingcheckdialog.h"

#include "core/link/configurationchecksum.h"
#include "core/project/devicemodels.h"
#include "core/record/recordingreader.h"
#include "gui/graphics/fieldentryview.h"
#include "gui/record/replaybar.h"
#include "ui_recordingcheckdialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QProgressDialog>
#include <QTableWidget>

namespace veltrix {

namespace {

const QColor EnteredColor(255, 210, 200);
const QColor ClearColor(210, 240, 210);

// Where a row's moments are kept, on its area cell.
constexpr int AreaRole = Qt::UserRole;
constexpr int FirstScanRole = Qt::UserRole + 1;
constexpr int WorstScanRole = Qt::UserRole + 2;

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

RecordingCheckDialog::RecordingCheckDialog(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::RecordingCheckDialog>())
{
    m_ui->setupUi(this);
    m_ui->CheckTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_ui->CheckTable->horizontalHeader()->setStretchLastSection(true);
    connect(m_ui->CheckButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->CheckTable, &QTableWidget::cellDoubleClicked, this, &RecordingCheckDialog::rowActivated);
}

RecordingCheckDialog::~RecordingCheckDialog() = default;

CheckOutcome RecordingCheckDialog::run(RecordingReader &reader, const QString &fileName,
                                       const QVector<AreaRecord> &areas, double rangeSquare,
                                       std::optional<quint32> projectChecksum)
{
    m_fileName = fileName;
    m_header = reader.header();
    m_scanCount = reader.scanCount();
    m_durationMs = reader.durationMs();
    m_projectChecksum = projectChecksum;
    m_areas = areas;
    m_result = RecordingCheck();
    m_error.clear();
    m_running = true;
    fill();
    showSummary();
    showState();
    show();
    raise();

    // The check runs here, between the events of the progress window, which keeps
    // every other window of the program from being used meanwhile.
    QProgressDialog progress(tr("正在对照录制检查…"), tr("取消"), 0, qMax(1, m_scanCount), this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    m_progress = &progress;
    m_outcome = CheckRecording(reader, areas, rangeSquare, rangeSquare, m_result, &m_error,
                               [&progress](int done, int total) {
                                   progress.setMaximum(qMax(1, total));
                                   progress.setValue(done);
                                   QCoreApplication::processEvents();
                                   return !progress.wasCanceled();
                               });
    m_progress = nullptr;
    m_running = false;
    fill();
    showState();
    return m_outcome;
}

void RecordingCheckDialog::showSummary()
{
    const DeviceModel *model = deviceModel(m_header.model);
    QString text = tr("“%1”：%2 次扫描，%3，型号 %4。")
                       .arg(QDir::toNativeSeparators(m_fileName))
                       .arg(m_scanCount)
                       .arg(ReplayBar::TimeText(m_durationMs))
                       .arg(model ? QLatin1String(model->name) : QLatin1String("?"));
    const QString recorded = checksumText(m_header.configurationChecksum);
    if (!m_header.checksumKnown)
        text += QLatin1Char(' ') + tr("录制时扫描仪的配置未知。");
    else if (m_projectChecksum && *m_projectChecksum == m_header.configurationChecksum)
        text += QLatin1Char(' ') + tr("录制时扫描仪的配置校验和：%1，与项目的配置相同。").arg(recorded);
    else if (m_projectChecksum)
        text += QLatin1Char(' ') + tr("录制时扫描仪的配置校验和：%1，项目的配置不同（%2）。")
                                       .arg(recorded, checksumText(*m_projectChecksum));
    else
        text += QLatin1Char(' ') + tr("录制时扫描仪的配置校验和：%1。").arg(recorded);
    m_ui->CheckSummary->setText(text);
}

void RecordingCheckDialog::showState()
{
    QString text;
    if (m_running)
        text = tr("正在检查…");
    else if (m_outcome == CheckOutcome::Cancelled)
        text = tr("检查已取消：只检查了前 %1 次扫描（共 %2 次）。").arg(m_result.scansChecked).arg(m_scanCount);
    else if (m_outcome == CheckOutcome::Failed)
        text = tr("检查在第 %1 次扫描中断：%2").arg(m_result.scansChecked + 1).arg(m_error);
    else if (m_result.areas.isEmpty())
        text = tr("项目中没有画了点的区域。");
    else
        text = tr("检查了全部 %1 次扫描。").arg(m_result.scansChecked);
    m_ui->CheckState->setText(text);
}

// One row per field with points of every area checked.
void RecordingCheckDialog::fill()
{
    QTableWidget *table = m_ui->CheckTable;
    table->setRowCount(0);
    for (const AreaCheck &check : std::as_const(m_result.areas)) {
        const AreaRecord &area = m_areas.at(check.area);
        for (int field = 0; field < FieldCount; ++field) {
            if (area.points(field).isEmpty())
                continue;
            const FieldCheck &entered = check.fields[static_cast<size_t>(field)];
            const int row = table->rowCount();
            table->insertRow(row);
            QTableWidgetItem *areaCell = cell(QString::number(check.area));
            areaCell->setData(AreaRole, check.area);
            areaCell->setData(FirstScanRole, entered.firstScan);
            areaCell->setData(WorstScanRole, entered.worstScan);
            table->setItem(row, AreaColumn, areaCell);
            table->setItem(row, FieldColumn, cell(FieldTabName(field)));
            QTableWidgetItem *count = cell(QStringLiteral("%1 / %2").arg(entered.scansEntered).arg(m_result.scansChecked));
            count->setBackground(entered.scansEntered > 0 ? EnteredColor : ClearColor);
            table->setItem(row, EnteredColumn, count);
            if (entered.scansEntered == 0) {
                table->setItem(row, FirstColumn, cell(QStringLiteral("—")));
                table->setItem(row, WorstColumn, cell(QStringLiteral("—")));
                continue;
            }
            table->setItem(row, FirstColumn, cell(tr("%1（扫描 %2）")
                                                      .arg(ReplayBar::TimeText(entered.firstTimeMs))
                                                      .arg(entered.firstScan + 1)));
            table->setItem(row, WorstColumn, cell(tr("%1（扫描 %2）：%3 mm，%4°")
                                                      .arg(ReplayBar::TimeText(entered.worstTimeMs))
                                                      .arg(entered.worstScan + 1)
                                                      .arg(qRound(entered.worstDistance))
                                                      .arg(qRound(entered.worstAngle))));
        }
    }
}

void RecordingCheckDialog::rowActivated(int row, int column)
{
    const QTableWidgetItem *areaCell = m_ui->CheckTable->item(row, AreaColumn);
    if (!areaCell || m_running)
        return;
    const int scan = areaCell->data(column == FirstColumn ? FirstScanRole : WorstScanRole).toInt();
    if (scan >= 0)
        emit jumpRequested(m_fileName, areaCell->data(AreaRole).toInt(), scan);
}

void RecordingCheckDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        if (!m_fileName.isEmpty()) {
            showSummary();
            showState();
            if (!m_running)
                fill();
        }
    }
    QDialog::changeEvent(event);
}

}  // namespace veltrix
