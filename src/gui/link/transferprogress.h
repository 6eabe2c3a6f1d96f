#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class QLabel;
class QMessageBox;
class QProgressDialog;
class QString;

namespace veltrix {

class LinkTransaction;
class SERIAL_COMM;

// The window side of a configuration transfer: turns the progress of the link's
// read-all and write-all into its modal progress dialog (range 0..64, the "connect
// sensor" picture as its label, a Cancel button that stops the transfer), closes it
// when the transfer ends, and shows the non-modal notice of a complete read-all.
class TransferProgress : public QObject
{
    Q_OBJECT

public:
    static constexpr int Maximum = 64;

    explicit TransferProgress(QObject *parent = nullptr);
    ~TransferProgress() override;

    // Follows every read-all and write-all the link runs, and connects the dialog's
    // Cancel to the link.
    void attach(SERIAL_COMM *link);

    QProgressDialog *dialog() const { return m_dialog.get(); }
    // The notice box last shown, while it is open.
    QMessageBox *notice() const;

public slots:
    void showProgress(const QString &title, int value);
    void setProgress(int value);
    void closeProgress();
    void showNotice(const QString &title, const QString &text);

private:
    void follow(LinkTransaction *transaction);

    std::unique_ptr<QProgressDialog> m_dialog;
    QPointer<QMessageBox> m_notice;
};

}  // namespace veltrix
