#include "Rig.h"

#include "RadioTables.h"

#include <hamlib/rig.h>

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace orvel {

namespace {

// Hamlib registers its backends in tables of its own, not guarded against two threads: every
// rig_init and every walk of the model list goes through this lock.
QMutex &backendLock()
{
    static QMutex lock;
    return lock;
}

// Hamlib writes its traces on standard error unless told not to, once for the whole program.
void quietHamlib()
{
    static std::once_flag once;
    std::call_once(once, [] { rig_set_debug(RIG_DEBUG_NONE); });
}

// rigctld answers at once from its own cache; a longer silence means it is gone. Hamlib's
// network default (10 s, 5 retries) would keep the operator waiting a minute.
constexpr int kNetworkTimeoutMs = 1500;

void copyPath(char *target, const QString &path)
{
    const QByteArray bytes = path.toLocal8Bit();
    const size_t length = std::min<size_t>(size_t(bytes.size()), HAMLIB_FILPATHLEN - 1);
    std::memcpy(target, bytes.constData(), length);
    target[length] = '\0';
}

// Hamlib's names of the modes the entry window knows; its own texts vary between versions
// (PKTFM is "FM-D" in 4.5).
QString modeName(rmode_t mode)
{
    static const struct {
        rmode_t mode;
        const char *name;
    } names[] = {
        {RIG_MODE_USB, "USB"},       {RIG_MODE_LSB, "LSB"},       {RIG_MODE_CW, "CW"},
        {RIG_MODE_CWR, "CWR"},       {RIG_MODE_FM, "FM"},         {RIG_MODE_WFM, "WFM"},
        {RIG_MODE_RTTY, "RTTY"},     {RIG_MODE_RTTYR, "RTTYR"},   {RIG_MODE_AM, "AM"},
        {RIG_MODE_PKTUSB, "PKTUSB"}, {RIG_MODE_PKTLSB, "PKTLSB"}, {RIG_MODE_PKTFM, "PKTFM"}};
    for (const auto &entry : names) {
        if (entry.mode == mode)
            return QString::fromLatin1(entry.name);
    }
    return mode == RIG_MODE_NONE ? QString() : QString::fromLatin1(rig_strrmode(mode));
}

} // namespace

QString hamlibErrorText(int code)
{
    switch (-std::abs(code)) {
    case -RIG_ETIMEOUT:
        return QStringLiteral("pas de réponse dans le délai");
    case -RIG_EIO:
        return QStringLiteral("liaison impossible ou coupée");
    case -RIG_EPROTO:
        return QStringLiteral("réponse incompréhensible");
    case -RIG_ENIMPL:
    case -RIG_ENAVAIL:
        return QStringLiteral("lecture impossible sur ce modèle");
    case -RIG_ECONF:
    case -RIG_EINVAL:
        return QStringLiteral("réglage refusé par Hamlib");
    case -RIG_ENOMEM:
        return QStringLiteral("mémoire insuffisante");
    case -RIG_ERJCTED:
        return QStringLiteral("commande refusée par la radio");
    case -RIG_EPOWER:
        return QStringLiteral("radio éteinte");
    default:
        return QStringLiteral("erreur Hamlib %1").arg(code);
    }
}

Rig::~Rig()
{
    close();
}

std::optional<QString> Rig::open(const RadioConfig &config)
{
    close();
    quietHamlib();
    if (const auto problem = config.problem())
        return problem;
    if (config.kind == RadioLinkKind::None)
        return QStringLiteral("Aucune radio n'est choisie.");
    m_description = config.description();
    const bool network = config.kind == RadioLinkKind::Rigctld;
    RIG *rig = nullptr;
    {
        QMutexLocker locker(&backendLock());
        rig = rig_init(network ? RIG_MODEL_NETRIGCTL : rig_model_t(config.model));
    }
    if (!rig)
        return QStringLiteral("Modèle de radio inconnu de Hamlib : %1.").arg(config.model);
    hamlib_port_t &port = rig->state.rigport;
    if (network) {
        const QString host = config.host.contains(QLatin1Char(':'))
                                 ? QLatin1Char('[') + config.host + QLatin1Char(']')
                                 : config.host;
        copyPath(port.pathname, QStringLiteral("%1:%2").arg(host).arg(config.tcpPort));
        port.timeout = kNetworkTimeoutMs;
        port.retry = 0;
    } else {
        if (!config.device.isEmpty())
            copyPath(port.pathname, config.device);
        if (config.speed > 0)
            port.parm.serial.rate = config.speed;
    }
    const int result = rig_open(rig);
    if (result != RIG_OK) {
        rig_cleanup(rig);
        return QStringLiteral("La radio ne répond pas (%1 : %2).")
            .arg(m_description, hamlibErrorText(result));
    }
    // Each reading must be the radio's own, not a value Hamlib kept from an earlier call.
    rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
    m_rig = rig;
    return std::nullopt;
}

RadioAnswer Rig::read()
{
    RadioAnswer answer;
    if (!m_rig) {
        answer.problem = QStringLiteral("La radio n'est pas ouverte.");
        return answer;
    }
    freq_t frequency = 0;
    int result = rig_get_freq(m_rig, RIG_VFO_CURR, &frequency);
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    if (result == RIG_OK)
        result = rig_get_mode(m_rig, RIG_VFO_CURR, &mode, &width);
    if (result != RIG_OK) {
        answer.problem = QStringLiteral("La radio ne répond pas (%1 : %2).")
                             .arg(m_description, hamlibErrorText(result));
        return answer;
    }
    const std::optional<RadioReading> reading = checkedReading(frequency, modeName(mode));
    if (!reading) {
        answer.problem = QStringLiteral("%1 (%2 : fréquence %3, mode « %4 »).")
                             .arg(kRadioNonsense, m_description, QString::number(frequency),
                                  QString::fromLatin1(rig_strrmode(mode)));
        return answer;
    }
    answer.ok = true;
    answer.reading = *reading;
    return answer;
}

void Rig::close()
{
    if (!m_rig)
        return;
    rig_close(m_rig);
    rig_cleanup(m_rig);
    m_rig = nullptr;
}

RadioAnswer readRadioOnce(const RadioConfig &config)
{
    Rig rig;
    if (const auto problem = rig.open(config)) {
        RadioAnswer answer;
        answer.problem = *problem;
        return answer;
    }
    return rig.read();
}

namespace {

int collectModel(const rig_caps *caps, rig_ptr_t data)
{
    if (caps->rig_model == RIG_MODEL_NETRIGCTL)
        return 1;
    auto *models = static_cast<QList<RadioModel> *>(data);
    models->append({int(caps->rig_model), QString::fromLatin1(caps->mfg_name).trimmed(),
                    QString::fromLatin1(caps->model_name).trimmed(),
                    caps->port_type != RIG_PORT_NONE});
    return 1; // go on
}

} // namespace

QList<RadioModel> radioModels()
{
    quietHamlib();
    QList<RadioModel> models;
    {
        QMutexLocker locker(&backendLock());
        rig_load_all_backends();
        rig_list_foreach(collectModel, &models);
    }
    std::sort(models.begin(), models.end(), [](const RadioModel &a, const RadioModel &b) {
        const int maker = a.maker.compare(b.maker, Qt::CaseInsensitive);
        if (maker != 0)
            return maker < 0;
        const int name = a.name.compare(b.name, Qt::CaseInsensitive);
        return name != 0 ? name < 0 : a.number < b.number;
    });
    return models;
}

} // namespace orvel
