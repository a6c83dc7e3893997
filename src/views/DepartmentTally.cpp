#include "DepartmentTally.h"

#include "common/Windows1252.h"
#include "records/QsoLine.h"
#include "records/Session.h"

namespace orvel {

std::optional<int> departmentIndex(QStringView department)
{
    if (department.compare(u"2a", Qt::CaseInsensitive) == 0)
        return kCorsicaSouth;
    if (department.compare(u"2b", Qt::CaseInsensitive) == 0)
        return kCorsicaNorth;
    int index = 0;
    qsizetype digits = 0;
    while (digits < department.size() && department.at(digits).isDigit() &&
           department.at(digits).unicode() < 128) {
        index = index * 10 + (department.at(digits).unicode() - '0');
        ++digits;
    }
    // The column is two characters wide, so a number never passes 99.
    if (digits == 0 || index >= kDepartmentLabels)
        return std::nullopt;
    return index;
}

namespace {

// departmentIndex() of a column as stored: the letters and digits it knows are ASCII, which
// windows-1252 holds as they are.
std::optional<int> departmentIndex(QByteArrayView department)
{
    if (department.size() == 2 && department[0] == '2') {
        const char letter = char(department[1] | 0x20);
        if (letter == 'a')
            return kCorsicaSouth;
        if (letter == 'b')
            return kCorsicaNorth;
    }
    int index = 0;
    qsizetype digits = 0;
    while (digits < department.size() && department[digits] >= '0' && department[digits] <= '9') {
        index = index * 10 + (department[digits] - '0');
        ++digits;
    }
    if (digits == 0 || index >= kDepartmentLabels)
        return std::nullopt;
    return index;
}

} // namespace

QString departmentLabelText(int index)
{
    if (index == kCorsicaSouth)
        return QStringLiteral("2a");
    if (index == kCorsicaNorth)
        return QStringLiteral("2b");
    return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
}

namespace {

// The band with its unit and the mode as the rows store them; none when either holds a
// character the log cannot hold (no row then matches).
std::optional<std::pair<QByteArray, QByteArray>> storedFilter(QStringView bandWithUnit,
                                                              QStringView mode)
{
    if (firstUnencodable(bandWithUnit.toString()) || firstUnencodable(mode.toString()))
        return std::nullopt;
    return std::pair(encodeWindows1252(bandWithUnit), encodeWindows1252(mode));
}

// Marks the département of one row as stored when the row is of the band and mode.
void markRow(QByteArrayView line, QByteArrayView band, QByteArrayView mode, DepartmentMarks &marks)
{
    if (trimmedColumn(line, qsocol::kBandWithUnit) != band ||
        trimmedColumn(line, qsocol::kMode) != mode)
        return;
    if (const auto index = departmentIndex(rawColumn(line, qsocol::kDepartment)))
        marks.set(static_cast<size_t>(*index));
}

} // namespace

DepartmentMarks markDepartments(const CurrentLog &log, QStringView bandWithUnit, QStringView mode)
{
    DepartmentMarks marks;
    // Compared on the rows' bytes: no line is decoded for the many rows of other bands.
    const auto filter = storedFilter(bandWithUnit, mode);
    if (!filter)
        return marks;
    for (qsizetype row = 0; row < log.size(); ++row)
        markRow(log.rowBytes(row), filter->first, filter->second, marks);
    return marks;
}

int countDepartments(const DepartmentMarks &marks)
{
    return static_cast<int>(marks.count()) - (marks.test(0) ? 1 : 0);
}

QStringList markedLabelTexts(const DepartmentMarks &marks)
{
    QStringList texts;
    for (int index = 0; index < kDepartmentLabels; ++index)
        if (marks.test(static_cast<size_t>(index)))
            texts.append(departmentLabelText(index));
    return texts;
}

DepartmentTally::DepartmentTally(Session &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    // A QSO appended adds its mark to the grid's count; any other change of the log has it
    // counted again whole at the next refresh.
    followLog(
        session.model(), this,
        [this](int first, int last) {
            const CurrentLog &log = m_session.currentLog();
            const auto filter = storedFilter(m_counted.bandWithUnit, m_counted.mode);
            if (!m_counted.valid || !filter)
                return;
            for (int row = first; row <= last; ++row)
                markRow(log.rowBytes(row), filter->first, filter->second, m_counted.marks);
        },
        [this] { m_counted.valid = false; });
    connect(&session, &Session::activationChanged, this, [this] { m_counted.valid = false; });
}

void DepartmentTally::refreshForEntry(const QString &band, const QString &mode, MapMarks map)
{
    m_entryBandWithUnit = band.trimmed() + QStringLiteral(" Mhz");
    m_entryMode = mode.trimmed();
    m_entryKnown = true;
    if (!m_counted.valid || m_counted.bandWithUnit != m_entryBandWithUnit ||
        m_counted.mode != m_entryMode)
        m_counted = {m_entryBandWithUnit, m_entryMode,
                     markDepartments(m_session.currentLog(), m_entryBandWithUnit, m_entryMode),
                     true};
    const DepartmentMarks grid = m_counted.marks;
    setMap(map == MapMarks::EntryBandAndMode ? grid : DepartmentMarks());
    setGrid(grid);
}

std::optional<std::pair<QString, QString>> DepartmentTally::entryBandAndMode() const
{
    if (!m_entryKnown)
        return std::nullopt;
    const bool noBand = m_entryBandWithUnit.trimmed() == QStringLiteral("Mhz");
    return std::pair{noBand ? QString() : m_entryBandWithUnit, m_entryMode};
}

int DepartmentTally::showOnMap(const QString &bandWithUnit, const QString &mode)
{
    // The log as its file now stands, edited elsewhere or not.
    m_session.refresh();
    const CurrentLog &log = m_session.currentLog();
    setMap(markDepartments(log, bandWithUnit, mode));
    if (m_entryKnown)
        setGrid(markDepartments(log, m_entryBandWithUnit, m_entryMode));
    return countDepartments(m_map);
}

void DepartmentTally::setGrid(const DepartmentMarks &marks)
{
    m_grid = marks;
    emit gridChanged();
}

void DepartmentTally::setMap(const DepartmentMarks &marks)
{
    m_map = marks;
    emit mapChanged();
}

} // namespace orvel
