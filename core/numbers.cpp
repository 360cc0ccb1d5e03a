#include "core/numbers.h"

#include "core/errors.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace hz {

namespace {

struct ParsedNumber {
    bool negative = false;
    QString intDigits; // without commas
    QString fracDigits;
    bool hasExponent = false;
    QString normalized; // for strtod: sign, digits, '.', fraction, exponent
};

bool isBlank(QChar c) { return c.isSpace(); }

// A Japanese input method in full-width mode types "１，２３４" and "－５": in a box they mean what their ASCII
// counterparts mean. Records hold ASCII only; there a full-width character is no number.
QChar asciiCounterpart(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return QChar(char16_t(u'0' + (u - 0xFF10)));
    switch (u) {
    case 0xFF0B:
        return u'+';
    case 0xFF0C:
        return u',';
    case 0xFF0D:
        return u'-';
    case 0xFF0E:
        return u'.';
    default:
        return c;
    }
}

QString asciiNumberText(const QString &text) {
    QString out = text;
    for (QChar &c : out)
        c = asciiCounterpart(c);
    return out;
}

bool hasFullWidth(const QString &text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return asciiCounterpart(c) != c; });
}

enum class Source { box, record };

// Recognises [blanks][sign]digits-with-commas[.digits][E[sign]digits][blanks]; a comma may only follow a digit.
std::optional<ParsedNumber> parseAscii(const QString &text);

std::optional<ParsedNumber> parse(const QString &text, Source source = Source::box) {
    if (source == Source::box && hasFullWidth(text))
        return parseAscii(asciiNumberText(text));
    return parseAscii(text);
}

std::optional<ParsedNumber> parseAscii(const QString &text) {
    int i = 0, n = int(text.size());
    while (i < n && isBlank(text[i]))
        ++i;
    while (n > i && isBlank(text[n - 1]))
        --n;
    if (i >= n)
        return std::nullopt;
    ParsedNumber p;
    if (text[i] == u'+' || text[i] == u'-') {
        p.negative = text[i] == u'-';
        ++i;
    }
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            p.intDigits += c;
        else if (c == u',' && !p.intDigits.isEmpty())
            continue;
        else
            break;
    }
    if (i < n && text[i] == u'.') {
        for (++i; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i)
            p.fracDigits += text[i];
    }
    if (p.intDigits.isEmpty() && p.fracDigits.isEmpty())
        return std::nullopt;
    QString exponent;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            exponent += text[i++];
        const int start = i;
        for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i)
            exponent += text[i];
        if (i == start)
            return std::nullopt;
        p.hasExponent = true;
    }
    if (i != n)
        return std::nullopt;
    p.normalized = (p.negative ? QStringLiteral("-") : QString()) + (p.intDigits.isEmpty() ? u"0"_qs : p.intDigits) +
                   u'.' + (p.fracDigits.isEmpty() ? u"0"_qs : p.fracDigits) +
                   (p.hasExponent ? u'e' + exponent : QString());
    return p;
}

double toDoubleParsed(const ParsedNumber &p) {
    const QByteArray bytes = p.normalized.toLatin1();
    return std::strtod(bytes.constData(), nullptr);
}

QString groupDigits(const QString &digits) {
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

// The whole number of a recognised text; Error::overflow() beyond 32 bits.
std::int32_t wholeOfParsed(const ParsedNumber &p) {
    if (p.hasExponent)
        return roundHalfEven(toDoubleParsed(p));
    // Exact decimal rounding, so that 2,147,483,647.4 and long fractions round as written.
    QString digits = p.intDigits;
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > 12)
        throw Error::overflow();
    std::int64_t v = digits.isEmpty() ? 0 : digits.toLongLong();
    const QString &f = p.fracDigits;
    if (!f.isEmpty()) {
        const int first = f[0].digitValue();
        bool restNonZero = false;
        for (int k = 1; k < f.size(); ++k)
            restNonZero = restNonZero || f[k] != u'0';
        if (first > 5 || (first == 5 && (restNonZero || v % 2 == 1)))
            ++v;
    }
    if (p.negative)
        v = -v;
    return narrow(v);
}
} // namespace

std::int32_t toWhole(const QString &text) {
    const auto p = parse(text);
    if (!p)
        throw Error::typeMismatch();
    return wholeOfParsed(*p);
}

std::int32_t recordWhole(const QString &text) {
    const auto p = parse(text, Source::record);
    if (!p)
        throw Error::typeMismatch();
    return wholeOfParsed(*p);
}

std::int32_t readBoxOrZero(const QString &text) {
    // Most boxes a chain reads are blank: they are refused here without the cost of an exception.
    const auto p = parse(text);
    if (!p)
        return 0;
    try {
        return wholeOfParsed(*p);
    } catch (const Error &) {
        return 0;
    }
}

namespace {
double doubleOf(const std::optional<ParsedNumber> &p) {
    if (!p)
        throw Error::typeMismatch();
    const double v = toDoubleParsed(*p);
    if (!std::isfinite(v))
        throw Error::overflow();
    return v;
}
} // namespace

double toDouble(const QString &text) { return doubleOf(parse(text)); }
double recordDouble(const QString &text) { return doubleOf(parse(text, Source::record)); }

std::int32_t narrow(std::int64_t v) {
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        throw Error::overflow();
    return static_cast<std::int32_t>(v);
}

std::int32_t add(std::int32_t a, std::int32_t b) { return narrow(std::int64_t(a) + b); }
std::int32_t sub(std::int32_t a, std::int32_t b) { return narrow(std::int64_t(a) - b); }
std::int32_t mul(std::int32_t a, std::int32_t b) { return narrow(std::int64_t(a) * b); }

std::int32_t idiv(std::int32_t a, std::int32_t b) {
    if (b == 0)
        throw Error::divisionByZero();
    return narrow(std::int64_t(a) / b);
}

std::int64_t roundHalfEven64(double v) {
    if (!std::isfinite(v))
        throw Error::overflow();
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless someone changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    std::fesetround(saved);
    if (r < -9.2e18 || r > 9.2e18)
        throw Error::overflow();
    return static_cast<std::int64_t>(r);
}

std::int32_t roundHalfEven(double v) { return narrow(roundHalfEven64(v)); }

std::int32_t floorWhole(double v) {
    if (!std::isfinite(v))
        throw Error::overflow();
    const double r = std::floor(v);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw Error::overflow();
    return static_cast<std::int32_t>(r);
}

QString plain(std::int64_t v) { return QString::number(v); }

QString fmtAmount(std::int64_t v) {
    if (v == 0)
        return QString();
    // The magnitude as unsigned, so that the most negative value formats too.
    const std::uint64_t mag = v < 0 ? std::uint64_t(0) - std::uint64_t(v) : std::uint64_t(v);
    const QString g = groupDigits(QString::number(mag));
    return v < 0 ? u'-' + g : g;
}

QString fmtAmount(double v) {
    if (!std::isfinite(v))
        return QString();
    const double r = std::round(v);
    if (std::fabs(r) < 9.0e18)
        return fmtAmount(static_cast<std::int64_t>(r));
    const QString digits = QString::number(std::fabs(r), 'f', 0);
    return (r < 0 ? QStringLiteral("-") : QString()) + groupDigits(digits);
}

QString fmtNegAmount(std::int64_t v) {
    if (v == std::numeric_limits<std::int64_t>::min())
        return groupDigits(QString::number(std::uint64_t(1) << 63));
    return fmtAmount(-v);
}

QString fmtPattern(double v, const char *pattern) {
    const QString pat = QString::fromLatin1(pattern);
    const int dot = int(pat.indexOf(u'.'));
    const QString intPat = dot < 0 ? pat : pat.left(dot);
    const QString fracPat = dot < 0 ? QString() : pat.mid(dot + 1);
    const int places = int(fracPat.size());
    const int minIntDigits = int(intPat.count(u'0'));

    const double scaled = std::round(std::fabs(v) * std::pow(10.0, places));
    QString digits = QString::number(scaled, 'f', 0);
    while (digits.size() <= places)
        digits.prepend(u'0');
    QString intPart = digits.left(digits.size() - places);
    QString fracPart = digits.right(places);
    while (intPart.size() > 1 && intPart.startsWith(u'0'))
        intPart.remove(0, 1);
    if (intPart == u"0" && minIntDigits == 0)
        intPart.clear();
    while (intPart.size() < minIntDigits)
        intPart.prepend(u'0');
    // Trailing zeros go where their placeholder is '#', stopping at the first '0' placeholder from the right.
    int keep = places;
    while (keep > 0 && fracPat[keep - 1] == u'#' && fracPart[keep - 1] == u'0')
        --keep;
    fracPart.truncate(keep);
    QString out = intPart;
    if (dot >= 0)
        out += u'.' + fracPart;
    const bool isZero = scaled == 0.0;
    return (v < 0 && !isZero) ? u'-' + out : out;
}

namespace {
QString cNumber(double v, int significant) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", significant, v);
    return QString::fromLatin1(buf);
}
} // namespace

QString singleText(float v) { return cNumber(static_cast<double>(v), 7); }
QString doubleText(double v) { return cNumber(v, 15); }

} // namespace hz
