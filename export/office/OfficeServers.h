#pragma once

#include "export/office/AutomationReply.h"

#include <QString>

// The automation servers that this machine offers, by program identifier.
namespace OfficeServers {

// A new application object, or null for an unknown identifier.
AutomationDispatchPtr start(const QString &programId);

} // namespace OfficeServers
