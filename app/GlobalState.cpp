#include "app/GlobalState.h"

#include <QtMath>

namespace {
// Tables built by a split keep empty parts, as every list literal of the program does.
QStringList splitKeepingEmpty(const QString &text)
{
    return text.split(QLatin1Char(','), Qt::KeepEmptyParts);
}
} // namespace

QStringList connectStatusZh = splitKeepingEmpty(QStringLiteral("已连接,已断开"));
QStringList connectStatusEn = splitKeepingEmpty(QStringLiteral("Connected,Disconnected"));
QList<QStringList> connectStatusTexts{connectStatusZh, connectStatusEn};
QStringList sensorTypeUnits = splitKeepingEmpty(QStringLiteral("ms^-2,mms^-1,um"));
QStringList inputTypeUnits = splitKeepingEmpty(QStringLiteral("Pc,mV,mV,mA"));
QStringList tipsZh{QStringLiteral("建议:"), QStringLiteral("1.你可以选择修改或者删除一行数据!"),
                   QStringLiteral("2.你完成测试之后会看到灵敏度值!")};
QStringList tipsEn{QStringLiteral("Tips:"),
                   QStringLiteral("1.You can select a row to modify or delete!"),
                   QStringLiteral("2.You will see the sensitivities after you complete the test!")};
QList<QStringList> tipsTexts{tipsZh, tipsEn};
QList<const char *> tableHeaderSources{
    "Order",       "Amplitude",    "Frequency", "ControlAmplitude",
    "Sensitivity", "Acceleration", "Velocity",  "Displacement"};
QList<const char *> tableHeaderTexts{"序号",   "幅度",   "频率", "控制幅度",
                                     "灵敏度", "加速度", "速度", "位移"};
QList<const char *> sensitivityAxisTitles{"灵敏度/ms^-2", "灵敏度/mms^-1", "灵敏度/um"};
QList<const char *> startStopTexts{"Start test", "Stop test"};

float pi = static_cast<float>(qAcos(-1.0));
QList<float> chartFrequencies{5, 10, 30};
QList<float> chartSensitivities{20, 30, 40};

QTemporaryDir exportTempDir;
QByteArray rxBuffer;
QMutex rxMutex;
QString logName = QString(QLatin1String(""));

QSerialPort *serialPort = nullptr;
qint32 replyAmplitudeRaw = 0;
qint32 replyOutputRaw = 0;
qint32 deviceSensorType = 0;
qint32 deviceInputType = 0;
qint32 currentRow = 0;
float controlAmplitude = 0;
float sensitivity = 0;

bool connectSent = false;
bool connectAcked = false;
bool disconnectSent = false;
bool disconnectAcked = false;
bool readSent = false;
bool readAcked = false;
bool configSent = false;
bool configAcked = false;
bool pointSent = false;
bool pointAcked = false;
bool stopRequested = false;
bool chartCollapsed = false;

qint32 zoomMode = 0;
float xAxisHomeMin = 0;
float xAxisHomeMax = 11000;
float yAxisHomeMin = 0;
float yAxisHomeMax = 10;

Config *config = nullptr;
ExportFile *exportFile = nullptr;

qint32 languageIndex = 0;

quint32 logRelyMode = 0;
quint32 logTime = 0;
quint32 logSize = 0;
quint32 logRowNum = 0;
quint32 logRowCount = 0;

namespace {
void setPair(bool &sent, bool &acked, bool sentValue, bool ackedValue)
{
    sent = sentValue;
    acked = ackedValue;
}

void clearAllPairs()
{
    setPair(connectSent, connectAcked, false, false);
    setPair(disconnectSent, disconnectAcked, false, false);
    setPair(readSent, readAcked, false, false);
    setPair(configSent, configAcked, false, false);
    setPair(pointSent, pointAcked, false, false);
}
} // namespace

void updateStatus(int code)
{
    switch (code) {
    case StatusCode::ResetAll:
        clearAllPairs();
        chartCollapsed = true;
        break;
    // A new connect also starts a new disconnect exchange: an unlink sent on an
    // earlier link must not hide that this one is up.
    case StatusCode::ConnectRequested:
        setPair(connectSent, connectAcked, false, false);
        setPair(disconnectSent, disconnectAcked, false, false);
        break;
    case StatusCode::ConnectSent:
        setPair(connectSent, connectAcked, true, false);
        break;
    case StatusCode::ConnectAcked:
        setPair(connectSent, connectAcked, true, true);
        break;
    case StatusCode::DisconnectRequested:
        setPair(disconnectSent, disconnectAcked, false, false);
        break;
    case StatusCode::DisconnectSent:
        setPair(disconnectSent, disconnectAcked, true, false);
        break;
    case StatusCode::DisconnectAcked:
        setPair(disconnectSent, disconnectAcked, true, true);
        break;
    case StatusCode::ReadRequested:
        setPair(readSent, readAcked, false, false);
        break;
    case StatusCode::ReadSent:
        setPair(readSent, readAcked, true, false);
        break;
    case StatusCode::ReadAcked:
        setPair(readSent, readAcked, true, true);
        break;
    // The configure pair follows the same pattern; nothing reads it.
    case StatusCode::ConfigRequested:
        setPair(configSent, configAcked, false, false);
        break;
    case StatusCode::ConfigSent:
        setPair(configSent, configAcked, true, false);
        break;
    case StatusCode::ConfigAcked:
        setPair(configSent, configAcked, true, true);
        break;
    case StatusCode::PointRequested:
        setPair(pointSent, pointAcked, false, false);
        break;
    case StatusCode::PointSent:
        setPair(pointSent, pointAcked, true, false);
        break;
    case StatusCode::PointAcked:
        setPair(pointSent, pointAcked, true, true);
        break;
    default:
        break;
    }
}
