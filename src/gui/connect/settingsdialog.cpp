#include "gui/connect/settingsdialog.h"

#include "ui_settingsdialog.h"

#include <QEvent>
#include <QIntValidator>
#include <QLineEdit>

namespace veltrix {

namespace {

constexpr int DefaultDataBitsIndex = 3;  // "8"

}  // namespace

SettingsDialog::SettingsDialog(SerialPortLister ports, QWidget *parent)
    : QDialog(parent),
      ui(new Ui::SettingsDialog),
      m_intValidator(new QIntValidator(0, MaximumCustomBaudRate, this)),
      m_ports(std::move(ports))
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    ui->baudRateBox->setInsertPolicy(QComboBox::NoInsert);

    connect(ui->Enter, &QPushButton::clicked, this, &SettingsDialog::update);
    connect(ui->Cancel, &QPushButton::clicked, this, &QDialog::hide);

    fillParameters();
    connect(ui->baudRateBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::checkCustomBaudRatePolicy);
    updateSettings();
}

void SettingsDialog::showEvent(QShowEvent *event)
{
    listPortsOnce();
    QDialog::showEvent(event);
}

void SettingsDialog::listPortsOnce()
{
    if (!m_listed)
        fillPortsInfo();
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::setPortLister(SerialPortLister ports)
{
    m_ports = std::move(ports);
}

void SettingsDialog::fillParameters()
{
    // Every item but "Custom" carries its rate; "Custom" carries none and takes what
    // the user types. The first, which a freshly started dialog offers, is the
    // scanners' own line speed.
    ui->baudRateBox->addItem(QString::number(SerialSettings::DefaultBaudRate), SerialSettings::DefaultBaudRate);
    ui->baudRateBox->addItem(QStringLiteral("115200"), QSerialPort::Baud115200);
    ui->baudRateBox->addItem(QStringLiteral("9600"), QSerialPort::Baud9600);
    ui->baudRateBox->addItem(QStringLiteral("19200"), QSerialPort::Baud19200);
    ui->baudRateBox->addItem(QStringLiteral("38400"), QSerialPort::Baud38400);
    ui->baudRateBox->addItem(QStringLiteral("Custom"));
    ui->baudRateBox->addItem(QStringLiteral("460800"), 460800);

    ui->dataBitsBox->addItem(QStringLiteral("5"), QSerialPort::Data5);
    ui->dataBitsBox->addItem(QStringLiteral("6"), QSerialPort::Data6);
    ui->dataBitsBox->addItem(QStringLiteral("7"), QSerialPort::Data7);
    ui->dataBitsBox->addItem(QStringLiteral("8"), QSerialPort::Data8);
    ui->dataBitsBox->setCurrentIndex(DefaultDataBitsIndex);

    ui->parityBox->addItem(QStringLiteral("None"), QSerialPort::NoParity);
    ui->parityBox->addItem(QStringLiteral("Even"), QSerialPort::EvenParity);
    ui->parityBox->addItem(QStringLiteral("Odd"), QSerialPort::OddParity);
    ui->parityBox->addItem(QStringLiteral("Mark"), QSerialPort::MarkParity);
    ui->parityBox->addItem(QStringLiteral("Space"), QSerialPort::SpaceParity);

    ui->stopBitsBox->addItem(QStringLiteral("1"), QSerialPort::OneStop);
    ui->stopBitsBox->addItem(QStringLiteral("1.5"), QSerialPort::OneAndHalfStop);
    ui->stopBitsBox->addItem(QStringLiteral("2"), QSerialPort::TwoStop);

    ui->flowControlBox->addItem(QStringLiteral("None"), QSerialPort::NoFlowControl);
    ui->flowControlBox->addItem(QStringLiteral("RTS/CTS"), QSerialPort::HardwareControl);
    ui->flowControlBox->addItem(QStringLiteral("XON/XOFF"), QSerialPort::SoftwareControl);
}

void SettingsDialog::fillPortsInfo()
{
    m_listed = true;
    ui->serialPortInfoListBox->clear();
    if (!m_ports)
        return;
    const QList<SerialPortEntry> ports = m_ports();
    for (const SerialPortEntry &port : ports)
        ui->serialPortInfoListBox->addItem(SerialPortItemText(port));
}

void SettingsDialog::checkCustomBaudRatePolicy(int idx)
{
    const bool custom = !ui->baudRateBox->itemData(idx).isValid();
    ui->baudRateBox->setEditable(custom);
    if (custom) {
        ui->baudRateBox->clearEditText();
        ui->baudRateBox->lineEdit()->setValidator(m_intValidator);
    }
    updateSettings();
}

void SettingsDialog::update()
{
    listPortsOnce();
    updateSettings();
    emit OpenSerialSignal(m_currentSettings.name);
    hide();
}

void SettingsDialog::updateSettings()
{
    m_currentSettings.name = SerialPortNameOfItem(ui->serialPortInfoListBox->currentText());

    // A typed rate that is empty or not a number counts as 0, which the transport
    // refuses to open a port with.
    const QVariant rate = ui->baudRateBox->currentData();
    m_currentSettings.baudRate = rate.isValid() ? rate.toInt() : ui->baudRateBox->currentText().toInt();
    m_currentSettings.stringBaudRate = QString::number(m_currentSettings.baudRate);

    m_currentSettings.dataBits = static_cast<QSerialPort::DataBits>(ui->dataBitsBox->currentData().toInt());
    m_currentSettings.stringDataBits = ui->dataBitsBox->currentText();
    m_currentSettings.parity = static_cast<QSerialPort::Parity>(ui->parityBox->currentData().toInt());
    m_currentSettings.stringParity = ui->parityBox->currentText();
    m_currentSettings.stopBits = static_cast<QSerialPort::StopBits>(ui->stopBitsBox->currentData().toInt());
    m_currentSettings.stringStopBits = ui->stopBitsBox->currentText();
    m_currentSettings.flowControl =
        static_cast<QSerialPort::FlowControl>(ui->flowControlBox->currentData().toInt());
    m_currentSettings.stringFlowControl = ui->flowControlBox->currentText();
}

void SettingsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

}  // namespace veltrix
