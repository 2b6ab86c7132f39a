#include "DataSource.h"

namespace tav::store {

DataSource::DataSource(QObject *parent) : QObject(parent) {}

void DataSource::setDataSet(Dataset *dataSet)
{
    if (m_dataSet == dataSet)
        return;
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        m_connections << connect(dataSet, &Dataset::stateChanged, this,
                                 [this] { emit stateChanged(state()); });
        m_connections << connect(dataSet, &Dataset::recordChanged, this, &DataSource::dataChanged);
        m_connections << connect(dataSet, &Dataset::afterOpen, this, &DataSource::dataChanged);
        m_connections << connect(dataSet, &Dataset::afterClose, this, &DataSource::dataChanged);
        m_connections << connect(dataSet, &Dataset::fieldChanged, this, &DataSource::fieldChanged);
        m_connections << connect(dataSet, &Dataset::beforePost, this, &DataSource::updateRecord);
    }
    // Bound controls show the new set at once.
    emit stateChanged(state());
    emit dataChanged();
}

Dataset *DataSource::dataSet() const
{
    return m_dataSet;
}

DataSetState DataSource::state() const
{
    return m_dataSet && m_dataSet->isActive() ? m_dataSet->state() : DataSetState::Inactive;
}

} // namespace tav::store
