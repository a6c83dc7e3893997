// An ADI reader of the tests' own, stricter than the programs that receive our files: every
// byte printable ASCII or a line end, every length exact, nothing but blanks between fields,
// no field twice in a record, and the values of the fields it knows checked against the ADIF
// standard (dates, times, bands, POTA references and the version that defines them).
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace orvel::testing {

using AdifFields = QMap<QString, QString>; // field names in capitals

struct AdifDocument {
    AdifFields header;
    QList<AdifFields> records;
    QString error; // empty when the file is accepted
};

AdifDocument readStrictAdif(const QByteArray &file);

} // namespace orvel::testing
