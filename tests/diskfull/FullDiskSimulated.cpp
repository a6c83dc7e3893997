// The full disk where no small disk can be mounted (Windows): an ordinary folder, and the
// program's simulated size limit at zero while it is full, so that every write fails as on a
// full disk.
#include "FullDisk.h"

#include "common/SafeWrite.h"

namespace orvel::testing {

struct FullDisk::Filling {
    SimulatedFileSizeLimit limit{0};
};

FullDisk::FullDisk() = default;
FullDisk::~FullDisk() = default;

QString FullDisk::prepare()
{
    return m_folder.isValid() ? QString() : QStringLiteral("Dossier temporaire impossible.");
}

void FullDisk::fill()
{
    m_filling = std::make_unique<Filling>();
}

void FullDisk::makeRoom()
{
    m_filling.reset();
}

bool FullDisk::isFiller(const QString &)
{
    return false;
}

} // namespace orvel::testing
