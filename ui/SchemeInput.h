#pragma once

#include <QString>

// Cleaning and validation of the amplitude and frequency that the operator
// types for a test point.
class SchemeInput
{
public:
    // Keeps digits and the first decimal point, so "-5" becomes "5" and
    // "1.2.3" becomes "1.23". Full-width digits and "．" count as ASCII ones.
    static QString clean(const QString &raw);
    // The number of a cleaned text; a text that does not convert gives 0.
    static float value(const QString &cleaned);
    // The cell text of a cleaned input: its number with two decimals.
    static QString cellText(const QString &cleaned);

    // The source text of the message for a rejected input, or nullptr when the
    // input is accepted. Frequencies are limited by the sensor type index;
    // without a sensor type, by what the frame's 16-bit word carries.
    static const char *amplitudeError(const QString &cleaned);
    static const char *frequencyError(const QString &cleaned, int sensorType);
};
