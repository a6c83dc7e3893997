// The entry window's remembered choices: mode, band and retype mode, and the time base written
// at every change.
#pragma once

#include "platform/Settings.h"

namespace orvel {

class EntrySettings
{
public:
    explicit EntrySettings(Settings &settings);

    // The mode index ("Mode Activite", default 0). An older "SSB" or "CW" text is repaired:
    // both the mode and the band settings are rewritten to 0 and 1.
    int loadModeIndex();
    // The band index ("Bande Activite", default 1); -1 for a band typed by hand.
    int bandIndex() const;
    bool retypeMode() const;

    void setModeIndex(int index);
    void setBandIndex(int index);
    void setRetypeMode(bool on);
    void setUtcTimeBase(bool utc);

private:
    QString read(const QString &key, const QString &defaultValue) const;
    void write(const QString &key, const QString &value);

    Settings &m_settings;
};

} // namespace orvel
