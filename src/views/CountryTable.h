// The country table Continents_DXCC.csv (call-sign prefix;country name;country code;rest) and
// the countries contacted of a log. The table is read once and looked up for every call sign.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace orvel {

inline const QString kCountryTableFile = QStringLiteral("Continents_DXCC.csv");
inline constexpr int kCountryCodeWidth = 5;
// What the list shows for a call sign that matches no line of the table.
inline const QString kUnknownCountryCode = QStringLiteral("?");
inline const QString kUnknownCountryName = QStringLiteral("Pays inconnu");

struct CountryEntry {
    QString prefix;
    QString name;
    QString code; // at most kCountryCodeWidth characters
    QString rest; // the line after its third ";"

    bool operator==(const CountryEntry &) const = default;
};

// A line split at its first three ";", the code cut to 5 characters; nothing when the line has
// fewer than three ";".
std::optional<CountryEntry> parseCountryLine(QStringView line);

class CountryTable
{
public:
    CountryTable() = default;
    // The lines of the file, in order; lines with fewer than three ";" are left out.
    explicit CountryTable(const QStringList &lines);

    const QList<CountryEntry> &entries() const { return m_entries; }
    // The lines left out for want of three ";".
    int skippedLines() const { return m_skipped; }

    // The first line whose prefix is the beginning of call (exact, case-sensitive); an empty
    // prefix matches every call sign. nullptr when no line matches.
    const CountryEntry *lookup(QStringView call) const;

private:
    QList<CountryEntry> m_entries;
    // The first line of each prefix: the first match is the matching prefix with the lowest
    // line, found with one look-up per length instead of a pass over the table.
    QHash<QString, qsizetype> m_firstLineOfPrefix;
    qsizetype m_longestPrefix = 0;
    int m_skipped = 0;
};

// The table of the data folder. found is false when there is no usable table: the file is
// missing or cannot be read, or it is no country table (a binary file, lines without their
// three ";"); message then tells it in French.
struct CountryTableRead {
    CountryTable table;
    bool found = false;
    QString message;
};
CountryTableRead readCountryTable(const QString &folder);

// An entry of Liste_Pays: the code, blanks up to 5 characters, one blank, the name.
QString countryListEntry(const QString &code, const QString &name);

// Liste_Pays, built call sign after call sign: one entry per country code, kept in
// alphabetical order. When two lines of the table share a code, the country is named by the
// line of the first call sign added: call signs are added in log order (a whole log as its
// distinct call signs in the order of their first QSOs).
class CountriesContacted
{
public:
    explicit CountriesContacted(CountryTable table);

    // Looks up the call sign of a log line; true when its country was not listed yet.
    bool addLine(QStringView logLine);
    bool addCall(QStringView call);
    void clear();

    const QStringList &entries() const { return m_entries; }
    const CountryTable &table() const { return m_table; }

private:
    CountryTable m_table;
    QStringList m_entries;
    QSet<QString> m_codes;
};

// Liste_Pays of log lines, from the first to the last.
QStringList countriesContacted(const QStringList &logLines, const CountryTable &table);

// Alphabetical order of the list: letters regardless of case, then exact text.
bool countryEntryBefore(const QString &a, const QString &b);

} // namespace orvel
