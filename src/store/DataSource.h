#pragma once
// The link between a dataset and the controls bound to it: bound controls listen here
// and reload when the record or the state changes.

#include "Dataset.h"

#include <QObject>
#include <QPointer>

namespace tav::store {

class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    void setDataSet(Dataset *dataSet);
    Dataset *dataSet() const;
    // Inactive when no dataset is set or it is closed.
    DataSetState state() const;

signals:
    void stateChanged(DataSetState state);
    // The current record is another one or was re-read: bound controls reload.
    void dataChanged();
    // One field of the buffer changed (by the program or by another control).
    void fieldChanged(const QString &field);
    // Just before a post: bound controls write pending text into the buffer.
    void updateRecord();

private:
    QPointer<Dataset> m_dataSet;
    QVector<QMetaObject::Connection> m_connections;
};

} // namespace tav::store
