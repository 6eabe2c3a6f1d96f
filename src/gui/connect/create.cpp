#include "gui/connect/create.h"

#include "ui_create.h"

#include <QEvent>
#include <QTimer>

namespace veltrix {

namespace {
enum ConnectTab { SerialTab = 0, EthernetTab = 1 };
}

Create::Create(SerialPortLister ports, QWidget *parent)
    : QDialog(parent), ui(new Ui::Create), m_ports(std::move(ports))
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    // A title bar without close, minimise or maximise buttons: the user leaves the
    // dialog through one of its actions.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    connect(ui->Button_Quit, &QPushButton::clicked, this, &Create::QuitButton);
    connect(ui->Button_Create, &QPushButton::clicked, this, &Create::CreateNewProject);
    connect(ui->Button_Open, &QPushButton::clicked, this, &Create::OpenProjectFile);
    connect(ui->Button_Connect, &QPushButton::clicked, this, &Create::ConnectToLaserSensor);
    connect(ui->Button_Refresh, &QPushButton::clicked, this, &Create::UpdateSerialPortSetting);
    connect(ui->Button_Refresh_ETH, &QPushButton::clicked, this, &Create::UpdateEthernetSetting);
    connect(&m_discovery, &ScannerDiscovery::scannerFound, this, &Create::addScanner);
    connect(&m_discovery, &ScannerDiscovery::OpenEthernetMode, this, &Create::OpenEthernetMode);

    ui->comboBox_Ethernet->setEditable(true);
    ui->Button_Clear->hide();
}

Create::~Create()
{
    DelteclientSocket();
    delete ui;
}

void Create::setPortLister(SerialPortLister ports)
{
    m_ports = std::move(ports);
}

int Create::modelIndex() const
{
    return ui->LaserSensorType->currentIndex();
}

void Create::QuitButton()
{
    emit QuitSignal();
    DelteclientSocket();
    // reject() of this class keeps the dialog open; the dialog's own one closes it.
    QDialog::reject();
}

void Create::CreateNewProject()
{
    emit CreateSignal(modelIndex());
    emit CreateInterface(ui->ConnecttabWidget->currentIndex());
    DelteclientSocket();
    hide();
}

void Create::OpenProjectFile()
{
    emit OpenProjectSignal();
    DelteclientSocket();
    hide();
}

void Create::ConnectToLaserSensor()
{
    listOnce();
    emit CreateSignal(modelIndex());
    if (ui->ConnecttabWidget->currentIndex() == EthernetTab) {
        const QString address = ui->comboBox_Ethernet->currentText();
        // With several scanners found, the chosen one's own mode goes first, not the
        // mode of whichever scanner answered last.
        const QString mode = m_discovery.modeOf(address.trimmed());
        if (!mode.isEmpty())
            emit OpenEthernetMode(mode);
        emit OpenEthernetSignal(address);
    } else {
        emit OpenSerialSignal(SerialPortNameOfItem(ui->comboBox_Serial->currentText()));
    }
    DelteclientSocket();
    hide();
}

void Create::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_listed)
        QTimer::singleShot(0, this, &Create::listOnce);
}

void Create::listOnce()
{
    if (m_listed)
        return;
    m_listed = true;
    UpdateSerialPortSetting();
    UpdateEthernetSetting();
}

void Create::UpdateSerialPortSetting()
{
    ui->comboBox_Serial->clear();
    if (!m_ports)
        return;
    const QList<SerialPortEntry> ports = m_ports();
    for (const SerialPortEntry &port : ports)
        ui->comboBox_Serial->addItem(SerialPortItemText(port));
}

void Create::UpdateEthernetSetting()
{
    ui->comboBox_Ethernet->clear();
    m_discovery.start();
}

void Create::addScanner(const QString &address)
{
    if (ui->comboBox_Ethernet->findText(address, Qt::MatchExactly) < 0)
        ui->comboBox_Ethernet->addItem(address);
}

void Create::DelteclientSocket()
{
    m_discovery.DelteclientSocket();
}

void Create::on_Button_Clear_clicked()
{
    ui->comboBox_Ethernet->clear();
}

void Create::reject()
{
}

void Create::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

}  // namespace veltrix
