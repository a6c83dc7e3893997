// The country table made from the amateur-radio country file cty.dat (CT format): one line
// "prefix;country name;code;continent;CQ zone;ITU zone;latitude;longitude;UTC offset" per
// prefix, longer prefixes first so that the first matching line is the longest match.
#pragma once

#include "common/TextFile.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace orvel {

struct CtyConversion {
    QStringList lines; // the table, in lookup order
    QString error;     // French, with the line of cty.dat; empty when the file was read whole
    int countries = 0;
    int exactCallsLeftOut = 0;
    bool ok() const { return error.isEmpty(); }
};

// Every entity of the file and its prefixes. Entries of one exact call sign ("=") are left
// out, since they would match every call sign that begins with them; the overrides that follow
// a prefix ("(14)", "[28]", "<lat/long>", "{EU}", "~offset~") are taken off it and replace
// the entity's value on that prefix's line. A primary prefix loses its "*" and is cut to 5
// characters. A prefix given twice keeps its first entity.
CtyConversion convertCtyDat(QStringView text);

// Writes the table into the data folder's Continents_DXCC.csv through a scratch file.
FileResult writeCountryTable(const QString &folder, const QStringList &lines);

// The table built into the program (made from Debian's cty.dat).
QStringList builtInCountryTable();

// Writes the built-in table into the data folder when the folder has none; an existing table
// is never replaced (the user may have edited it). written tells whether it was written.
FileResult installCountryTable(const QString &folder, bool *written = nullptr);

} // namespace orvel
