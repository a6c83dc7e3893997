#include "CountryTable.h"

#include "Diagnostics.h"
#include "common/FileRead.h"
#include "common/TextFile.h"
#include "records/QsoLine.h"

#include <QDir>
#include <algorithm>

namespace orvel {

std::optional<CountryEntry> parseCountryLine(QStringView line)
{
    const qsizetype first = line.indexOf(u';');
    const qsizetype second = first < 0 ? -1 : line.indexOf(u';', first + 1);
    const qsizetype third = second < 0 ? -1 : line.indexOf(u';', second + 1);
    if (third < 0)
        return std::nullopt;
    CountryEntry entry;
    entry.prefix = line.left(first).toString();
    entry.name = line.mid(first + 1, second - first - 1).toString();
    entry.code = line.mid(second + 1, third - second - 1).left(kCountryCodeWidth).toString();
    entry.rest = line.mid(third + 1).toString();
    return entry;
}

CountryTable::CountryTable(const QStringList &lines)
{
    m_entries.reserve(lines.size());
    for (const QString &line : lines) {
        auto entry = parseCountryLine(line);
        if (!entry) {
            ++m_skipped;
            continue;
        }
        m_firstLineOfPrefix.insert(entry->prefix, m_entries.size());
        m_longestPrefix = std::max(m_longestPrefix, entry->prefix.size());
        m_entries.append(std::move(*entry));
    }
    // insert() above kept the last line of a repeated prefix; the first one matches first.
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i)
        m_firstLineOfPrefix.insert(m_entries.at(i).prefix, i);
}

const CountryEntry *CountryTable::lookup(QStringView call) const
{
    qsizetype best = -1;
    const qsizetype longest = std::min(m_longestPrefix, call.size());
    for (qsizetype length = 0; length <= longest; ++length) {
        // The call's own characters, not a copy: a look-up per length, for every call sign.
        const auto found = m_firstLineOfPrefix.constFind(QString::fromRawData(call.data(), length));
        if (found != m_firstLineOfPrefix.constEnd() && (best < 0 || *found < best))
            best = *found;
    }
    return best < 0 ? nullptr : &m_entries.at(best);
}

CountryTableRead readCountryTable(const QString &folder)
{
    CountryTableRead read;
    const QString path = dataFilePath(folder, kCountryTableFile);
    const QString shown = QDir::toNativeSeparators(path);
    const FileBytes file = readFileBytes(path);
    if (file.outcome == FileBytes::Outcome::Missing) {
        read.message = QStringLiteral("La table des pays %1 est introuvable : la liste des pays "
                                      "contactés reste vide.")
                           .arg(shown);
        return read;
    }
    if (!file.ok()) {
        read.message = QStringLiteral("La table des pays %1 ne peut pas être lue (%2) : la liste "
                                      "des pays contactés reste vide.")
                           .arg(shown, file.reason());
        return read;
    }
    read.table = CountryTable(readLinesOf(file.bytes));
    const int kept = int(read.table.entries().size());
    const int skipped = read.table.skippedLines();
    // A text table holds no NUL, and most of its lines are "prefix;country;code;...": anything
    // else is another file under its name, whose every call sign would be "Pays inconnu".
    if (file.bytes.contains('\0') || kept == 0 || skipped > kept) {
        read.table = CountryTable();
        read.message = QStringLiteral("Le fichier %1 n'est pas une table des pays (lignes "
                                      "« préfixe;pays;code;... ») : la liste des pays contactés "
                                      "reste vide. Remplacez-le, par exemple avec la commande "
                                      "orvel-multi pays CTY.DAT.")
                           .arg(shown);
        return read;
    }
    read.found = true;
    if (skipped > 0)
        qCWarning(lcViews) << path << ":" << skipped << "lines without three separators left out";
    return read;
}

QString countryListEntry(const QString &code, const QString &name)
{
    return code.leftJustified(kCountryCodeWidth) + QLatin1Char(' ') + name;
}

bool countryEntryBefore(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

CountriesContacted::CountriesContacted(CountryTable table)
    : m_table(std::move(table))
{
}

bool CountriesContacted::addLine(QStringView logLine)
{
    return addCall(qsoField(logLine, qsocol::kCall));
}

bool CountriesContacted::addCall(QStringView call)
{
    const CountryEntry *country = m_table.lookup(call);
    const QString code = country ? country->code.trimmed() : kUnknownCountryCode;
    if (m_codes.contains(code))
        return false;
    m_codes.insert(code);
    const QString entry = country ? countryListEntry(country->code, country->name)
                                  : countryListEntry(kUnknownCountryCode, kUnknownCountryName);
    m_entries.insert(
        std::lower_bound(m_entries.begin(), m_entries.end(), entry, countryEntryBefore), entry);
    return true;
}

void CountriesContacted::clear()
{
    m_entries.clear();
    m_codes.clear();
}

QStringList countriesContacted(const QStringList &logLines, const CountryTable &table)
{
    CountriesContacted countries(table);
    for (const QString &line : logLines)
        countries.addLine(line);
    return countries.entries();
}

} // namespace orvel
