#include "LogModes.h"

#include "common/FixedColumns.h"

#include <QStringList>

#include <array>

namespace orvel {

namespace {

struct ModeName {
    const char *given; // in capitals
    const char *logged;
};

// Names that do not read well, or would meet another mode, when cut to 4 characters.
constexpr std::array<ModeName, 12> kShortened{{
    {"USB", "SSB"},
    {"LSB", "SSB"},
    {"PSK31", "PSK"},
    {"PSK63", "PSK"},
    {"RTTY", "TTY"},
    {"MSK144", "MSK"},
    {"FST4W", "FS4W"},
    {"ISCAT", "ISCT"},
    {"ISCAT-A", "ISCT"},
    {"ISCAT-B", "ISCT"},
    {"JT9+JT65", "JT9"},
    {"FREQCAL", "FCAL"},
}};

// A mode of several speeds or tone spacings, named with a letter after it (JT65B, JT9A).
constexpr std::array<const char *, 3> kLettered{"JT65", "JT9", "JT4"};

QString shortened(const QString &name)
{
    for (const ModeName &mode : kShortened) {
        if (name == QLatin1String(mode.given))
            return QString::fromLatin1(mode.logged);
    }
    for (const char *base : kLettered) {
        const QLatin1String prefix(base);
        if (name.size() == prefix.size() + 1 && name.startsWith(prefix) &&
            name.back() >= QLatin1Char('A') && name.back() <= QLatin1Char('H'))
            return prefix;
    }
    return name.left(4);
}

} // namespace

QString logModeOf(const QString &mode, const QString &submode)
{
    const QString given = trimBlanks(mode).toUpper();
    const QString sub = trimBlanks(submode).toUpper();
    // The log names these by the mode whatever their submode (PSK125 is "PSK"); the others by
    // the submode, which says more than the family (MFSK) it belongs to.
    static const QStringList byMode{QStringLiteral("SSB"),   QStringLiteral("USB"),
                                    QStringLiteral("LSB"),   QStringLiteral("CW"),
                                    QStringLiteral("FM"),    QStringLiteral("FT8"),
                                    QStringLiteral("PSK"),   QStringLiteral("PSK31"),
                                    QStringLiteral("PSK63"), QStringLiteral("RTTY")};
    if (byMode.contains(given))
        return shortened(given);
    return shortened(sub.isEmpty() ? given : sub);
}

} // namespace orvel
