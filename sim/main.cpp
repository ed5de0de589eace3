#include "sim/Calibrator.h"
#include "sim/PseudoTerminal.h"
#include "sim/ReplyWriter.h"
#include "sim/SimOptions.h"
#include "sim/TerminationSignals.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
void trace(const char *direction, const QByteArray &frame)
{
    std::fprintf(stderr, "%s %s\n", direction, frame.toHex(' ').toUpper().constData());
}

void traceExchange(const Calibrator::Exchange &exchange)
{
    trace("rx", exchange.command);
    if (exchange.reply.isEmpty())
        std::fprintf(stderr, "-- no reply\n");
    else
        trace("tx", exchange.reply);
}

int reportParse(SimOptions::ParseResult_e result, const QString &message)
{
    if (result == SimOptions::ShowHelp) {
        std::fputs(qPrintable(message), stdout);
        return 0;
    }
    std::fprintf(stderr, "rt58-sim: %s\nTry 'rt58-sim --help'.\n", qPrintable(message));
    return 2;
}
} // namespace

int main(int argc, char *argv[])
{
    TerminationSignals::block();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rt58-sim"));

    SimOptions options;
    QString message;
    const SimOptions::ParseResult_e result = SimOptions::parse(app.arguments(), options, message);
    if (result != SimOptions::Run)
        return reportParse(result, message);

    TerminationSignals termination;
    PseudoTerminal terminal;
    if (!termination.isValid() || !terminal.open(options.link, message)) {
        std::fprintf(stderr, "rt58-sim: %s\n", qPrintable(message));
        return 1;
    }
    Calibrator calibrator(options);
    ReplyWriter writer(options, [&terminal](const QByteArray &bytes) { terminal.write(bytes); });
    QObject::connect(&terminal, &PseudoTerminal::received, [&](const QByteArray &bytes) {
        const QList<Calibrator::Exchange> exchanges = calibrator.receive(bytes);
        for (const Calibrator::Exchange &exchange : exchanges) {
            if (options.verbose)
                traceExchange(exchange);
            if (!exchange.reply.isEmpty())
                writer.send(exchange.reply);
        }
    });
    QObject::connect(&termination, &TerminationSignals::received, &app, &QCoreApplication::quit);

    std::printf("%s\n", qPrintable(options.link));
    std::fflush(stdout);
    if (options.verbose)
        std::fprintf(stderr, "rt58-sim: %s -> %s\n", qPrintable(options.link),
                     qPrintable(terminal.terminalPath()));
    return QCoreApplication::exec();
}
