#include "sim/SimOptions.h"

#include <QCommandLineParser>

namespace {
const char *description =
    "Simulated RT-58A calibrator. Creates a pseudo-terminal, publishes it under a\n"
    "link path and answers the link (L), unlink (S), read-types (R), configure (C)\n"
    "and vibrate (V) frames of the RT-58 serial protocol. It prints the link path on\n"
    "standard output once it is ready and removes the link when it stops (SIGINT,\n"
    "SIGTERM or SIGHUP). An existing symbolic link at the path is replaced.\n"
    "\n"
    "A vibrate reply carries the control-amplitude count 2 x the commanded amplitude\n"
    "code (so the program computes the commanded amplitude back) and the output\n"
    "count of a sensor with the given sensitivity, a second-order resonance and\n"
    "optional noise. Counts are limited to 0..65535.\n"
    "\n"
    "Faults on demand: --delay, --unanswered, --split, --noise, --false-start,\n"
    "--fixed-counts. Line noise contains the start byte 0x21 only with --false-start.";

struct Limits
{
    double minimum;
    double maximum;
};

bool readNumber(const QCommandLineParser &parser, const QString &name, Limits limits, double &value,
                QString &message)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const double parsed = parser.value(name).toDouble(&ok);
    if (!ok || parsed < limits.minimum || parsed > limits.maximum) {
        message = QStringLiteral("--%1: expected a number from %2 to %3, got \"%4\"")
                      .arg(name)
                      .arg(limits.minimum)
                      .arg(limits.maximum)
                      .arg(parser.value(name));
        return false;
    }
    value = parsed;
    return true;
}

bool readInteger(const QCommandLineParser &parser, const QString &name, Limits limits, int &value,
                 QString &message)
{
    double parsed = value;
    if (!readNumber(parser, name, limits, parsed, message))
        return false;
    if (parsed != static_cast<int>(parsed)) {
        message = QStringLiteral("--%1: expected a whole number, got \"%2\"")
                      .arg(name, parser.value(name));
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool readIntegerList(const QString &text, const QString &name, Limits limits, QList<int> &values,
                     QString &message)
{
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok || value < limits.minimum || value > limits.maximum) {
            message = QStringLiteral("--%1: \"%2\" is not a whole number from %3 to %4")
                          .arg(name, part)
                          .arg(limits.minimum)
                          .arg(limits.maximum);
            return false;
        }
        values.append(value);
    }
    return true;
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QString::fromLatin1(description));
    parser.addHelpOption();
    parser.addOptions({
        {"link", "Link path to publish (default /tmp/ttyRT58).", "path"},
        {"sensor-type",
         "Stored sensor type: 0 Acceleration, 1 Velocity, 2 Displacement; -1 for none "
         "(the read reply carries FF).",
         "n"},
        {"input-type", "Stored input type: 0 PE, 1 IEPE, 2 Voltage, 3 4-20mA; -1 for none (FF).",
         "n"},
        {"sensitivity", "Sensor sensitivity at low frequency, output unit per unit (default 1).",
         "s"},
        {"resonance",
         "Resonance frequency of the sensor in Hz; 0 for a flat response "
         "(default 30000).",
         "hz"},
        {"output-noise", "Random noise on the output count, percent standard deviation.", "pct"},
        {"fixed-counts", "Answer every vibrate frame with these control and output counts.",
         "amp,out"},
        {"unanswered", "Point numbers (byte 3 of the vibrate frame) that get no reply.",
         "n[,n...]"},
        {"delay", "Delay before each reply, in milliseconds.", "ms"},
        {"split", "Write each reply in pieces of at most this many bytes.", "bytes"},
        {"split-gap", "Pause between the pieces of a split reply (default 50 ms).", "ms"},
        {"noise", "Random line-noise bytes written in front of each reply.", "count"},
        {"false-start",
         "Line noise opens with a false frame header (start byte 0x21, a reply letter, a "
         "random length) and its random bytes may hold the start byte too."},
        {"seed", "Seed of the noise generators (default 1).", "n"},
        {"verbose", "Trace every received frame and every reply on standard error."},
    });
}

bool readFaults(const QCommandLineParser &parser, SimOptions &options, QString &message)
{
    if (parser.isSet("fixed-counts")) {
        QList<int> counts;
        if (!readIntegerList(parser.value("fixed-counts"), "fixed-counts", {0, 65535}, counts,
                             message))
            return false;
        if (counts.size() != 2) {
            message = QStringLiteral("--fixed-counts: expected two counts, as in 800,400");
            return false;
        }
        options.fixedCounts = qMakePair(counts.at(0), counts.at(1));
    }
    if (parser.isSet("unanswered")) {
        QList<int> points;
        if (!readIntegerList(parser.value("unanswered"), "unanswered", {0, 255}, points, message))
            return false;
        options.unansweredPoints = QSet<int>(points.cbegin(), points.cend());
    }
    return readInteger(parser, "delay", {0, 600000}, options.delayMs, message) &&
           readInteger(parser, "split", {0, 255}, options.splitBytes, message) &&
           readInteger(parser, "split-gap", {0, 60000}, options.splitGapMs, message) &&
           readInteger(parser, "noise", {0, 65536}, options.noiseBytes, message);
}

bool readSensor(const QCommandLineParser &parser, SimOptions &options, QString &message)
{
    int seed = static_cast<int>(options.seed);
    const bool ok =
        readInteger(parser, "sensor-type", {-1, 2}, options.sensorType, message) &&
        readInteger(parser, "input-type", {-1, 3}, options.inputType, message) &&
        readNumber(parser, "sensitivity", {0, 1e6}, options.sensitivity, message) &&
        readNumber(parser, "resonance", {0, 1e7}, options.resonanceHz, message) &&
        readNumber(parser, "output-noise", {0, 100}, options.outputNoisePercent, message) &&
        readInteger(parser, "seed", {0, 2147483647}, seed, message);
    options.seed = static_cast<quint32>(seed);
    return ok;
}
} // namespace

SimOptions::ParseResult_e SimOptions::parse(const QStringList &arguments, SimOptions &options,
                                            QString &message)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        message = parser.errorText();
        return Invalid;
    }
    if (parser.isSet("help") || parser.isSet("help-all")) {
        message = parser.helpText();
        return ShowHelp;
    }
    if (!parser.positionalArguments().isEmpty()) {
        message =
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().at(0));
        return Invalid;
    }
    if (parser.isSet("link"))
        options.link = parser.value("link");
    if (options.link.isEmpty()) {
        message = QStringLiteral("--link: the path must not be empty");
        return Invalid;
    }
    options.verbose = parser.isSet("verbose");
    options.falseStart = parser.isSet("false-start");
    if (!readSensor(parser, options, message) || !readFaults(parser, options, message))
        return Invalid;
    return Run;
}
