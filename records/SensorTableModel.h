#pragma once

#include "records/Sensor.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The sensors that the register dialog lists: serial number, model, types,
// nominal sensitivity and reference frequency.
class SensorTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    SensorTableModel(const QStringList &sensorTypes, const QStringList &inputTypes,
                     QObject *parent = nullptr);

    void setSensors(const QVector<Sensor> &sensors);
    Sensor sensor(int row) const { return m_sensors.value(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_sensorTypes;
    QStringList m_inputTypes;
    QVector<Sensor> m_sensors;
};
