#include "core/report/configurationreport.h"

#include "core/app/version.h"
#include "core/link/configurationchecksum.h"
#include "core/link/sensorsettingtexts.h"
#include "core/project/devicemodels.h"
#include "core/project/project.h"
#include "core/report/areapages.h"
#include "core/report/reportcanvas.h"

#include <QDir>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace veltrix {

namespace {

using Canvas = ReportCanvas;

constexpr double TitleTop = 40.0;
constexpr double TitleSize = 8.0;
constexpr double FactsTop = 65.0;
constexpr double FactRowHeight = 8.0;
constexpr double FactLabelWidth = 55.0;
constexpr double SignatureTop = 200.0;
constexpr double SignatureRowHeight = 16.0;
constexpr double SignatureLineLeft = Canvas::Margin + FactLabelWidth;
constexpr double SignatureLineRight = Canvas::PageWidth - Canvas::Margin - 30.0;
constexpr double HeadingTop = Canvas::Margin;
constexpr double HeadingHeight = 8.0;
constexpr double HeadingSize = 5.0;
constexpr double TableTop = 28.0;
constexpr double TableRowHeight = 7.0;
constexpr double NumberColumnWidth = 14.0;
constexpr double CaptionColumnWidth = 80.0;
constexpr double FooterHeight = 5.0;
constexpr double RuleWidth = 0.1;
const QColor RuleColor(160, 160, 160);
const char *const TimestampFormat = "yyyy-MM-dd HH:mm:ss";
constexpr int FirstAddressField = 20;  // the four IP address fields close the list

QString shownFileName(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

}  // namespace

ReportDocument ReportDocument::of(const Project &project, const QDateTime &madeAt)
{
    ReportDocument document;
    document.modelIndex = project.modelIndex();
    document.configuration = project.configuration();
    document.projectFile = project.fileName();
    document.madeAt = madeAt;
    return document;
}

int ConfigurationReport::pageCount(const ReportDocument &document)
{
    int pages = 2;
    for (const AreaRecord &area : document.configuration.areas)
        pages += AreaPages::pageCount(area);
    return pages;
}

ReportResult ConfigurationReport::write(const ReportDocument &document, const QString &fileName,
                                        const ReportProgress &progress)
{
    ReportResult result;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = tr("无法写入报告“%1”：%2").arg(shownFileName(fileName), file.errorString());
        return result;
    }
    const std::optional<quint32> sum = configurationChecksum(document.configuration);
    const QString checksum = sum ? checksumText(*sum) : QString();
    const int pages = pageCount(document);
    const QVector<AreaRecord> &areas = document.configuration.areas;
    {
        QPdfWriter writer(&file);
        writer.setResolution(Canvas::Resolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(tr("激光扫描仪配置报告"));
        writer.setCreator(QStringLiteral("Veltrix %1").arg(ProgramVersion()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            result.error = tr("无法写入报告“%1”：%2").arg(shownFileName(fileName), tr("无法创建PDF"));
            return result;
        }
        const Canvas canvas(&painter);
        int page = 1;
        paintCover(canvas, document, checksum);
        paintFooter(canvas, checksum, page++, pages);
        writer.newPage();
        paintSettings(canvas, document);
        paintFooter(canvas, checksum, page++, pages);
        for (int index = 0; index < areas.size(); ++index) {
            const AreaRecord &area = areas.at(index);
            const std::optional<quint32> areaSum = areaChecksum(document.configuration, index);
            const QString areaText = areaSum ? checksumText(*areaSum) : QString();
            for (int areaPage = 0; areaPage < AreaPages::pageCount(area); ++areaPage) {
                writer.newPage();
                AreaPages::paint(canvas, area, index, document.modelIndex, areaPage, areaText);
                paintFooter(canvas, checksum, page++, pages);
            }
            if (progress && !progress(index + 1, int(areas.size()))) {
                painter.end();
                file.cancelWriting();
                result.outcome = ReportOutcome::Cancelled;
                return result;
            }
        }
        painter.end();
    }
    if (!file.commit()) {
        result.error = tr("无法写入报告“%1”：%2").arg(shownFileName(fileName), file.errorString());
        return result;
    }
    result.outcome = ReportOutcome::Written;
    result.pages = pages;
    return result;
}

void ConfigurationReport::paintCover(const ReportCanvas &canvas, const ReportDocument &document,
                                     const QString &checksum)
{
    canvas.text(Canvas::Margin, TitleTop, Canvas::ContentWidth, TitleSize * 2, tr("激光扫描仪配置报告"),
                TitleSize, Qt::AlignHCenter | Qt::AlignVCenter, true);

    const DeviceModel *model = deviceModel(document.modelIndex);
    QStringList withFields;
    for (int index = 0; index < document.configuration.areas.size(); ++index) {
        if (AreaPages::hasFields(document.configuration.areas.at(index)))
            withFields << QString::number(index);
    }
    const QList<QPair<QString, QString>> facts = {
        {tr("型号"), model ? QStringLiteral("%1XX").arg(QLatin1String(model->name)) : QString()},
        {tr("项目文件"), document.projectFile.isEmpty() ? tr("（未保存）") : shownFileName(document.projectFile)},
        {tr("日期和时间"), document.madeAt.toString(QLatin1String(TimestampFormat))},
        {tr("配置校验和"), checksum.isEmpty() ? tr("无（有区域无法传输）") : checksum},
        {tr("程序版本"), ProgramVersion()},
        {tr("有输出区域的区域"),
         withFields.isEmpty() ? tr("无")
                              : tr("%1 个：%2").arg(withFields.size()).arg(withFields.join(QLatin1String(", ")))},
    };
    const double valueWidth = Canvas::ContentWidth - FactLabelWidth;
    const double lineGap = FactRowHeight - Canvas::TextSize;
    double y = FactsTop;
    for (const auto &fact : facts) {
        // A long file name or list of areas goes on over more lines.
        const double height = canvas.wrappedHeight(valueWidth, fact.second, Canvas::TextSize, true);
        canvas.text(Canvas::Margin, y, FactLabelWidth, Canvas::TextSize * 1.5, fact.first, Canvas::TextSize,
                    Qt::AlignLeft | Qt::AlignTop);
        canvas.text(Canvas::Margin + FactLabelWidth, y, valueWidth, height, fact.second, Canvas::TextSize,
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, true);
        y += qMax(height, Canvas::TextSize) + lineGap;
    }

    canvas.text(Canvas::Margin, SignatureTop - FactRowHeight * 2, Canvas::ContentWidth, FactRowHeight,
                tr("本人已核对：本报告所列配置即传感器中的配置。"), Canvas::TextSize);
    const QStringList signatureLines = {tr("工程师签名"), tr("日期")};
    for (int i = 0; i < signatureLines.size(); ++i) {
        const double top = SignatureTop + i * SignatureRowHeight;
        canvas.text(Canvas::Margin, top, FactLabelWidth, FactRowHeight, signatureLines.at(i), Canvas::TextSize);
        canvas.line(SignatureLineLeft, top + FactRowHeight - 1.0, SignatureLineRight, top + FactRowHeight - 1.0);
    }
}

// The 24 settings in the order of the dock and the project file, the four parts of the
// IP address on one line as an address.
void ConfigurationReport::paintSettings(const ReportCanvas &canvas, const ReportDocument &document)
{
    canvas.text(Canvas::Margin, HeadingTop, Canvas::ContentWidth, HeadingHeight,
                QCoreApplication::translate("SensorSettingDock", "传感器设定"), HeadingSize,
                Qt::AlignLeft | Qt::AlignVCenter, true);
    const double captionLeft = Canvas::Margin + NumberColumnWidth;
    const double valueLeft = captionLeft + CaptionColumnWidth;
    const double valueWidth = Canvas::ContentWidth - NumberColumnWidth - CaptionColumnWidth;
    double y = TableTop;
    canvas.text(Canvas::Margin, y, NumberColumnWidth, TableRowHeight, QStringLiteral("#"), Canvas::TextSize,
                Qt::AlignLeft | Qt::AlignVCenter, true);
    canvas.text(captionLeft, y, CaptionColumnWidth, TableRowHeight, tr("设定"), Canvas::TextSize,
                Qt::AlignLeft | Qt::AlignVCenter, true);
    canvas.text(valueLeft, y, valueWidth, TableRowHeight, tr("值"), Canvas::TextSize,
                Qt::AlignLeft | Qt::AlignVCenter, true);
    y += TableRowHeight;
    canvas.line(Canvas::Margin, y, Canvas::PageWidth - Canvas::Margin, y);

    const SensorParameters &parameters = document.configuration.parameters;
    for (int field = 0; field <= FirstAddressField; ++field) {
        QString number = QString::number(field + 1);
        QString value = sensorSettingValueText(parameters, field);
        if (field == FirstAddressField) {
            QStringList octets;
            for (int octet = field; octet < BoundSettingCount; ++octet)
                octets << sensorSettingValueText(parameters, octet);
            number = QStringLiteral("%1–%2").arg(field + 1).arg(BoundSettingCount);
            value = octets.join(QLatin1Char('.'));
        }
        canvas.text(Canvas::Margin, y, NumberColumnWidth, TableRowHeight, number, Canvas::TextSize);
        canvas.text(captionLeft, y, CaptionColumnWidth, TableRowHeight, sensorSettingCaption(field),
                    Canvas::TextSize);
        canvas.text(valueLeft, y, valueWidth, TableRowHeight, value, Canvas::TextSize);
        y += TableRowHeight;
        canvas.line(Canvas::Margin, y, Canvas::PageWidth - Canvas::Margin, y, RuleWidth, RuleColor);
    }
}

void ConfigurationReport::paintFooter(const ReportCanvas &canvas, const QString &checksum, int page,
                                      int pages)
{
    canvas.line(Canvas::Margin, Canvas::FooterTop, Canvas::PageWidth - Canvas::Margin, Canvas::FooterTop,
                RuleWidth, RuleColor);
    canvas.text(Canvas::Margin, Canvas::FooterTop, Canvas::ContentWidth, FooterHeight,
                tr("配置校验和 %1").arg(checksum.isEmpty() ? tr("无") : checksum), Canvas::SmallSize);
    canvas.text(Canvas::Margin, Canvas::FooterTop, Canvas::ContentWidth, FooterHeight,
                tr("第 %1 页，共 %2 页").arg(page).arg(pages), Canvas::SmallSize,
                Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace veltrix
