#include "ui/SchemeInput.h"

#include "device/CommandFrames.h"

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

// Chinese input methods often type full-width digits and the full-width
// point; they count as the ASCII ones. Every other character is left to the
// cleaning.
QString withAsciiDigits(const QString &raw)
{
    QString text = raw;
    for (QChar &c : text) {
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QLatin1Char(char('0' + (c.unicode() - 0xFF10)));
        else if (c == QChar(0xFF0E))
            c = QLatin1Char('.');
    }
    return text;
}
} // namespace

QString SchemeInput::clean(const QString &raw)
{
    static const QRegularExpression notNumeric(QStringLiteral("[^\\d\\.]*"));
    QString text = withAsciiDigits(raw);
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
    if (sensorType < 0 || sensorType > 2) {
        if (CommandFrames::fitsWord(CommandFrames::frequencyCode(value(cleaned))))
            return nullptr;
        return QT_TRANSLATE_NOOP("MainWindow", "Frequency must not exceed 65535");
    }
    const FrequencyLimit &limit = frequencyLimits[sensorType];
    const float frequency = value(cleaned);
    if (cleaned.isEmpty() || frequency < 10 || frequency > limit.maximum)
        return limit.message;
    return nullptr;
}
