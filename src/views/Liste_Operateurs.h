// The operators contacted: each call sign of the current log once, in alphabetical order,
// with their count.
#pragma once

#include <QWidget>

class QLabel;
class QListView;
class QStringListModel;

namespace orvel {

class Session;

class Liste_Operateurs : public QWidget
{
    Q_OBJECT
public:
    explicit Liste_Operateurs(Session &session, QWidget *parent = nullptr);

    QListView *Liste_Op = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;

private:
    void load();
    void onQsoAppended(const QString &line);

    Session &m_session;
    QStringListModel *m_model = nullptr;
};

} // namespace orvel
