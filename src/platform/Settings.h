// The per-user settings store, addressed by application, section and key.
#pragma once

#include <QString>

namespace orvel {

class Settings
{
public:
    virtual ~Settings() = default;
    virtual QString value(const QString &application, const QString &section, const QString &key,
                          const QString &defaultValue = {}) const = 0;
    virtual void setValue(const QString &application, const QString &section, const QString &key,
                          const QString &value) = 0;
};

// The applications and section the program uses.
inline const QString kAppMulti = QStringLiteral("Orvel Multi");
inline const QString kAppLabels = QStringLiteral("Orvel");
inline const QString kSetupSection = QStringLiteral("Setup ");

// On QSettings: the registry on Windows, one file per application elsewhere. With a
// folder given, the files are kept there (used by tests and portable set-ups).
class QtSettings : public Settings
{
public:
    explicit QtSettings(QString folder = {});
    QString value(const QString &application, const QString &section, const QString &key,
                  const QString &defaultValue = {}) const override;
    void setValue(const QString &application, const QString &section, const QString &key,
                  const QString &value) override;

private:
    QString m_folder;
};

} // namespace orvel
