#include "base/number_format.h"

#include <cmath>
#include <cstdio>
#include <string>

double RoundToKopecks(double amount)
{
    return std::nearbyint(amount * 100.0) * 0.01;
}

QString FormatFixed(double value, int decimals, QChar decimalSeparator)
{
    decimals = std::clamp(decimals, 0, 18);
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NAN")
                                 : (value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF"));

    // 18 significant digits: d.ddddddddddddddddde±x
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(value));
    const std::string s(buf);
    const std::size_t ePos = s.find('e');
    std::string mantissa = s.substr(0, 1) + s.substr(2, ePos - 2); // 18 digits
    const int exponent = std::stoi(s.substr(ePos + 1));

    // Digits as an integer string with the decimal point after position (exponent + 1).
    int pointPos = exponent + 1;
    std::string digits = mantissa;
    if (pointPos <= 0) {
        digits.insert(0, std::size_t(1 - pointPos), '0');
        pointPos = 1;
    }
    if (int(digits.size()) < pointPos + decimals + 1)
        digits.append(std::size_t(pointPos + decimals + 1 - int(digits.size())), '0');

    // Round half away from zero at the wanted decimal.
    const int keep = pointPos + decimals;
    const bool roundUp = digits[std::size_t(keep)] >= '5';
    digits.resize(std::size_t(keep));
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && digits[std::size_t(i)] == '9') {
            digits[std::size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[std::size_t(i)];
        } else {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }

    std::string intPart = digits.substr(0, std::size_t(pointPos));
    const std::string fracPart = digits.substr(std::size_t(pointPos));
    const std::size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "0" : intPart.substr(nz);

    const bool isZero = intPart == "0" && fracPart.find_first_not_of('0') == std::string::npos;
    QString out = QString::fromLatin1(intPart.c_str());
    if (decimals > 0)
        out += decimalSeparator + QString::fromLatin1(fracPart.c_str());
    if (value < 0 && !isZero)
        out.prepend(u'-');
    return out;
}

QString FormatByDisplayFormat(double value, const QString& format)
{
    const qsizetype dot = format.indexOf(u'.');
    const int decimals = dot < 0 ? 0 : int(format.size() - dot - 1);
    return FormatFixed(value, decimals, u',');
}

bool ParseDecimal(const QString& text, double* value)
{
    QString s = text.trimmed();
    s.replace(u',', u'.');
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+')
            return false;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}
