#include "Settings.h"

#include "platform/Diagnostics.h"

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
    if (settings->status() != QSettings::NoError)
        qCWarning(lcPlatform) << "Setting not saved:" << application << section << key
                              << settings->fileName();
}

} // namespace orvel
