// The bands of the entry window's list, one table for everything that names a band: the band
// text a log line holds ("7", "144"), its ADIF name ("40m") and the segment the French licence
// opens on it. The radio's frequency and a frequency read from another logger's file both turn
// into a band through it.
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
};

// In the order of the entry window's band list.
const std::array<Band, 11> &bandTable();

// The band texts, in the list's order.
QStringList bandTexts();

// The band text of a frequency in hertz, edges included ("14" from 14 000 000 to 14 350 000
// Hz); empty outside every band of the list.
QString bandOfFrequency(qint64 hertz);

// The band text of an ADIF band name, capitals or not ("40m", "2M"); empty for any other name.
QString bandOfAdifName(QStringView name);

} // namespace orvel
