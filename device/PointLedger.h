#pragma once

#include <QtGlobal>

#include <optional>

// Which 'V' reply answers the point under test. The calibrator's reply carries
// a point number that the protocol leaves uninterpreted: an echoing calibrator
// puts the number of the vibrate frame there, another may put anything. The
// ledger learns which kind it faces from the points answered: two points in a
// row answered with their own (different) numbers show an echoing calibrator,
// from then on only the awaited number is taken; two points in a row answered
// with other numbers show one that does not echo, whose replies are all taken.
// Until then a reply with another number is held, and taken only when the
// awaited number does not come.
class PointLedger
{
public:
    enum Echo_e
    {
        EchoUnknown,
        Echoes,
        NoEcho
    };

    enum Verdict_e
    {
        Accepted,
        NotAwaited,
        Mismatched,
        Held
    };

    // A new link to a calibrator of which this much is known.
    void begin(Echo_e known);
    Echo_e echo() const { return m_echo; }

    // A vibrate frame with this number went out; its result is awaited.
    void await(quint8 number);
    // The wait for the point ended without a result (stop or lost link).
    void release();
    // The wait ended on the timeout. An echoing calibrator that answered the
    // point with another number may have been replaced: what it showed is
    // forgotten.
    void timedOut();
    std::optional<quint8> awaited() const { return m_awaited; }

    // An accepted reply ends the wait, so a second copy of it is not taken.
    // Held: the reply is the point's result unless the awaited number comes.
    Verdict_e take(quint8 number);
    // The held reply is taken as the point's result.
    void takeHeld();

private:
    void learn(bool echoed, quint8 number);

    Echo_e m_echo = EchoUnknown;
    std::optional<quint8> m_awaited;
    bool m_holding = false;
    bool m_mismatched = false;
    int m_echoedInRow = 0;
    int m_otherInRow = 0;
    std::optional<quint8> m_lastEchoed;
};
