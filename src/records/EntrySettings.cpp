#include "records/EntrySettings.h"

namespace orvel {

namespace {
const QString kModeKey = QStringLiteral("Mode Activite");
const QString kBandKey = QStringLiteral("Bande Activite");
const QString kRetypeKey = QStringLiteral("Mode_Refrappe");
const QString kUtcKey = QStringLiteral("Heure UTC");

QString booleanText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

int indexOf(const QString &text, int defaultIndex)
{
    bool ok = false;
    const int index = text.trimmed().toInt(&ok);
    return ok ? index : defaultIndex;
}
} // namespace

EntrySettings::EntrySettings(Settings &settings)
    : m_settings(settings)
{
}

int EntrySettings::loadModeIndex()
{
    const QString stored = read(kModeKey, QStringLiteral("0"));
    if (stored == QLatin1String("SSB") || stored == QLatin1String("CW")) {
        write(kModeKey, QStringLiteral("0"));
        write(kBandKey, QStringLiteral("1"));
        return 0;
    }
    return indexOf(stored, 0);
}

int EntrySettings::bandIndex() const
{
    return indexOf(read(kBandKey, QStringLiteral("1")), 1);
}

bool EntrySettings::retypeMode() const
{
    const QString text = read(kRetypeKey, booleanText(false)).trimmed().toLower();
    // Written as "true"/"false"; "-1"/"1" and "vrai" read as true too.
    return text == QLatin1String("true") || text == QLatin1String("vrai") ||
           text == QLatin1String("1") || text == QLatin1String("-1");
}

void EntrySettings::setModeIndex(int index)
{
    write(kModeKey, QString::number(index));
}

void EntrySettings::setBandIndex(int index)
{
    write(kBandKey, QString::number(index));
}

void EntrySettings::setRetypeMode(bool on)
{
    write(kRetypeKey, booleanText(on));
}

void EntrySettings::setUtcTimeBase(bool utc)
{
    write(kUtcKey, booleanText(utc));
}

QString EntrySettings::read(const QString &key, const QString &defaultValue) const
{
    return m_settings.value(kAppMulti, kSetupSection, key, defaultValue);
}

void EntrySettings::write(const QString &key, const QString &value)
{
    m_settings.setValue(kAppMulti, kSetupSection, key, value);
}

} // namespace orvel
