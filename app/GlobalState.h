#pragma once

// The program-wide variables that all subsystems share. They are defined in
// GlobalState.cpp in the order in which they must be initialised.

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "app/StatusCode.h"

class Config;
class ExportFile;
class QSerialPort;

// Text tables.
extern QStringList connectStatusZh;
extern QStringList connectStatusEn;
extern QList<QStringList> connectStatusTexts;
extern QStringList sensorTypeUnits;
extern QStringList inputTypeUnits;
extern QStringList tipsZh;
extern QStringList tipsEn;
extern QList<QStringList> tipsTexts;
extern QList<const char *> tableHeaderSources;
extern QList<const char *> tableHeaderTexts;
extern QList<const char *> sensitivityAxisTitles;
extern QList<const char *> startStopTexts;

// Numeric tables and constants.
extern float pi;
extern QList<float> chartFrequencies;
extern QList<float> chartSensitivities;

// Device link and reply values.
extern QSerialPort *serialPort;
extern QByteArray rxBuffer;
extern QMutex rxMutex;
extern qint32 replyAmplitudeRaw;
extern qint32 replyOutputRaw;
extern qint32 deviceSensorType;
extern qint32 deviceInputType;
extern qint32 currentRow;
extern float controlAmplitude;
extern float sensitivity;

// Status flags: a sent and an acknowledged flag per protocol step, changed
// only through updateStatus, plus the two flags written directly.
extern bool connectSent;
extern bool connectAcked;
extern bool disconnectSent;
extern bool disconnectAcked;
extern bool readSent;
extern bool readAcked;
extern bool configSent;
extern bool configAcked;
extern bool pointSent;
extern bool pointAcked;
extern bool stopRequested;
extern bool chartCollapsed;

// Chart state.
extern qint32 zoomMode;
extern float xAxisHomeMin;
extern float xAxisHomeMax;
extern float yAxisHomeMin;
extern float yAxisHomeMax;

// Long-lived objects.
extern Config *config;
extern ExportFile *exportFile;
extern QTemporaryDir exportTempDir;

// Language of the interface: 0 Chinese, 1 English.
extern qint32 languageIndex;

// Log settings and the writer's record counter.
extern quint32 logRelyMode;
extern quint32 logTime;
extern quint32 logSize;
extern quint32 logRowNum;
extern QString logName;
extern quint32 logRowCount;

// Applies a status code (StatusCode_e, 0 to 16) to the status flags; other
// codes do nothing.
void updateStatus(int code);
