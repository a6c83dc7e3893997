// A QSO that WSJT-X or JTDX logged, as this program stores it: the QSO of a "QSO Logged"
// message or of a "Logged ADIF" one, the key that tells the two (and any copy of them) for one
// QSO, and the log line a QSO typed in the entry window at that moment would give.
#pragma once

#include "WsjtxMessage.h"
#include "records/FirstNames.h"
#include "records/QsoLine.h"

#include <QDateTime>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace orvel {

// The QSO as the sender described it.
struct ReceivedQso {
    QString sender;       // the sender's id
    QDateTime timeOn;     // UTC; invalid when the sender's stamp cannot be read
    QString call;         // as sent
    qint64 frequency = 0; // Hz; 0 when not given
    QString adifBand;     // the ADIF band name ("20m"), when given
    QString mode;         // "FT8", "MFSK"
    QString submode;      // "FT4"
    QString reportSent;
    QString reportReceived;
    QString name;
    QString comments;
};

// Whether the sender is JTDX, which stamps UTC times as local ones ("JTDX -  14074000").
bool isJtdxSender(const QString &id);

// The QSO of a QSO Logged (5) or Logged ADIF (12) message; nothing for any other message or an
// ADIF text without a record.
std::optional<ReceivedQso> receivedQso(const WsjtxMessage &message);

// The fields of the first record of an ADIF text, names in capitals (the header, up to <EOH>,
// left out). A field whose length runs past the text is cut where the text ends.
QHash<QString, QString> firstAdifRecord(const QString &text);

// The band the log gets: from the frequency through the band table, else from the ADIF band
// name; empty outside every band of the log.
QString receivedBand(const ReceivedQso &qso);

// The key that makes one QSO of the messages describing it: the sender, the call sign, the
// minute it began and its band. A QSO Logged and a Logged ADIF of one QSO give the same key.
QString receivedQsoKey(const ReceivedQso &qso);

// What the log line needs besides the QSO.
struct DigitalContext {
    QString operatorCall; // the entry window's operator
    // The first-name memory, as the entry window's call-sign step reads it.
    std::function<std::optional<RememberedName>(const QString &call)> remembered;
};

// The QSO as the log stores it, or why it cannot be stored (in French, for the status line).
struct DigitalConversion {
    std::optional<QsoRecord> qso;
    QString refusal;
};

// The record a QSO typed at its own moment (time on, UTC) would give: the call sign in
// capitals; the band of the frequency; the mode as the log names it (records/LogModes.h); the
// reports cut to 3 characters ("59" when not sent, as the entry window puts it for a digital
// mode); the name sent, or the first name the memory holds, and the memory's département; the
// comments in capitals as remarks; the context's operator. Text is folded to the files'
// character set and cut to its column. Refused: no call sign or one longer than its column, a
// moment that cannot be read, a frequency outside every band.
DigitalConversion convertReceivedQso(const ReceivedQso &qso, const DigitalContext &context);

// A frequency as the operator reads it: "14 074,000 kHz".
QString kilohertzText(qint64 hertz);

// The QSOs already taken, by key: a copy sent again (a relay, a replay, the Logged ADIF after
// its QSO Logged) is known.
class SeenQsos
{
public:
    // True the first time a key is given.
    bool firstSight(const QString &key);
    // Forgets a key, so that a QSO that could not be written is taken when sent again.
    void forget(const QString &key) { m_keys.remove(key); }
    qsizetype size() const { return m_keys.size(); }

private:
    QSet<QString> m_keys;
};

} // namespace orvel
