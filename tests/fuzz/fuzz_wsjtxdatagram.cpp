// A datagram of any content heard on the WSJT-X port: it is read or dropped, never more; the
// QSO it describes, when it describes one, becomes a log line of the stored length whose call
// sign and moment are the QSO's, or a French reason not to write it.
#include "FuzzSupport.h"
#include "digital/DigitalQso.h"
#include "digital/WsjtxMessage.h"
#include "records/QsoLine.h"

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const WsjtxDecoding decoding = decodeWsjtxDatagram(fuzz::bytesOf(data, size));
    fuzz::require(decoding.message.has_value() != !decoding.problem.isEmpty(),
                  "un datagramme est lu, ou laissé avec sa raison");
    if (!decoding.message)
        return 0;
    const auto received = receivedQso(*decoding.message);
    if (!received)
        return 0;
    receivedQsoKey(*received);
    DigitalContext context;
    context.operatorCall = QStringLiteral("Q1ABC");
    const DigitalConversion conversion = convertReceivedQso(*received, context);
    if (!conversion.qso) {
        fuzz::require(!conversion.refusal.isEmpty(), "un QSO refusé a sa raison");
        return 0;
    }
    const QString line = formatQsoLine(*conversion.qso);
    fuzz::require(line.size() == kQsoLineLength, "la ligne a la longueur d'une ligne du log");
    const QsoRecord back = parseQsoLine(line);
    fuzz::require(back.call == conversion.qso->call, "l'indicatif se relit tel quel");
    fuzz::require(back.time == received->timeOn.toUTC().toString(QStringLiteral("hh:mm")),
                  "l'heure est celle du début du QSO, en UTC");
    fuzz::require(qsoOrderKey(line).has_value(), "la ligne a sa place dans le temps");
    return 0;
}
