#pragma once

#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Settings of the simulated calibrator, taken from its command line.
struct SimOptions
{
    enum ParseResult_e
    {
        Run,
        ShowHelp,
        Invalid
    };

    QString link = QStringLiteral("/tmp/ttyRT58");
    int sensorType = 0;
    int inputType = 0;
    double sensitivity = 1.0;
    double resonanceHz = 30000.0;
    double outputNoisePercent = 0.0;
    std::optional<QPair<int, int>> fixedCounts;
    QSet<int> unansweredPoints;
    int delayMs = 0;
    int splitBytes = 0;
    int splitGapMs = 50;
    int noiseBytes = 0;
    bool falseStart = false;
    quint32 seed = 1;
    bool verbose = false;

    // Fills options from the arguments (program name first). On ShowHelp,
    // message holds the help text; on Invalid, the reason.
    static ParseResult_e parse(const QStringList &arguments, SimOptions &options, QString &message);
};
