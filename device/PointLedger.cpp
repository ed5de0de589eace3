#include "device/PointLedger.h"

void PointLedger::clear()
{
    m_sent.reset();
    m_awaited.reset();
}

void PointLedger::await(quint8 number)
{
    m_sent.set(number);
    m_awaited = number;
}

void PointLedger::release()
{
    m_awaited.reset();
}

PointLedger::Verdict_e PointLedger::take(quint8 number)
{
    if (!m_awaited)
        return NotAwaited;
    if (number != *m_awaited && m_sent.test(number))
        return Stale;
    m_awaited.reset();
    return Accepted;
}
