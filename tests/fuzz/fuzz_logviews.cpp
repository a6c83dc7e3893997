// A log of any content, as the listings, the search and the départements tally read it: the
// readers of the log's text and of its stored bytes agree line for line, every list holds each
// line it should once and in order, an added line goes where the whole list puts it, and the
// tally marks what a plain pass over the lines marks.
#include "FuzzSupport.h"
#include "common/TextFile.h"
#include "records/CurrentLog.h"
#include "records/LogFiles.h"
#include "records/QsoLine.h"
#include "views/DepartmentTally.h"
#include "views/Listings.h"
#include "views/QsoSearch.h"

#include <QSet>

using namespace orvel;

namespace {

const QString kReference = QStringLiteral("DFCF 89010");

void checkAlphaList(const QStringList &lines, const CurrentLog &log)
{
    const QList<qsizetype> order = alphaListOrder(lines);
    fuzz::require(order == alphaListOrder(log) && order == alphaListOrder(log.rows()),
                  "le log alphabétique du texte et des octets");
    QSet<QString> listed;
    for (const qsizetype index : order) {
        fuzz::require(index >= 0 && index < lines.size(), "une ligne du log");
        fuzz::require(!listed.contains(lines.at(index)), "une ligne en double listée une fois");
        listed.insert(lines.at(index));
    }
    fuzz::require(listed.size() == QSet<QString>(lines.begin(), lines.end()).size(),
                  "chaque ligne listée");
    fuzz::require(alphaListEntries(lines).size() == order.size(), "une entrée par ligne listée");
    if (lines.isEmpty())
        return;
    // The last line added to the others goes where the list of them all puts it.
    const QStringList before = lines.first(lines.size() - 1);
    const qsizetype place = alphaListPlace(before, alphaListOrder(before), lines.last());
    if (place < 0)
        fuzz::require(order.size() == alphaListOrder(before).size(), "une ligne déjà listée");
    else
        fuzz::require(order.value(place) == lines.size() - 1, "la ligne ajoutée à sa place");
}

void checkOperators(const QStringList &lines, const CurrentLog &log)
{
    const QStringList operators = operatorList(lines);
    fuzz::require(operators == operatorListOfCalls(log.distinctCalls()),
                  "les opérateurs du texte et des octets");
    fuzz::require(QSet<QString>(operators.begin(), operators.end()).size() == operators.size(),
                  "chaque opérateur une fois");
    if (lines.isEmpty())
        return;
    const QStringList before = operatorList(lines.first(lines.size() - 1));
    const qsizetype place = operatorListPlace(before, lines.last());
    if (place < 0)
        fuzz::require(operators.size() == before.size(), "un indicatif déjà listé");
    else
        fuzz::require(operators.value(place) == callOfLine(lines.last()),
                      "l'indicatif ajouté à sa place");
}

void checkSearch(const QStringList &lines, const CurrentLog &log)
{
    if (lines.isEmpty())
        return;
    const QString key = callOfLine(lines.first()).left(3);
    const SearchOutcome found = searchQsos(log, SearchOption::Call, key);
    if (key.isEmpty()) {
        fuzz::require(found.stopped && found.entries.isEmpty(), "une clé vide n'est pas cherchée");
        return;
    }
    fuzz::require(found.entries.size() == found.rows.size(), "une ligne par résultat");
    fuzz::require(!found.rows.isEmpty() || key.toUpper() != key, "la première ligne trouvée");
    for (qsizetype i = 0; i < found.rows.size(); ++i) {
        const int row = found.rows.at(i);
        fuzz::require(i == 0 || found.rows.at(i - 1) < row, "les résultats dans l'ordre du log");
        fuzz::require(callOfLine(lines.at(row)).contains(key.toUpper()), "l'indicatif cherché");
        const int chosen = rowOfSearchResult(log, found.entries.at(i));
        fuzz::require(chosen >= row, "le résultat choisi mène à sa ligne");
    }
}

void checkTally(const QStringList &lines, const CurrentLog &log)
{
    for (const QString &line : lines.mid(0, 4)) {
        const QString band = bandWithUnit(line);
        const QString mode = modeOfLine(line);
        DepartmentMarks plain;
        for (const QString &other : lines) {
            if (bandWithUnit(other) != band || modeOfLine(other) != mode)
                continue;
            if (const auto index = departmentIndex(rawColumn(other, qsocol::kDepartment)))
                plain.set(size_t(*index));
        }
        fuzz::require(markDepartments(log, band, mode) == plain,
                      "les départements marqués sont ceux des lignes de la bande et du mode");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeDataFile(kReference + QStringLiteral(".txt"), bytes);
    const QStringList lines = readLines(path);
    CurrentLog log{LogFiles(fuzz::dataFolder())};
    log.load(kReference);
    fuzz::require(log.copyOfLines() == lines, "le log courant lit les lignes du fichier");

    const QStringList entries = logListEntries(lines);
    fuzz::require(entries.size() == lines.size(), "une entrée par ligne");
    for (qsizetype i = 0; i < entries.size(); ++i)
        fuzz::require(entries.at(i) == logListEntry(int(i + 1), lines.at(i)),
                      "chaque ligne numérotée à son rang");
    checkAlphaList(lines, log);
    checkOperators(lines, log);
    checkSearch(lines, log);
    checkTally(lines, log);
    return 0;
}
