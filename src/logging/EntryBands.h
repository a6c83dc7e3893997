// The bands of the entry window with their edges and their ADIF names: what turns a frequency
// or the band name another logger wrote into the band text of a log line ("7", "144").
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace orvel {

struct EntryBand {
    const char *band;      // as the log line holds it
    double lowerMegahertz; // the band's edges, both inside it
    double upperMegahertz;
    const char *adifName; // "40m"
};

// In the order of the entry window's band list (entryBands()). The edges are those of the ADIF
// band enumeration.
const std::array<EntryBand, 11> &entryBandTable();

// The band whose edges hold a frequency in MHz; empty when none of the entry window's bands does.
std::optional<QString> entryBandOfFrequency(double megahertz);

// The band of an ADIF band name, capitals or not ("40m", "2M"); empty for any other name.
std::optional<QString> entryBandOfAdifName(QStringView name);

} // namespace orvel
