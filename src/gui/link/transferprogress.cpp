#include "gui/link/transferprogress.h"

#include "core/link/linktransaction.h"
#include "core/link/serialcomm.h"
#include "core/link/transfertexts.h"
#include "core/link/writealltransaction.h"

#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressDialog>

namespace veltrix {

namespace {
const char *const ProgressPicture = ":images/ConnectSensor";
}

TransferProgress::TransferProgress(QObject *parent)
    : QObject(parent), m_dialog(std::make_unique<QProgressDialog>())
{
    auto *label = new QLabel;
    label->setPixmap(QPixmap(QString::fromLatin1(ProgressPicture)));
    m_dialog->setLabel(label);  // the dialog takes the label
    m_dialog->setRange(0, Maximum);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    // A new progress dialog would show itself after its minimum duration; it stays
    // hidden until a transfer starts.
    m_dialog->reset();
    m_dialog->hide();
}

TransferProgress::~TransferProgress()
{
    if (m_notice)
        delete m_notice.data();
}

QMessageBox *TransferProgress::notice() const
{
    return m_notice.data();
}

void TransferProgress::attach(SERIAL_COMM *link)
{
    connect(link, &SERIAL_COMM::TransactionStarted, this, &TransferProgress::follow);
    // The button, Escape and closing the window all cancel.
    connect(m_dialog.get(), &QProgressDialog::canceled, link, &SERIAL_COMM::CancelTransfer);
}

void TransferProgress::follow(LinkTransaction *transaction)
{
    const TransactionKind kind = transaction->kind();
    if (kind != TransactionKind::ReadAll && kind != TransactionKind::WriteAll
        && kind != TransactionKind::Verify)
        return;
    // Shown with each area asked for or written, at the number of steps done: a
    // write-all that reads the scanner back counts the areas twice, and is titled as a
    // verification while it reads.
    auto *writing = qobject_cast<WriteAllTransaction *>(transaction);
    connect(transaction, &LinkTransaction::progressChanged, this, [this, kind, writing](int step, int of) {
        const bool readingBack = writing && writing->isReadingBack();
        m_dialog->setMaximum(of);
        showProgress(transfertexts::progressTitle(readingBack ? TransactionKind::Verify : kind), step);
    });
    connect(transaction, &LinkTransaction::finished, this, &TransferProgress::closeProgress);
}

void TransferProgress::showProgress(const QString &title, int value)
{
    m_dialog->setWindowTitle(title);
    if (!m_dialog->isVisible()) {
        // Set on every showing, so that it follows the language chosen since.
        m_dialog->setCancelButtonText(tr("取消"));
        m_dialog->show();
    }
    setProgress(value);
}

void TransferProgress::setProgress(int value)
{
    // A hidden progress dialog would pop itself up on a new value (after its minimum
    // duration); a stray reply outside a transfer must not bring it back.
    if (!m_dialog->isVisible())
        return;
    // Reaching the maximum closes the dialog by itself.
    m_dialog->setValue(value);
}

void TransferProgress::closeProgress()
{
    m_dialog->reset();
    m_dialog->hide();
}

void TransferProgress::showNotice(const QString &title, const QString &text)
{
    // Not modal and without a parent window; it deletes itself when closed, and a
    // newer notice replaces an older one still open.
    if (m_notice)
        m_notice->close();
    auto *box = new QMessageBox(QMessageBox::Information, title, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    m_notice = box;
}

}  // namespace veltrix
