#include "gui/link/transferquestions.h"

#include "core/areas/areamodelstate.h"
#include "core/project/devicemodels.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace veltrix {

namespace transferquestions {

int AreasWithPoints(const QVector<AreaRecord> &areas)
{
    int count = 0;
    for (const AreaRecord &area : areas) {
        bool points = false;
        for (int field = 0; field < FieldCount; ++field)
            points = points || !area.points(field).isEmpty();
        count += points ? 1 : 0;
    }
    return count;
}

UserMessage readOverUnsavedChanges()
{
    UserMessage message;
    message.icon = MessageIcon::Question;
    message.title = QCoreApplication::translate("TransferQuestions", "连接设备");
    message.text = QCoreApplication::translate("TransferQuestions",
                                               "读取传感器配置将覆盖当前工程中未保存的修改。");
    message.buttons = QStringList{QCoreApplication::translate("TransferQuestions", "读取"),
                                  QCoreApplication::translate("TransferQuestions", "保留工程")};
    message.defaultButton = KeepProject;
    message.escapeButton = KeepProject;
    return message;
}

UserMessage writeAllConfirmation(const WriteAllSummary &summary)
{
    const DeviceModel *model = deviceModel(summary.modelIndex);
    const QString modelName = model ? QString::fromLatin1(model->name) + QStringLiteral("XX")
                                    : QString();
    QString file = summary.fileName.isEmpty()
        ? QCoreApplication::translate("TransferQuestions", "（未保存）")
        : QDir::toNativeSeparators(QFileInfo(summary.fileName).fileName());
    if (!summary.fileName.isEmpty() && summary.unsaved)
        file += QCoreApplication::translate("TransferQuestions", "（有未保存的修改）");

    UserMessage message;
    message.icon = MessageIcon::Question;
    message.title = QCoreApplication::translate("TransferQuestions", "下载数据");
    message.text =
        QCoreApplication::translate("TransferQuestions", "将工程写入传感器，替换其中的全部配置？")
        + QStringLiteral("\n\n")
        + QCoreApplication::translate("TransferQuestions", "目标：%1").arg(summary.target)
        + QLatin1Char('\n')
        + QCoreApplication::translate("TransferQuestions", "型号：%1").arg(modelName)
        + QLatin1Char('\n')
        + QCoreApplication::translate("TransferQuestions", "工程文件：%1").arg(file)
        + QLatin1Char('\n')
        + QCoreApplication::translate("TransferQuestions", "非空区域：%1 / %2")
              .arg(summary.areasWithPoints)
              .arg(AreaCount);
    message.buttons = QStringList{QCoreApplication::translate("TransferQuestions", "写入"),
                                  QCoreApplication::translate("TransferQuestions", "取消")};
    message.defaultButton = CancelWriting;
    message.escapeButton = CancelWriting;
    return message;
}

}  // namespace transferquestions

}  // namespace veltrix
