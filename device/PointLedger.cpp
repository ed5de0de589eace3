#include "device/PointLedger.h"

namespace {
// Points in a row that show what kind of calibrator answers.
constexpr int pointsToDecide = 2;
} // namespace

void PointLedger::begin(Echo_e known)
{
    m_echo = known;
    m_echoedInRow = 0;
    m_otherInRow = 0;
    m_lastEchoed.reset();
    release();
}

void PointLedger::await(quint8 number)
{
    m_awaited = number;
    m_holding = false;
    m_mismatched = false;
}

void PointLedger::release()
{
    m_awaited.reset();
    m_holding = false;
}

void PointLedger::timedOut()
{
    if (m_echo == Echoes && m_mismatched)
        begin(EchoUnknown);
    release();
}

PointLedger::Verdict_e PointLedger::take(quint8 number)
{
    if (!m_awaited)
        return NotAwaited;
    const bool echoed = number == *m_awaited;
    if (echoed || m_echo == NoEcho) {
        learn(echoed, *m_awaited);
        release();
        return Accepted;
    }
    if (m_echo == EchoUnknown && !m_holding) {
        m_holding = true;
        return Held;
    }
    m_mismatched = true;
    return Mismatched;
}

void PointLedger::takeHeld()
{
    if (!m_holding)
        return;
    learn(false, *m_awaited);
    release();
}

void PointLedger::learn(bool echoed, quint8 number)
{
    if (echoed) {
        m_otherInRow = 0;
        if (m_lastEchoed != number)
            ++m_echoedInRow;
        m_lastEchoed = number;
    } else {
        m_echoedInRow = 0;
        m_lastEchoed.reset();
        ++m_otherInRow;
    }
    if (m_echoedInRow >= pointsToDecide)
        m_echo = Echoes;
    else if (m_otherInRow >= pointsToDecide)
        m_echo = NoEcho;
}
