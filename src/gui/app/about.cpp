#include "gui/app/about.h"

#include "core/app/version.h"
#include "gui/resources/resources.h"
#include "ui_about.h"

#include <QEvent>
#include <QPixmap>

namespace veltrix {

namespace {
const char *const LogoPicture = ":images/radar";
}

About::About(QWidget *parent) : QDialog(parent), ui(new Ui::About)
{
    initResources();
    ui->setupUi(this);
    showVersion();
    setWindowModality(Qt::ApplicationModal);
    ui->label_logo->setPixmap(QPixmap(QString::fromLatin1(LogoPicture)));
    ui->NoteMessage->setEnabled(true);
    connect(ui->Button_Close, &QPushButton::clicked, this, &QDialog::close);
    fillReleaseNotes();
}

About::~About()
{
    delete ui;
}

void About::LanguageDisplayChinese()
{
    retranslate();
}

void About::LanguageDisplayEnglish()
{
    retranslate();
}

void About::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void About::retranslate()
{
    ui->retranslateUi(this);
    showVersion();
    fillReleaseNotes();
}

void About::showVersion()
{
    ui->label_Ver->setText(ui->label_Ver->text().arg(ProgramVersion()));
}

// One paragraph per line, the versions oldest first with an empty paragraph between
// them. Each version is one translated text: the languages do not list the same number
// of items.
void About::fillReleaseNotes()
{
    const QStringList versions{
        tr("版本信息: 1.3.5\n"
           "更新日期: 20231226\n"
           "更新内容:\n"
           "1)产品发布\n"
           "2)增加监控模式下通道自动切换功能，优化图形显示界面\n"
           "3)增加以太网模式，增加以太网版本激光扫描频率角度可调\n"
           "4)增加噪声过滤等级设置\n"
           "5)增加多种图形显示方式：区域，点云，线段\n"
           "6)解决超过保护容易触发的问题\n"
           "7)视窗放大可以观察到毫米级别精度\n"
           "8)解决运行库版本不兼容导致的弹窗\n"
           "9)增加传感器IP地址可全部配置，传感器软件版本V1.9或更高\n"
           "10)传感器V2.0版本以上的产品信息读取，兼容V2.0以下的\n"
           "11)修改IP发现策略，自动绑定所有网络设计，修复找不到传感器的Bug\n"
           "12)增加多次回波版本的参数配置\n"
           "13)增加部分传感器支持拖尾过滤算法"),
        tr("版本信息: 1.3.6\n"
           "更新日期: 20240815\n"
           "更新内容:\n"
           "1)界面优化\n"
           "2)增加下载生效是否重启提示框\n"
           "3)增加传感器正装、倒转,设置与显示\n"
           "4)增加传感器状态反馈显示\n"
           "5)增加配置文件信息，配置软件的版本和保存日期\n"
           "6)优化搜索传感器IP地址方式\n"
           "7)修复TCP断连重连问题\n"
           "8)IP地址范围\n"
           "9)连接失败弹出界面优化"),
        tr("版本信息: 1.3.7\n"
           "更新日期: 20240821\n"
           "更新内容:\n"
           "1)中英翻译优化\n"
           "2)优化UDP连接"),
    };
    ui->NoteMessage->clear();
    for (int i = 0; i < versions.size(); ++i) {
        if (i > 0)
            ui->NoteMessage->append(QString());
        const QStringList lines = versions.at(i).split(QLatin1Char('\n'));
        for (const QString &line : lines)
            ui->NoteMessage->append(line);
    }
}

}  // namespace veltrix
