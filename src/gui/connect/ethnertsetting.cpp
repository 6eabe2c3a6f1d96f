#include "gui/connect/ethnertsetting.h"

#include "core/connect/connectiontexts.h"
#include "core/connect/scannerconnection.h"
#include "ui_ethnertsetting.h"

#include <QEvent>
#include <QLineEdit>

namespace veltrix {

EthnertSetting::EthnertSetting(QWidget *parent) : QDialog(parent), ui(new Ui::EthnertSetting)
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);

    connect(ui->Enter, &QPushButton::clicked, this, &EthnertSetting::confirm);
    connect(ui->Cancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(ui->Button_Flash, &QPushButton::clicked, this, &EthnertSetting::fillPortsInfo);
    connect(&m_discovery, &ScannerDiscovery::scannerFound, this, &EthnertSetting::addScanner);
    connect(&m_discovery, &ScannerDiscovery::OpenEthernetMode, this, &EthnertSetting::OpenEthernetMode);
    // A new address typed or chosen: the complaint about the last one no longer holds.
    connect(ui->Eth_ComboBox, &QComboBox::currentTextChanged, ui->label_AddressError, &QWidget::hide);

    // The search starts when the dialog is opened (the Ethernet Setting action), not
    // with the program: the start dialog searches already.
    ui->Eth_ComboBox->setEditable(true);
    ui->Button_Clear->hide();
}

EthnertSetting::~EthnertSetting()
{
    m_discovery.DelteclientSocket();
    delete ui;
}

void EthnertSetting::fillPortsInfo()
{
    ui->Eth_ComboBox->clear();
    m_discovery.start();
}

void EthnertSetting::addScanner(const QString &address)
{
    if (ui->Eth_ComboBox->findText(address, Qt::MatchExactly) < 0)
        ui->Eth_ComboBox->addItem(address);
}

void EthnertSetting::confirm()
{
    const QString address = ui->Eth_ComboBox->currentText();
    if (!ScannerConnection::isAddress(address)) {
        ui->label_AddressError->setText(connectiontexts::failureLine(
            connectiontexts::ethernetTarget(address), ScannerConnection::Cause::NotIpv4, QString()));
        ui->label_AddressError->show();
        ui->Eth_ComboBox->setFocus();
        if (QLineEdit *edit = ui->Eth_ComboBox->lineEdit())
            edit->selectAll();
        return;
    }
    update();
}

void EthnertSetting::update()
{
    ui->label_AddressError->hide();
    const QString address = ui->Eth_ComboBox->currentText();
    m_discovery.DelteclientSocket();
    hide();
    // With several scanners each keeps its own mode: the chosen one's goes first, so
    // that the connection uses it and not the mode of whichever scanner answered last.
    const QString mode = m_discovery.modeOf(address.trimmed());
    if (!mode.isEmpty())
        emit OpenEthernetMode(mode);
    emit OpenEthernetSignal(address);
}

void EthnertSetting::on_Button_Clear_clicked()
{
    ui->Eth_ComboBox->clear();
}

void EthnertSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

}  // namespace veltrix
