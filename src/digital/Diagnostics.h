// The logging category of the reception from WSJT-X and JTDX, "orvel.digital": each datagram
// dropped and why, for the developer; the operator is told in French in the status line.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcDigital)
}
