#include "core/link/verifytransaction.h"

#include "core/link/configurationdiff.h"

namespace veltrix {

VerifyTransaction::VerifyTransaction(const ScannerConfiguration &document, QObject *parent)
    : ReadAllTransaction(TransactionKind::Verify, ScannerConfiguration(), parent), m_document(document)
{
}

void VerifyTransaction::everythingRead()
{
    m_result.configuration = m_reading.configuration();
    m_result.differences = compareConfigurations(m_document, m_result.configuration);
    m_result.verified = true;
    finish(m_result.differences.isEmpty() ? TransactionOutcome::Complete : TransactionOutcome::Differs);
}

}  // namespace veltrix
