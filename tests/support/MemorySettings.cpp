#include "MemorySettings.h"

namespace orvel {

QString MemorySettings::fullKey(const QString &application, const QString &section,
                                const QString &key)
{
    return application + QLatin1Char('\x1f') + section + QLatin1Char('\x1f') + key;
}

QString MemorySettings::value(const QString &application, const QString &section,
                              const QString &key, const QString &defaultValue) const
{
    return m_values.value(fullKey(application, section, key), defaultValue);
}

void MemorySettings::setValue(const QString &application, const QString &section,
                              const QString &key, const QString &value)
{
    m_values.insert(fullKey(application, section, key), value);
}

bool MemorySettings::contains(const QString &application, const QString &section,
                              const QString &key) const
{
    return m_values.contains(fullKey(application, section, key));
}

} // namespace orvel
