// The radio of a program built without Hamlib (the Windows build unless Hamlib is given): every
// opening says so, and Hamlib's model list is empty.
#include "Rig.h"

namespace orvel {

namespace {

QString withoutHamlib()
{
    return QStringLiteral("Ce programme a été construit sans Hamlib : il ne peut pas lire la "
                          "radio.");
}

} // namespace

Rig::~Rig() = default;

std::optional<QString> Rig::open(const RadioConfig &)
{
    return withoutHamlib();
}

RadioAnswer Rig::read()
{
    RadioAnswer answer;
    answer.problem = withoutHamlib();
    return answer;
}

void Rig::close() {}

RadioAnswer readRadioOnce(const RadioConfig &config)
{
    Rig rig;
    RadioAnswer answer;
    answer.problem = rig.open(config).value_or(withoutHamlib());
    return answer;
}

QList<RadioModel> radioModels()
{
    return {};
}

QString hamlibErrorText(int code)
{
    return QStringLiteral("erreur Hamlib %1").arg(code);
}

} // namespace orvel
