#include "records/SensorDialog.h"

#include "records/SensorEditDialog.h"
#include "records/SensorRegister.h"
#include "records/SensorTableModel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

SensorDialog::SensorDialog(SensorRegister &sensors, const QStringList &sensorTypes,
                           const QStringList &inputTypes, QWidget *parent)
    : QDialog(parent), m_sensors(sensors), m_sensorTypes(sensorTypes), m_inputTypes(inputTypes),
      m_model(new SensorTableModel(sensorTypes, inputTypes, this)), m_filterEdit(new QLineEdit),
      m_view(new QTableView), m_countLabel(new QLabel)
{
    setObjectName(QStringLiteral("sensorDialog"));
    setWindowTitle(tr("传感器登记"));
    resize(720, 480);
    m_filterEdit->setObjectName(QStringLiteral("filterLineEdit"));
    m_filterEdit->setPlaceholderText(tr("按序列号或型号筛选"));
    m_filterEdit->setClearButtonEnabled(true);
    m_filterEdit->installEventFilter(this);
    m_view->setObjectName(QStringLiteral("sensorTableView"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    m_view->horizontalHeader()->setStretchLastSection(true);
    auto *buttons = new QDialogButtonBox;
    QPushButton *choose = buttons->addButton(tr("选择"), QDialogButtonBox::AcceptRole);
    choose->setObjectName(QStringLiteral("chooseButton"));
    choose->setDefault(true);
    QPushButton *add = buttons->addButton(tr("新增…"), QDialogButtonBox::ActionRole);
    add->setObjectName(QStringLiteral("addButton"));
    QPushButton *editButton = buttons->addButton(tr("编辑…"), QDialogButtonBox::ActionRole);
    editButton->setObjectName(QStringLiteral("editButton"));
    QPushButton *retire = buttons->addButton(tr("停用"), QDialogButtonBox::ActionRole);
    retire->setObjectName(QStringLiteral("retireButton"));
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_filterEdit);
    layout->addWidget(m_view);
    layout->addWidget(m_countLabel);
    layout->addWidget(buttons);
    connect(m_filterEdit, &QLineEdit::textChanged, this, &SensorDialog::filterHandle);
    connect(m_view, &QTableView::doubleClicked, this, &SensorDialog::chooseHandle);
    connect(choose, &QPushButton::clicked, this, &SensorDialog::chooseHandle);
    connect(add, &QPushButton::clicked, this, &SensorDialog::addHandle);
    connect(editButton, &QPushButton::clicked, this, &SensorDialog::editHandle);
    connect(retire, &QPushButton::clicked, this, &SensorDialog::retireHandle);
    connect(buttons, &QDialogButtonBox::rejected, this, &SensorDialog::reject);
    filterHandle(QString());
}

void SensorDialog::setFilter(const QString &text)
{
    m_filterEdit->setText(text);
}

bool SensorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_filterEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QApplication::sendEvent(m_view, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SensorDialog::filterHandle(const QString &text)
{
    QString error;
    const QVector<Sensor> sensors = m_sensors.find(text, listLimit + 1, &error);
    m_model->setSensors(sensors.mid(0, listLimit));
    if (!error.isEmpty())
        m_countLabel->setText(tr("无法读取传感器登记：%1").arg(error));
    else if (sensors.size() > listLimit)
        m_countLabel->setText(tr("只列出前 %1 个，请输入序列号或型号缩小范围").arg(listLimit));
    else
        m_countLabel->setText(tr("%1 个传感器").arg(sensors.size()));
    if (!sensors.isEmpty())
        m_view->selectRow(0);
}

void SensorDialog::chooseHandle()
{
    m_chosen = current();
    if (m_chosen.isValid())
        accept();
}

void SensorDialog::addHandle()
{
    edit(Sensor());
}

void SensorDialog::editHandle()
{
    const Sensor sensor = current();
    if (sensor.isValid())
        edit(sensor);
}

void SensorDialog::retireHandle()
{
    const Sensor sensor = current();
    if (!sensor.isValid())
        return;
    const QString question =
        tr("停用传感器 %1（%2）？它的历史记录仍然保留。").arg(sensor.serial, sensor.model);
    if (QMessageBox::question(this, tr("传感器登记"), question) != QMessageBox::Yes)
        return;
    QString error;
    if (!m_sensors.retire(sensor.id, &error))
        QMessageBox::warning(this, tr("传感器登记"), error);
    filterHandle(m_filterEdit->text());
}

Sensor SensorDialog::current() const
{
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? m_model->sensor(index.row()) : Sensor();
}

// The list shows the sensor just written, found by its serial number.
void SensorDialog::edit(const Sensor &sensor)
{
    SensorEditDialog dialog(m_sensors, sensor, m_sensorTypes, m_inputTypes, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_filterEdit->text() == dialog.sensor().serial)
        filterHandle(m_filterEdit->text());
    else
        m_filterEdit->setText(dialog.sensor().serial);
}
