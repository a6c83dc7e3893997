// Continents_DXCC.csv of any content, and call signs: the table's look-up finds what a plain
// pass over its lines finds (the first line whose prefix begins the call sign), the reader of
// the data folder either gives a table or says in French why not, and the countries
// contacted are listed once each, in order.
#include "FuzzSupport.h"
#include "common/TextFile.h"
#include "common/Windows1252.h"
#include "records/QsoLine.h"
#include "views/CountryTable.h"

using namespace orvel;

namespace {

const CountryEntry *plainLookup(const CountryTable &table, QStringView call)
{
    for (const CountryEntry &entry : table.entries()) {
        if (call.startsWith(entry.prefix))
            return &entry;
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line holds the call signs, separated by blanks; the rest is the table's file.
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype end = bytes.indexOf('\n');
    const QStringList calls = decodeWindows1252(end < 0 ? bytes : bytes.left(end))
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QByteArray file = end < 0 ? QByteArray() : bytes.mid(end + 1);

    const QStringList lines = readLinesOf(file);
    const CountryTable table(lines);
    fuzz::require(table.entries().size() + table.skippedLines() == lines.size(),
                  "chaque ligne est lue ou laissée de côté");
    QStringList logLines;
    for (const QString &call : calls + lines) {
        fuzz::require(table.lookup(call) == plainLookup(table, call),
                      "la recherche trouve la première ligne dont le préfixe convient");
        logLines.append(
            formatQsoLine({"05/09/13", "08:35", call, "", "", "59", "59", "SSB", "14", "", ""}));
    }

    const QStringList contacted = countriesContacted(logLines, table);
    for (qsizetype i = 1; i < contacted.size(); ++i)
        fuzz::require(countryEntryBefore(contacted.at(i - 1), contacted.at(i)),
                      "les pays en ordre, chacun une fois");

    fuzz::writeDataFile(kCountryTableFile, file);
    const CountryTableRead read = readCountryTable(fuzz::dataFolder());
    fuzz::require(read.found == read.message.isEmpty(), "une table lue, ou un message");
    fuzz::require(read.found || read.table.entries().isEmpty(),
                  "une table refusée ne donne aucun pays");
    return 0;
}
