#pragma once

#include <QtGlobal>

#include <bitset>
#include <optional>

// The point numbers that the test sequence has sent on the current link and
// the one whose result it awaits, so that a 'V' reply can be told from a stale
// or unrequested one. Point numbers are 8 bits wide: row 256 is number 1 again.
class PointLedger
{
public:
    enum Verdict_e
    {
        Accepted,
        NotAwaited,
        Stale
    };

    // A new link: nothing has been sent on it yet.
    void clear();
    // A vibrate frame with this number went out; its result is awaited.
    void await(quint8 number);
    // The wait for the point ended (result, timeout, stop or lost link).
    void release();
    std::optional<quint8> awaited() const { return m_awaited; }

    // A reply is accepted when it carries the awaited number, or a number
    // never sent on this link (a calibrator that does not echo point numbers).
    // An accepted reply ends the wait, so a second copy of it is not taken.
    Verdict_e take(quint8 number);

private:
    std::bitset<256> m_sent;
    std::optional<quint8> m_awaited;
};
