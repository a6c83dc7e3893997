// The upload files of a POTA park: its log cut into one ADIF file per UTC day, named
// CALL@PARK-YYYYMMDD.adi, and each day's count against the 10 QSOs an activation needs.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvel {

inline constexpr int kPotaActivationQsos = 10;

// The QSOs of one day of a park's log.
struct PotaDay {
    QDate day;
    QByteArray log; // the day's QSO lines as stored, in log order, each ended by CRLF
    int qsos = 0;
    int duplicates = 0; // a station worked again that day on the same band and mode
    bool activates() const { return qsos - duplicates >= kPotaActivationQsos; }
};

struct PotaDays {
    QList<PotaDay> days; // in date order
    int undated = 0;     // QSOs whose date names no day: they are in no upload file
};

// The log cut at 00:00 by the date of each QSO, the day its qso_date field gives. The log's
// dates and times are taken as UTC, as the POTA rules count them.
PotaDays potaDays(const QByteArray &log);

// The activator as the upload files' names hold it, every "/" written "_"; nothing when it is
// empty or holds other characters than letters, digits and "/".
std::optional<QString> potaUploadCall(const QString &activator);

// Why the park gets no upload file when the activator cannot name one.
QString potaUploadCallMessage(const QString &park, const QString &activator);

// uploadCall + "@" + park + "-" + yyyymmdd + ".adi".
QString potaUploadFileName(const QString &uploadCall, const QString &park, const QDate &day);

// "FR-0123 le 18/05/24 : 12 QSO, activation valide", with the QSOs worked twice and what is
// missing when the day falls short.
QString potaActivationCount(const QString &park, const PotaDay &day);

// What the export tells of a park after its ADIF file: the upload files written, the count of
// each day, and the QSOs left out for want of a date.
QString potaUploadSummary(const QString &park, const PotaDays &days,
                          const QStringList &uploadFiles);

} // namespace orvel
