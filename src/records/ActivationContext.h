// What the windows read from the setup window: the current activation and the open ones.
#pragma once

#include "Activation.h"

#include <QStringList>

namespace orvel {

class ActivationContext
{
public:
    virtual ~ActivationContext() = default;
    // The nine fields as their text stands now.
    virtual Activation currentActivation() const = 0;
    // The references of the open activations, in list order.
    virtual QStringList openActivations() const = 0;
    // The folder of every data file.
    virtual QString workingDirectory() const = 0;
};

// A fixed context, for tests and the command line.
class FixedActivationContext : public ActivationContext
{
public:
    FixedActivationContext(QString folder, Activation current, QStringList open)
        : m_folder(std::move(folder))
        , m_current(std::move(current))
        , m_open(std::move(open))
    {
    }
    Activation currentActivation() const override { return m_current; }
    QStringList openActivations() const override { return m_open; }
    QString workingDirectory() const override { return m_folder; }
    void setCurrent(const Activation &current) { m_current = current; }
    void setOpen(const QStringList &open) { m_open = open; }

private:
    QString m_folder;
    Activation m_current;
    QStringList m_open;
};

} // namespace orvel
