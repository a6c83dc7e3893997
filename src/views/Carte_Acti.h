// The map window of the départements contacted: the map with its labels, the band and mode
// filters (set from the entry window's band and mode, or its remembered choices), Afficher and
// the count NB_Dep. It opens showing the marks of its filters. The marks are the tally's: the
// entry window's refreshes change them while the map is open.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace orvel {

class DepartmentMap;
class DepartmentTally;
class Dialogs;
class Settings;

class Carte_Acti : public QWidget
{
    Q_OBJECT
public:
    Carte_Acti(Settings &settings, Dialogs &dialogs, DepartmentTally &tally,
               QWidget *parent = nullptr);

    DepartmentMap *map() const { return m_map; }

private:
    void onAfficherClicked();
    void showMarks();
    // The entry window's band and mode, or the positions it saved.
    void selectFilters(Settings &settings);

    Dialogs &m_dialogs;
    DepartmentTally &m_tally;
    DepartmentMap *m_map = nullptr;
    QComboBox *m_band = nullptr;
    QComboBox *m_mode = nullptr;
    QLabel *m_count = nullptr;
};

// The items of the filters, in the order of the entry window's lists.
QStringList mapBandItems();
QStringList mapModeItems();

} // namespace orvel
