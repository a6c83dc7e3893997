// Settings kept in memory, for tests.
#pragma once

#include "platform/Settings.h"

#include <QMap>

namespace orvel {

class MemorySettings : public Settings
{
public:
    QString value(const QString &application, const QString &section, const QString &key,
                  const QString &defaultValue = {}) const override;
    void setValue(const QString &application, const QString &section, const QString &key,
                  const QString &value) override;
    bool contains(const QString &application, const QString &section, const QString &key) const;

private:
    static QString fullKey(const QString &application, const QString &section, const QString &key);
    QMap<QString, QString> m_values;
};

} // namespace orvel
