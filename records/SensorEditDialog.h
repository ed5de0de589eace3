#pragma once

#include "records/Sensor.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class SensorRegister;

// Adds a sensor to the register or edits one. OK writes it; a refusal (a
// serial number already registered, a missing field) is shown and the
// dialog stays open with what was typed.
class SensorEditDialog : public QDialog
{
    Q_OBJECT

public:
    SensorEditDialog(SensorRegister &sensors, const Sensor &sensor, const QStringList &sensorTypes,
                     const QStringList &inputTypes, QWidget *parent = nullptr);

    Sensor sensor() const { return m_sensor; }

public slots:
    void accept() override;

private:
    Sensor edited() const;
    static QDoubleSpinBox *spinBox(double minimum, double maximum, int decimals, double value);

    SensorRegister &m_sensors;
    Sensor m_sensor;
    QLineEdit *m_modelEdit;
    QLineEdit *m_serialEdit;
    QComboBox *m_sensorTypeCombo;
    QComboBox *m_inputTypeCombo;
    QDoubleSpinBox *m_nominalSpin;
    QDoubleSpinBox *m_sensitivityToleranceSpin;
    QDoubleSpinBox *m_responseToleranceSpin;
    QDoubleSpinBox *m_referenceFrequencySpin;
    QPlainTextEdit *m_notesEdit;
};
