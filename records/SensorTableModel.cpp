#include "records/SensorTableModel.h"

namespace {
const char *const headers[] = {
    QT_TRANSLATE_NOOP("SensorTableModel", "序列号"),
    QT_TRANSLATE_NOOP("SensorTableModel", "型号"),
    QT_TRANSLATE_NOOP("SensorTableModel", "传感器类型"),
    QT_TRANSLATE_NOOP("SensorTableModel", "输入类型"),
    QT_TRANSLATE_NOOP("SensorTableModel", "标称灵敏度"),
    QT_TRANSLATE_NOOP("SensorTableModel", "参考频率/Hz"),
};
constexpr int columns = sizeof(headers) / sizeof(headers[0]);
} // namespace

SensorTableModel::SensorTableModel(const QStringList &sensorTypes, const QStringList &inputTypes,
                                   QObject *parent)
    : QAbstractTableModel(parent), m_sensorTypes(sensorTypes), m_inputTypes(inputTypes)
{}

void SensorTableModel::setSensors(const QVector<Sensor> &sensors)
{
    beginResetModel();
    m_sensors = sensors;
    endResetModel();
}

int SensorTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_sensors.size();
}

int SensorTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns;
}

QVariant SensorTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_sensors.size())
        return {};
    const Sensor &sensor = m_sensors.at(index.row());
    switch (index.column()) {
    case 0:
        return sensor.serial;
    case 1:
        return sensor.model;
    case 2:
        return m_sensorTypes.value(sensor.sensorType);
    case 3:
        return m_inputTypes.value(sensor.inputType);
    case 4:
        return QString::number(sensor.nominal, 'f', 3);
    case 5:
        return QString::number(sensor.referenceFrequency, 'f', 2);
    default:
        return {};
    }
}

QVariant SensorTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return tr(headers[section]);
}
