#include "core/link/linktransaction.h"

namespace veltrix {

LinkTransaction::LinkTransaction(TransactionKind kind, QObject *parent)
    : QObject(parent)
{
    m_result.kind = kind;
}

void LinkTransaction::answer(int choice)
{
    if (!m_waiting || m_finished)
        return;
    m_waiting = false;
    answered(choice);
    if (!m_finished)
        emit resumed();
}

bool LinkTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    Q_UNUSED(id)
    Q_UNUSED(frame)
    return !m_finished && !m_waiting;
}

void LinkTransaction::end(TransactionOutcome outcome)
{
    finish(outcome);
}

void LinkTransaction::finish(TransactionOutcome outcome)
{
    if (m_finished)
        return;
    m_finished = true;
    m_waiting = false;
    m_result.outcome = outcome;
    emit finished(m_result);
}

void LinkTransaction::setProgress(int step, int of)
{
    m_step = step;
    m_stepCount = of;
    emit progressChanged(step, of);
}

void LinkTransaction::ask(const TransactionQuestion &question)
{
    m_waiting = true;
    emit asks(question);
}

}  // namespace veltrix
