// The bands, one table for everything that names a band: the band text a log line holds ("7",
// "144"), its ADIF name ("40m") and its edges. The bands of the entry window's list have the
// segment the French licence opens on them, and the radio's frequency turns into one of them
// only; a file of another logger may also bring the bands a log line holds besides them (60m as
// "5", 4m as "70", 70cm as "432"), which the ADIF exports write back under their ADIF names.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <array>

namespace orvel {

struct Band {
    const char *text;     // as the log line holds it
    const char *adifName; // "40m"
    qint64 lowHertz;      // the segment's edges, both inside it
    qint64 highHertz;
    bool inEntryList; // in the entry window's list (and the radio's bands)
};

// The entry window's list in its order, then the bands only a file brings.
const std::array<Band, 14> &bandTable();

// The band texts, in the list's order.
QStringList bandTexts();

// The band text of a frequency in hertz, edges included ("14" from 14 000 000 to 14 350 000
// Hz); empty outside every band of the list.
QString bandOfFrequency(qint64 hertz);

// The band text of an ADIF band name of the list, capitals or not ("40m", "2M"); empty for any
// other name.
QString bandOfAdifName(QStringView name);

// The same over every band a log line holds, those only a file brings included ("60m" is "5",
// 5 354 000 Hz is "5"): what another logger's file may bring.
QString loggedBandOfFrequency(qint64 hertz);
QString loggedBandOfAdifName(QStringView name);

} // namespace orvel
