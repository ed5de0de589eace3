#pragma once

// Status codes of updateStatus. Each protocol step has a sent and an
// acknowledged flag; a step's three codes clear the pair ("Requested"), mark
// the frame written ("Sent") and mark the reply handled ("Acked").
namespace StatusCode {
enum StatusCode_e : int
{
    ResetAll = 0,
    ConnectRequested = 2,
    ConnectSent = 3,
    ConnectAcked = 4,
    DisconnectRequested = 5,
    DisconnectSent = 6,
    DisconnectAcked = 7,
    ReadRequested = 8,
    ReadSent = 9,
    ReadAcked = 10,
    ConfigRequested = 11,
    ConfigSent = 12,
    ConfigAcked = 13,
    PointRequested = 14,
    PointSent = 15,
    PointAcked = 16,
};
} // namespace StatusCode
