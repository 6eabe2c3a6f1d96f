#pragma once

#include "core/link/readalltransaction.h"

namespace veltrix {

// Proves that the scanner holds exactly the document: reads the scanner's whole
// configuration into a copy (the document is not touched) and compares it with the
// document as both travel. Complete when they are identical; Differs, with every
// difference listed, when not. The result's configuration is what the scanner holds.
class VerifyTransaction : public ReadAllTransaction
{
    Q_OBJECT

public:
    explicit VerifyTransaction(const ScannerConfiguration &document, QObject *parent = nullptr);

    const ScannerConfiguration &document() const { return m_document; }

protected:
    void everythingRead() override;

private:
    ScannerConfiguration m_document;
};

}  // namespace veltrix
