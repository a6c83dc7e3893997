// One transceiver opened through Hamlib's C API, either directly (model, serial port, speed) or
// through a rigctld (Hamlib's network model). Every call may wait on the radio, up to the
// link's timeout: use it from a worker thread, never from the windows' thread.
#pragma once

#include "RadioConfig.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <optional>

struct s_rig;

namespace orvel {

// What the radio says: its frequency and Hamlib's name of its mode ("USB", "PKTUSB").
struct RadioReading {
    qint64 frequency = 0; // Hz
    QString mode;
    bool operator==(const RadioReading &) const = default;
};

// A reading, or why there is none (in French).
struct RadioAnswer {
    bool ok = false;
    RadioReading reading;
    QString problem;
};

class Rig
{
public:
    Rig() = default;
    ~Rig();
    Rig(const Rig &) = delete;
    Rig &operator=(const Rig &) = delete;

    // Opens the radio; the French reason when it cannot be opened.
    std::optional<QString> open(const RadioConfig &config);
    bool isOpen() const { return m_rig != nullptr; }
    // Frequency and mode of the current VFO. The radio stays open after a failure; the caller
    // decides whether to close it.
    RadioAnswer read();
    void close();

private:
    s_rig *m_rig = nullptr;
    QString m_description;
};

// Opens the radio, reads it once and closes it.
RadioAnswer readRadioOnce(const RadioConfig &config);

// A model of Hamlib's list.
struct RadioModel {
    int number = 0;
    QString maker;
    QString name;
    bool needsPort = true; // false for the models that talk to no port (the dummy rig)
};

// Every model Hamlib knows, by maker and then name; Hamlib's network model is left out (it is
// the rigctld choice).
QList<RadioModel> radioModels();

// The French text of a Hamlib error code.
QString hamlibErrorText(int code);

} // namespace orvel

Q_DECLARE_METATYPE(orvel::RadioReading)
