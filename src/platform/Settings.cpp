#include "Settings.h"

#include <QDir>
#include <QSettings>

#include <memory>

namespace orvel {

namespace {

std::unique_ptr<QSettings> open(const QString &folder, const QString &application)
{
    if (!folder.isEmpty()) {
        return std::make_unique<QSettings>(
            QDir(folder).filePath(application + QStringLiteral(".ini")), QSettings::IniFormat);
    }
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("VB and VBA Program Settings"), application);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application,
                                       application);
#endif
}

} // namespace

QtSettings::QtSettings(QString folder)
    : m_folder(std::move(folder))
{
}

QString QtSettings::value(const QString &application, const QString &section, const QString &key,
                          const QString &defaultValue) const
{
    auto settings = open(m_folder, application);
    settings->beginGroup(section);
    return settings->value(key, defaultValue).toString();
}

void QtSettings::setValue(const QString &application, const QString &section, const QString &key,
                          const QString &value)
{
    auto settings = open(m_folder, application);
    settings->beginGroup(section);
    settings->setValue(key, value);
    settings->endGroup();
    settings->sync();
}

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
