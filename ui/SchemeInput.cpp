#include "ui/SchemeInput.h"

#include <QRegularExpression>

namespace {
struct FrequencyLimit
{
    float maximum;
    const char *message;
};

const FrequencyLimit frequencyLimits[] = {
    {10000, QT_TRANSLATE_NOOP("MainWindow", "Frequency must be between 10 and 10000")},
    {150, QT_TRANSLATE_NOOP("MainWindow", "Frequency must be between 10 and 150")},
    {1500, QT_TRANSLATE_NOOP("MainWindow", "Frequency must be between 10 and 1500")},
};
} // namespace

QString SchemeInput::clean(const QString &raw)
{
    static const QRegularExpression notNumeric(QStringLiteral("[^\\d\\.]*"));
    QString text = raw;
    text.replace(notNumeric, QString());
    const int point = text.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        text.remove(QLatin1Char('.'));
        text.insert(point, QLatin1Char('.'));
    }
    return text;
}

float SchemeInput::value(const QString &cleaned)
{
    return cleaned.toFloat();
}

QString SchemeInput::cellText(const QString &cleaned)
{
    return QString::number(value(cleaned), 'f', 2);
}

const char *SchemeInput::amplitudeError(const QString &cleaned)
{
    const float amplitude = value(cleaned);
    if (cleaned.isEmpty() || amplitude < 0 || amplitude > 50)
        return QT_TRANSLATE_NOOP("MainWindow", "Amplitude must be between 0 and 50");
    return nullptr;
}

const char *SchemeInput::frequencyError(const QString &cleaned, int sensorType)
{
    if (sensorType < 0 || sensorType > 2)
        return nullptr;
    const FrequencyLimit &limit = frequencyLimits[sensorType];
    const float frequency = value(cleaned);
    if (cleaned.isEmpty() || frequency < 10 || frequency > limit.maximum)
        return limit.message;
    return nullptr;
}
