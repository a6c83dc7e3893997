// The countries window: once each, the countries of the call signs of the current log, found
// in the country table. The table is read when the window opens; a QSO stored meanwhile adds
// its country.
#pragma once

#include "CountryTable.h"

#include <QWidget>

class QListView;
class QStringListModel;

namespace orvel {

class Dialogs;
class Session;

class Pays_Cont : public QWidget
{
    Q_OBJECT
public:
    // Reads the table (a missing one is told through dialogs and leaves the list empty) and
    // fills Liste_Pays.
    Pays_Cont(const Session &session, Dialogs &dialogs, QWidget *parent = nullptr);

    QStringList countries() const;

private:
    void rebuild();
    void onQsoAppended(const QString &line);

    const Session &m_session;
    CountriesContacted m_countries;
    // Without a table the list stays empty rather than calling every country unknown.
    bool m_tableFound = false;
    QStringListModel *m_model = nullptr;
    QListView *m_list = nullptr;
};

} // namespace orvel
