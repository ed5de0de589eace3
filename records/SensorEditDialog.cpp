#include "records/SensorEditDialog.h"

#include "records/SensorRegister.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

SensorEditDialog::SensorEditDialog(SensorRegister &sensors, const Sensor &sensor,
                                   const QStringList &sensorTypes, const QStringList &inputTypes,
                                   QWidget *parent)
    : QDialog(parent), m_sensors(sensors), m_sensor(sensor),
      m_modelEdit(new QLineEdit(sensor.model)), m_serialEdit(new QLineEdit(sensor.serial)),
      m_sensorTypeCombo(new QComboBox), m_inputTypeCombo(new QComboBox),
      m_nominalSpin(spinBox(0, 1e6, 4, sensor.nominal)),
      m_sensitivityToleranceSpin(spinBox(0, 100, 2, sensor.sensitivityTolerance)),
      m_responseToleranceSpin(spinBox(0, 100, 2, sensor.responseTolerance)),
      m_referenceFrequencySpin(spinBox(0, 10000, 2, sensor.referenceFrequency)),
      m_notesEdit(new QPlainTextEdit(sensor.notes))
{
    setObjectName(QStringLiteral("sensorEditDialog"));
    setWindowTitle(sensor.isValid() ? tr("编辑传感器") : tr("新增传感器"));
    m_modelEdit->setObjectName(QStringLiteral("modelLineEdit"));
    m_serialEdit->setObjectName(QStringLiteral("serialLineEdit"));
    m_sensorTypeCombo->addItems(sensorTypes);
    m_sensorTypeCombo->setCurrentIndex(sensor.sensorType);
    m_inputTypeCombo->addItems(inputTypes);
    m_inputTypeCombo->setCurrentIndex(sensor.inputType);
    m_nominalSpin->setObjectName(QStringLiteral("nominalSpinBox"));
    m_notesEdit->setMaximumHeight(80);
    auto *form = new QFormLayout;
    form->addRow(tr("型号"), m_modelEdit);
    form->addRow(tr("序列号"), m_serialEdit);
    form->addRow(tr("传感器类型"), m_sensorTypeCombo);
    form->addRow(tr("输入类型"), m_inputTypeCombo);
    form->addRow(tr("标称灵敏度"), m_nominalSpin);
    form->addRow(tr("灵敏度容差 ±%"), m_sensitivityToleranceSpin);
    form->addRow(tr("频响容差 ±%"), m_responseToleranceSpin);
    form->addRow(tr("参考频率/Hz"), m_referenceFrequencySpin);
    form->addRow(tr("备注"), m_notesEdit);
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &SensorEditDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SensorEditDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

void SensorEditDialog::accept()
{
    Sensor sensor = edited();
    QString error;
    const bool written =
        sensor.isValid() ? m_sensors.update(sensor, &error) : m_sensors.add(&sensor, &error);
    if (!written) {
        QMessageBox::warning(this, tr("传感器登记"), error);
        return;
    }
    m_sensor = sensor;
    QDialog::accept();
}

Sensor SensorEditDialog::edited() const
{
    Sensor sensor = m_sensor;
    sensor.model = m_modelEdit->text().trimmed();
    sensor.serial = m_serialEdit->text().trimmed();
    sensor.sensorType = m_sensorTypeCombo->currentIndex();
    sensor.inputType = m_inputTypeCombo->currentIndex();
    sensor.nominal = m_nominalSpin->value();
    sensor.sensitivityTolerance = m_sensitivityToleranceSpin->value();
    sensor.responseTolerance = m_responseToleranceSpin->value();
    sensor.referenceFrequency = m_referenceFrequencySpin->value();
    sensor.notes = m_notesEdit->toPlainText();
    return sensor;
}

QDoubleSpinBox *SensorEditDialog::spinBox(double minimum, double maximum, int decimals,
                                          double value)
{
    auto *box = new QDoubleSpinBox;
    box->setRange(minimum, maximum);
    box->setDecimals(decimals);
    box->setValue(value);
    return box;
}
