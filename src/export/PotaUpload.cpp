#include "PotaUpload.h"

#include "AdifWriter.h"
#include "LogBytes.h"
#include "common/FixedColumns.h"
#include "records/QsoLine.h"

#include <QMap>
#include <QSet>

#include <algorithm>

namespace orvel {

namespace {

QByteArray bytesOf(LogBytes bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// What makes a contact count once in a day: the station, the band and the mode.
QByteArray contactKey(LogBytes line)
{
    return bytesOf(byteField(line, qsocol::kCall)) + '\t' +
           bytesOf(byteField(line, qsocol::kBandWithUnit)) + '\t' +
           bytesOf(byteField(line, qsocol::kMode));
}

bool isCallCharacter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('/');
}

} // namespace

PotaDays potaDays(const QByteArray &log)
{
    PotaDays result;
    QMap<QDate, PotaDay> days;
    QMap<QDate, QSet<QByteArray>> worked;
    forEachQsoLine(log, [&](LogBytes line) {
        const QDate day = adifQsoDay(byteColumn(line, qsocol::kDate));
        if (!day.isValid()) {
            ++result.undated;
            return true;
        }
        PotaDay &entry = days[day];
        entry.day = day;
        entry.log.append(line.data(), qsizetype(line.size()));
        entry.log.append("\r\n");
        ++entry.qsos;
        QSet<QByteArray> &contacts = worked[day];
        const QByteArray key = contactKey(line);
        if (contacts.contains(key))
            ++entry.duplicates;
        else
            contacts.insert(key);
        return true;
    });
    result.days = days.values();
    return result;
}

std::optional<QString> potaUploadCall(const QString &activator)
{
    const QString call = trimBlanks(activator);
    if (call.isEmpty() || !std::all_of(call.cbegin(), call.cend(), isCallCharacter))
        return std::nullopt;
    return QString(call).replace(QLatin1Char('/'), QLatin1Char('_'));
}

QString potaUploadCallMessage(const QString &park, const QString &activator)
{
    const QString call = trimBlanks(activator);
    const QString why =
        call.isEmpty()
            ? QStringLiteral("l'indicatif de l'activeur est vide")
            : QStringLiteral("l'indicatif de l'activeur « %1 » ne peut pas nommer un fichier "
                             "(lettres, chiffres et / seulement)")
                  .arg(call);
    return QStringLiteral("Pas de fichier à envoyer au site POTA pour %1 : %2.").arg(park, why);
}

QString potaUploadFileName(const QString &uploadCall, const QString &park, const QDate &day)
{
    return uploadCall + QLatin1Char('@') + park + QLatin1Char('-') +
           day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".adi");
}

QString potaActivationCount(const QString &park, const PotaDay &day)
{
    QString count = QStringLiteral("%1 le %2 : %3 QSO")
                        .arg(park, day.day.toString(QStringLiteral("dd/MM/yy")))
                        .arg(day.qsos);
    if (day.duplicates > 0)
        count += QStringLiteral(" dont %1 en double").arg(day.duplicates);
    if (day.activates())
        return count + QStringLiteral(", activation valide");
    return count +
           QStringLiteral(", activation non validée (%1 QSO nécessaires)").arg(kPotaActivationQsos);
}

QString potaUploadSummary(const QString &park, const PotaDays &days, const QStringList &uploadFiles)
{
    QStringList lines;
    if (!uploadFiles.isEmpty()) {
        lines.append(QStringLiteral("Fichiers à envoyer au site POTA, un par jour UTC :"));
        lines.append(uploadFiles);
    }
    for (const PotaDay &day : days.days)
        lines.append(potaActivationCount(park, day));
    if (days.days.isEmpty() && days.undated == 0)
        lines.append(
            QStringLiteral("%1 : aucun QSO, pas de fichier à envoyer au site POTA").arg(park));
    if (days.undated > 0)
        lines.append((days.undated == 1
                          ? QStringLiteral("%1 : %2 QSO sans date valide n'est dans aucun fichier "
                                           "à envoyer")
                          : QStringLiteral("%1 : %2 QSO sans date valide ne sont dans aucun "
                                           "fichier à envoyer"))
                         .arg(park)
                         .arg(days.undated));
    return lines.join(QLatin1Char('\n'));
}

} // namespace orvel
