// The dd/mm/yy and hh:mm texts of the logs, and the century rule for two-digit years.
#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <optional>

namespace orvel {

// 50..99 are 1950..1999, 00..49 are 2000..2049.
int fullYear(int twoDigitYear);

// dd/mm/yy of a date (the day's date text of the clocks and file names).
QString dateText(const QDate &date);
// hh:mm of a time.
QString timeText(const QTime &time);
// hh:mm:ss of a time (the clock displays).
QString clockText(const QTime &time);

// The dd/mm/yy form: ASCII digits with "/" after the day and the month; the date may not
// exist (31/02/24 has the form).
bool hasDateForm(QStringView text);
// The hh:mm form: ASCII digits with ":" after the hour; the time may not exist.
bool hasTimeForm(QStringView text);

// The separator that typing adds to a date ("/" after the day and after the month) or to a
// time (":" after the hour), given the text typed so far; empty when none is due.
QString dateSeparatorDue(QStringView typed);
QString timeSeparatorDue(QStringView typed);

// The calendar date of a dd/mm/yy text with the century rule; empty when the text is not
// exactly a valid dd/mm/yy date.
std::optional<QDate> parseDateText(const QString &text);
// The time of an hh:mm text; empty when not exactly a valid hh:mm time.
std::optional<QTime> parseTimeText(const QString &text);

// A number that orders moments by their dd/mm/yy date and hh:mm time as typed: year with its
// century, month, day, hour, minute. Only the form is checked, as the entry fields check only
// the form; empty when either text lacks it.
std::optional<qint64> momentOrderKey(QStringView date, QStringView time);
// The same of raw file bytes (a valid date and time are plain ASCII).
std::optional<qint64> momentOrderKey(QByteArrayView date, QByteArrayView time);

} // namespace orvel
