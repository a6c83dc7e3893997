// The départements tally: for one band and one mode, every département with a QSO in the
// current log. The map shows the marks of the band and mode chosen on it (or of the entry
// window's, after a store); the entry window's grid always shows those of its own band and mode.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <bitset>
#include <optional>
#include <utility>

namespace orvel {

class CurrentLog;
class Session;

// Map labels 0 to 99; the entry window's grid has 0 to 97.
inline constexpr int kDepartmentLabels = 100;
inline constexpr int kCorsicaSouth = 96; // "2a"
inline constexpr int kCorsicaNorth = 97; // "2b"
using DepartmentMarks = std::bitset<kDepartmentLabels>;

// The label index of a log's département text (its two columns, blanks kept): "2A"/"2a" 96,
// "2B"/"2b" 97; a text starting with a digit is read as a number from its leading digits
// ("01" 1, "00" 0); anything else has no index.
std::optional<int> departmentIndex(QStringView department);

// The text of a label: "00" to "95", "2a", "2b", "98", "99".
QString departmentLabelText(int index);

// The labels marked by the lines whose band with its unit and mode equal bandWithUnit and mode
// (exact, case-sensitive).
DepartmentMarks markDepartments(const CurrentLog &log, QStringView bandWithUnit, QStringView mode);

// The number shown in NB_Dep: the marked labels 1 to 99 (label 0 is marked, not counted).
int countDepartments(const DepartmentMarks &marks);

// The marked labels' texts in index order.
QStringList markedLabelTexts(const DepartmentMarks &marks);

// The tally as the windows share it: the entry window runs it after every change of its log,
// band or mode; the map runs it with its own filters. The marks hold until the next tally.
class DepartmentTally : public QObject
{
    Q_OBJECT
public:
    // What an entry window's refresh does to the map's marks.
    enum class MapMarks {
        EntryBandAndMode, // after a store: the map shows the entry window's band and mode
        Reset,            // on load, band or mode change, insert, delete, recover
    };

    explicit DepartmentTally(Session &session, QObject *parent = nullptr);

    // The entry window's refresh, with its band ("14", no unit) and mode as they stand.
    void refreshForEntry(const QString &band, const QString &mode, MapMarks map);
    // Afficher on the map: the map marked for bandWithUnit ("14 Mhz") and mode; the grid is
    // counted again for the entry window's band and mode. Returns the map's count.
    int showOnMap(const QString &bandWithUnit, const QString &mode);

    // The entry window's band with its unit ("14 Mhz", empty when it has no band) and mode, as
    // its last refresh gave them; nothing before its first.
    std::optional<std::pair<QString, QString>> entryBandAndMode() const;

    const DepartmentMarks &mapMarks() const { return m_map; }
    const DepartmentMarks &gridMarks() const { return m_grid; }

signals:
    void mapChanged();
    void gridChanged();

private:
    void setGrid(const DepartmentMarks &marks);
    void setMap(const DepartmentMarks &marks);

    Session &m_session;
    QString m_entryBandWithUnit;
    QString m_entryMode;
    bool m_entryKnown = false;
    DepartmentMarks m_map;
    DepartmentMarks m_grid;
    // The marks of a band and mode as counted on the whole log, and kept in step with the QSOs
    // appended since: the refresh after a store reads them instead of the whole log.
    struct Counted {
        QString bandWithUnit;
        QString mode;
        DepartmentMarks marks;
        bool valid = false;
    };
    Counted m_counted;
};

} // namespace orvel
