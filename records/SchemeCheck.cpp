#include "records/SchemeCheck.h"

#include "ui/SchemeInput.h"

#include <QCoreApplication>

bool SchemeCheck::accept(const QVector<Line> &lines, int sensorType, Scheme *scheme, QString *error)
{
    Scheme accepted;
    for (const Line &line : lines) {
        const QString reason = lineError(line, sensorType);
        if (!reason.isEmpty()) {
            *error = QStringLiteral("第 %1 行：%2").arg(line.number).arg(reason);
            return false;
        }
        accepted << SchemePoint{SchemeInput::cellText(line.amplitude.trimmed()),
                                SchemeInput::cellText(line.frequency.trimmed())};
    }
    if (accepted.isEmpty()) {
        *error = QStringLiteral("方案中没有测试点");
        return false;
    }
    *scheme = accepted;
    return true;
}

QString SchemeCheck::lineError(const Line &line, int sensorType)
{
    const QString amplitude = line.amplitude.trimmed();
    const QString frequency = line.frequency.trimmed();
    for (const QString &text : {amplitude, frequency}) {
        if (text.isEmpty() || SchemeInput::clean(text) != text)
            return QStringLiteral("“%1”不是数字").arg(text);
    }
    const char *message = SchemeInput::amplitudeError(amplitude);
    if (!message)
        message = SchemeInput::frequencyError(frequency, sensorType);
    return message ? QCoreApplication::translate("MainWindow", message) : QString();
}
