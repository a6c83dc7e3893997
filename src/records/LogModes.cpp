#include "LogModes.h"

#include "common/FixedColumns.h"

#include <array>

namespace orvel {

namespace {

// ADIF 3.1.4's modes and submodes (the enumeration of the ADIF specification, adif.org, a
// public standard), with the text the log gives each. The first row of a text is what the
// exports write for it; the rows after it that give the same text are read on import only.
// clang-format off
constexpr LogModeEntry kTable[] = {
    // The entry window's own six modes.
    {"SSB", "SSB", ""}, {"SSB", "SSB", "USB"}, {"SSB", "SSB", "LSB"},
    {"CW", "CW", ""}, {"CW", "CW", "PCW"},
    {"FM", "FM", ""},
    {"FT8", "FT8", ""},
    {"PSK", "PSK", ""},
    {"TTY", "RTTY", ""},
    // The other modes, by name.
    {"AM", "AM", ""},
    {"ARDP", "ARDOP", ""},
    {"ATV", "ATV", ""},
    {"CHIP", "CHIP", ""}, {"CH64", "CHIP", "CHIP64"}, {"C128", "CHIP", "CHIP128"},
    {"CLO", "CLO", ""},
    {"CTIA", "CONTESTI", ""},
    {"DV", "DIGITALVOICE", ""}, {"C4FM", "DIGITALVOICE", "C4FM"},
    {"DMR", "DIGITALVOICE", "DMR"}, {"FDV", "DIGITALVOICE", "FREEDV"},
    {"M17", "DIGITALVOICE", "M17"},
    {"DSTR", "DSTAR", ""}, {"DSTR", "DIGITALVOICE", "DSTAR"},
    {"DOM", "DOMINO", ""}, {"DOMM", "DOMINO", "DOM-M"}, {"DOM4", "DOMINO", "DOM4"},
    {"DOM5", "DOMINO", "DOM5"}, {"DOM8", "DOMINO", "DOM8"}, {"DM11", "DOMINO", "DOM11"},
    {"DM16", "DOMINO", "DOM16"}, {"DM22", "DOMINO", "DOM22"}, {"DM44", "DOMINO", "DOM44"},
    {"DM88", "DOMINO", "DOM88"}, {"DMEX", "DOMINO", "DOMINOEX"}, {"DMF", "DOMINO", "DOMINOF"},
    {"FAX", "FAX", ""},
    {"F441", "FSK441", ""},
    {"HELL", "HELL", ""}, {"FMHL", "HELL", "FMHELL"}, {"FSKH", "HELL", "FSKHELL"},
    {"HL80", "HELL", "HELL80"}, {"HLX5", "HELL", "HELLX5"}, {"HLX9", "HELL", "HELLX9"},
    {"HFSK", "HELL", "HFSK"}, {"PSKH", "HELL", "PSKHELL"}, {"SLHL", "HELL", "SLOWHELL"},
    {"ISCT", "ISCAT", ""}, {"ISCT", "ISCAT", "ISCAT-A"}, {"ISCT", "ISCAT", "ISCAT-B"},
    {"JT4", "JT4", ""}, {"JT4", "JT4", "JT4A"}, {"JT4", "JT4", "JT4B"}, {"JT4", "JT4", "JT4C"},
    {"JT4", "JT4", "JT4D"}, {"JT4", "JT4", "JT4E"}, {"JT4", "JT4", "JT4F"}, {"JT4", "JT4", "JT4G"},
    {"JT6M", "JT6M", ""},
    {"JT9", "JT9", ""}, {"JT9", "JT9", "JT9-1"}, {"JT9", "JT9", "JT9-2"}, {"JT9", "JT9", "JT9-5"},
    {"JT9", "JT9", "JT9-10"}, {"JT9", "JT9", "JT9-30"}, {"JT9", "JT9", "JT9A"},
    {"JT9", "JT9", "JT9B"}, {"JT9", "JT9", "JT9C"}, {"JT9", "JT9", "JT9D"}, {"JT9", "JT9", "JT9E"},
    {"JT9", "JT9", "JT9E FAST"}, {"JT9", "JT9", "JT9F"}, {"JT9", "JT9", "JT9F FAST"},
    {"JT9", "JT9", "JT9G"}, {"JT9", "JT9", "JT9G FAST"}, {"JT9", "JT9", "JT9H"},
    {"JT9", "JT9", "JT9H FAST"},
    {"JT44", "JT44", ""},
    {"JT65", "JT65", ""}, {"JT65", "JT65", "JT65A"}, {"JT65", "JT65", "JT65B"},
    {"JT65", "JT65", "JT65B2"}, {"JT65", "JT65", "JT65C"}, {"JT65", "JT65", "JT65C2"},
    {"MFSK", "MFSK", ""}, {"FSQ", "MFSK", "FSQCALL"}, {"FST4", "MFSK", "FST4"},
    {"FS4W", "MFSK", "FST4W"}, {"FT4", "MFSK", "FT4"}, {"JS8", "MFSK", "JS8"},
    {"JTMS", "MFSK", "JTMS"}, {"MF4", "MFSK", "MFSK4"}, {"MF8", "MFSK", "MFSK8"},
    {"MF11", "MFSK", "MFSK11"}, {"MF16", "MFSK", "MFSK16"}, {"MF22", "MFSK", "MFSK22"},
    {"MF31", "MFSK", "MFSK31"}, {"MF32", "MFSK", "MFSK32"}, {"MF64", "MFSK", "MFSK64"},
    {"M64L", "MFSK", "MFSK64L"}, {"M128", "MFSK", "MFSK128"}, {"Q65", "MFSK", "Q65"},
    {"MSK", "MSK144", ""},
    {"MT63", "MT63", ""},
    {"OLIV", "OLIVIA", ""}, {"OLIV", "OLIVIA", "OLIVIA 4/125"}, {"OLIV", "OLIVIA", "OLIVIA 4/250"},
    {"OLIV", "OLIVIA", "OLIVIA 8/250"}, {"OLIV", "OLIVIA", "OLIVIA 8/500"},
    {"OLIV", "OLIVIA", "OLIVIA 16/500"}, {"OLIV", "OLIVIA", "OLIVIA 16/1000"},
    {"OLIV", "OLIVIA", "OLIVIA 32/1000"},
    {"OPRA", "OPERA", ""}, {"OPRB", "OPERA", "OPERA-BEACON"}, {"OPRQ", "OPERA", "OPERA-QSO"},
    {"PAC", "PAC", ""}, {"PAC2", "PAC", "PAC2"}, {"PAC3", "PAC", "PAC3"}, {"PAC4", "PAC", "PAC4"},
    {"PAX", "PAX", ""}, {"PAX2", "PAX", "PAX2"},
    {"PKT", "PKT", ""},
    {"P10", "PSK", "PSK10"}, {"P31", "PSK", "PSK31"}, {"P63", "PSK", "PSK63"},
    {"P63F", "PSK", "PSK63F"}, {"P125", "PSK", "PSK125"}, {"P250", "PSK", "PSK250"},
    {"P500", "PSK", "PSK500"}, {"P1K", "PSK", "PSK1000"}, {"QP31", "PSK", "QPSK31"},
    {"QP63", "PSK", "QPSK63"}, {"F31", "PSK", "FSK31"}, {"S31", "PSK", "SIM31"},
    {"PA10", "PSK", "PSKAM10"}, {"PA31", "PSK", "PSKAM31"}, {"PA50", "PSK", "PSKAM50"},
    {"PF31", "PSK", "PSKFEC31"},
    // Names of the LoTW signer's configuration for the same PSK modes.
    {"P31", "PSK", "BPSK31"}, {"P63", "PSK", "BPSK63"}, {"P125", "PSK", "BPSK125"},
    {"P2K", "PSK2K", ""}, {"P2K", "PSK2K", "PSK2K"},
    {"Q15", "Q15", ""},
    {"QRA", "QRA64", ""}, {"QRA", "QRA64", "QRA64A"}, {"QRA", "QRA64", "QRA64B"},
    {"QRA", "QRA64", "QRA64C"}, {"QRA", "QRA64", "QRA64D"}, {"QRA", "QRA64", "QRA64E"},
    {"ROS", "ROS", ""}, {"ROSE", "ROS", "ROS-EME"}, {"ROSH", "ROS", "ROS-HF"},
    {"ROSM", "ROS", "ROS-MF"},
    {"ASCI", "RTTY", "ASCI"},
    {"TTYM", "RTTYM", ""},
    {"SSTV", "SSTV", ""},
    {"T10", "T10", ""},
    {"THOR", "THOR", ""}, {"THRM", "THOR", "THOR-M"}, {"THR4", "THOR", "THOR4"},
    {"THR5", "THOR", "THOR5"}, {"THR8", "THOR", "THOR8"}, {"TH11", "THOR", "THOR11"},
    {"TH16", "THOR", "THOR16"}, {"TH22", "THOR", "THOR22"},
    {"THRB", "THRB", ""}, {"TBX", "THRB", "THRBX"}, {"TBX1", "THRB", "THRBX1"},
    {"TBX2", "THRB", "THRBX2"}, {"TBX4", "THRB", "THRBX4"}, {"THB1", "THRB", "THROB1"},
    {"THB2", "THRB", "THROB2"}, {"THB4", "THRB", "THROB4"},
    {"TOR", "TOR", ""}, {"AMTR", "TOR", "AMTORFEC"}, {"GTOR", "TOR", "GTOR"},
    {"NAVT", "TOR", "NAVTEX"}, {"SITB", "TOR", "SITORB"},
    {"V4", "V4", ""},
    {"VOI", "VOI", ""},
    {"WINM", "WINMOR", ""},
    {"WSPR", "WSPR", ""},
    // WSJT-X's name of its dual mode, which logs its QSOs as JT9.
    {"JT9", "JT9+JT65", ""},
};
// clang-format on

// Texts that imports of this program gave before the table, by cutting ADIF's name to four
// characters: logs hold them, and their exports name the mode ADIF meant.
constexpr std::array<std::pair<const char *, const char *>, 4> kEarlierTexts{{
    {"CONT", "CONTESTI"},
    {"DIGI", "DIGITALVOICE"},
    {"DOMI", "DOMINO"},
    {"QRA6", "QRA64"},
}};

// Families whose every speed or tone spacing the log names by one text, a submode outside the
// table included (ADIF adds them as programs bring them).
constexpr std::array<std::pair<const char *, const char *>, 7> kOneTextFamilies{{
    {"SSB", "SSB"},
    {"JT4", "JT4"},
    {"JT9", "JT9"},
    {"JT65", "JT65"},
    {"QRA64", "QRA"},
    {"ISCAT", "ISCT"},
    {"OLIVIA", "OLIV"},
}};

struct Given {
    QString mode;
    QString submode;
};

Given given(const QString &mode, const QString &submode)
{
    // A file may write "Olivia 8/250" with blanks doubled: one blank between words.
    const auto tidy = [](const QString &text) { return trimBlanks(text).simplified().toUpper(); };
    return {tidy(mode), tidy(submode)};
}

const LogModeEntry *rowOf(const QString &mode, const QString &submode)
{
    for (const LogModeEntry &row : kTable) {
        if (submode == QLatin1String(row.submode) && mode == QLatin1String(row.mode))
            return &row;
    }
    return nullptr;
}

const LogModeEntry *rowOfSubmode(const QString &submode)
{
    if (submode.isEmpty())
        return nullptr;
    for (const LogModeEntry &row : kTable) {
        if (submode == QLatin1String(row.submode))
            return &row;
    }
    return nullptr;
}

QString familyText(const QString &mode)
{
    for (const auto &[family, logged] : kOneTextFamilies) {
        if (mode == QLatin1String(family))
            return QString::fromLatin1(logged);
    }
    return {};
}

QString lookUp(const Given &named)
{
    if (const LogModeEntry *row = rowOf(named.mode, named.submode))
        return QString::fromLatin1(row->logged);
    // A submode under a mode that is not its own, or given alone as the mode by older files.
    if (const LogModeEntry *row = rowOfSubmode(named.submode))
        return QString::fromLatin1(row->logged);
    if (named.submode.isEmpty()) {
        if (const LogModeEntry *row = rowOfSubmode(named.mode))
            return QString::fromLatin1(row->logged);
    }
    if (!named.submode.isEmpty() && familyText(named.mode).size() > 0)
        return familyText(named.mode);
    return {};
}

} // namespace

QString logModeOf(const QString &mode, const QString &submode)
{
    return lookUp(given(mode, submode));
}

QString logModeRefusal(const QString &mode, const QString &submode)
{
    const Given named = given(mode, submode);
    if ((named.mode.isEmpty() && named.submode.isEmpty()) || !lookUp(named).isEmpty())
        return {};
    const QString shown = named.submode.isEmpty() || named.mode.isEmpty()
                              ? named.mode + named.submode
                              : named.mode + QStringLiteral(" / ") + named.submode;
    return QStringLiteral("mode sans équivalent de 4 caractères dans le log : %1").arg(shown);
}

AdifMode adifModeOf(const QString &logged)
{
    const QString text = trimBlanks(logged);
    const QString key = text.toUpper();
    for (const LogModeEntry &row : kTable) {
        if (key == QLatin1String(row.logged))
            return {QString::fromLatin1(row.mode), QString::fromLatin1(row.submode)};
    }
    for (const auto &[earlier, mode] : kEarlierTexts) {
        if (key == QLatin1String(earlier))
            return {QString::fromLatin1(mode), {}};
    }
    return {text, {}};
}

std::span<const LogModeEntry> logModeTable()
{
    return kTable;
}

} // namespace orvel
