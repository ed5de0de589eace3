#pragma once

#include "records/Sensor.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableView;
class SensorRegister;
class SensorTableModel;

// The sensor register: a filter that narrows the list at every keystroke
// (serial number or model), and choosing, adding, editing and retiring a
// sensor. Accepted, it gives the chosen sensor.
class SensorDialog : public QDialog
{
    Q_OBJECT

public:
    // Sensors listed at most; a filter finds the others.
    static constexpr int listLimit = 500;

    SensorDialog(SensorRegister &sensors, const QStringList &sensorTypes,
                 const QStringList &inputTypes, QWidget *parent = nullptr);

    Sensor chosen() const { return m_chosen; }
    void setFilter(const QString &text);

protected:
    // The arrow keys in the filter move through the list, so that a sensor
    // is chosen without leaving the keyboard.
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void filterHandle(const QString &text);
    void chooseHandle();
    void addHandle();
    void editHandle();
    void retireHandle();

private:
    Sensor current() const;
    void edit(const Sensor &sensor);

    SensorRegister &m_sensors;
    QStringList m_sensorTypes;
    QStringList m_inputTypes;
    SensorTableModel *m_model;
    QLineEdit *m_filterEdit;
    QTableView *m_view;
    QLabel *m_countLabel;
    Sensor m_chosen;
};
