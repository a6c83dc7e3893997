// The import window: the records of an ADIF file with what will happen to each (imported,
// already in the log, refused and why), "Importer" and "Annuler", a progress bar while a long
// file is read and written, then the summary in a message.
#pragma once

#include "AdifImport.h"

#include <QAbstractTableModel>
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace orvel {

class Dialogs;
class Session;

// The preview: one row per record of the file.
class ImportPreviewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setPlan(ImportPlan plan);
    const ImportPlan &plan() const { return m_plan; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // What the last column says of a record: "à importer", "déjà dans le log", "refusé : ...".
    static QString verdictText(const ImportItem &item);

private:
    ImportPlan m_plan;
};

class Import_ADIF : public QDialog
{
    Q_OBJECT
public:
    // names is the first-name memory that fills and learns the names, as a store does.
    Import_ADIF(Dialogs &dialogs, Session &session, const FirstNames &names,
                QWidget *parent = nullptr);

    // Reads the file and shows what the import would do. A file that cannot be read as ADIF
    // is told through the dialogs and false returned; nothing is written.
    bool load(const QString &path);

    const ImportPlan &plan() const { return m_model->plan(); }

signals:
    // The logs were written (or read again after a failed write).
    void imported();

private:
    void onImporterClicked();
    void showProgress(qint64 done, qint64 total);

    Dialogs &m_dialogs;
    Session &m_session;
    FirstNames m_names;
    QList<AdifRecord> m_records;
    ImportPreviewModel *m_model = nullptr;
    QLabel *Fichier = nullptr;
    QTableView *Liste_Import = nullptr;
    QLabel *Bilan = nullptr;
    QProgressBar *Progression = nullptr;
    QPushButton *Importer = nullptr;
    QPushButton *Annuler = nullptr;
};

} // namespace orvel
