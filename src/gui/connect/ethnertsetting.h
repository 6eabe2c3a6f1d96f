#pragma once

#include "core/connect/scannerdiscovery.h"

#include <QDialog>

namespace Ui {
class EthnertSetting;
}

namespace veltrix {

// The Ethernet settings dialog: lists the scanners that answer the discovery search,
// lets the user pick one or type an address, and asks for that address to be
// connected to, together with the Ethernet mode that scanner reported.
class EthnertSetting : public QDialog
{
    Q_OBJECT

public:
    explicit EthnertSetting(QWidget *parent = nullptr);
    ~EthnertSetting() override;

    ScannerDiscovery &discovery() { return m_discovery; }

public slots:
    // Enter: connects as update() does when the text is an IPv4 address; otherwise the
    // dialog stays open and says under the list why the address cannot be used.
    void confirm();
    // Connects to the address in the list box: the mode found for it (if any) first,
    // then the address; stops listening for replies and hides the dialog.
    void update();
    // Starts a new search; the list box starts empty.
    void fillPortsInfo();
    void on_Button_Clear_clicked();

signals:
    void OpenEthernetSignal(const QString &address);
    void OpenEthernetMode(const QString &mode);

protected:
    void changeEvent(QEvent *event) override;

private:
    void addScanner(const QString &address);

    Ui::EthnertSetting *ui;
    ScannerDiscovery m_discovery;
};

}  // namespace veltrix
