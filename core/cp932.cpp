#include "core/cp932.h"

#include "core/errors.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace hz {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

class Iconv {
public:
    Iconv(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (cd_ != kNoConverter)
            iconv_close(cd_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool ok() const { return cd_ != kNoConverter; }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// One converter each way for the life of the thread: opening one costs more than converting a whole record,
// and a record is converted line by line. Each use starts from the initial shift state.
iconv_t ready(Iconv &cv) {
    if (cv.ok())
        iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
    return cv.get();
}

iconv_t toCp932() {
    thread_local Iconv cv("CP932", "UTF-8");
    return ready(cv);
}

iconv_t fromCp932() {
    thread_local Iconv cv("UTF-8", "CP932");
    return ready(cv);
}

bool isAscii(const char *p, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

// The characters of ASCII in text, and the one-byte ASCII characters in its cp932 bytes. A lead byte
// (0x81-0x9F, 0xE0-0xFC) takes the byte after it, which may itself lie in the ASCII range.
qsizetype asciiCharacters(const QString &text) {
    return std::count_if(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}
qsizetype asciiCharacters(const QByteArray &cp932) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < cp932.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (b < 0x80)
            ++n;
        else if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
            ++i;
    }
    return n;
}

// The signs outside ASCII that code page 932 writes as an ASCII byte, with the full-width sign that keeps them: a
// scan of the whole BMP finds these two.
struct ReadBackAsAnother {
    char16_t sign;
    char16_t instead;
};
constexpr ReadBackAsAnother kReadBackAsAnother[] = {
    {u'\u00A5', u'\uFFE5'}, // ¥ would read back as \; ￥
    {u'\u203E', u'\uFFE3'}, // ‾ would read back as ~; ￣
};

} // namespace

void refuseSignsReadBackAsOthers(const QString &text) {
    for (QChar c : text)
        for (const ReadBackAsAnother &r : kReadBackAsAnother)
            if (c.unicode() == r.sign)
                throw Error::readsBackAsAnother(text, c, QChar(r.instead));
}

QByteArray encodeCp932(const QString &text) {
    if (text.isEmpty())
        return {};
    refuseSignsReadBackAsOthers(text);
    // Code page 932 holds ASCII as it is.
    QByteArray in = text.toUtf8();
    if (isAscii(in.constData(), in.size()))
        return in;
    const iconv_t cd = toCp932();
    if (cd == kNoConverter)
        throw Error::unencodable();
    QByteArray out(in.size() * 2 + 16, '\0');
    char *inp = in.data();
    size_t inLeft = size_t(in.size());
    char *outp = out.data();
    size_t outLeft = size_t(out.size());
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1))
        throw Error::unencodable();
    out.truncate(out.size() - int(outLeft));
    // Any other sign outside ASCII that cp932 wrote as an ASCII byte would read back as another sign: refused like
    // a character cp932 cannot hold. The full-width look-alikes every cp932 program maps (〜 read back as ～, − as
    // －) stay the same sign and are kept.
    if (asciiCharacters(out) != asciiCharacters(text))
        throw Error::unencodable();
    return out;
}

namespace {
// Decodes bytes; an invalid or truncated sequence becomes one replacement character, or fails when strict.
QString decode(const QByteArray &bytes, bool strict) {
    if (isAscii(bytes.constData(), bytes.size()))
        return QString::fromLatin1(bytes);
    const iconv_t cd = fromCp932();
    if (cd == kNoConverter) {
        if (strict)
            throw Error::badFileFormat();
        return QString::fromLatin1(bytes);
    }
    QString result;
    QByteArray out(bytes.size() * 3 + 16, '\0');
    char *inp = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char *outp = out.data();
        size_t outLeft = size_t(out.size());
        const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
        result += QString::fromUtf8(out.constData(), out.size() - qsizetype(outLeft));
        if (r == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            if (strict)
                throw Error::badFileFormat();
            result += QChar(0xFFFD);
            ++inp;
            --inLeft;
        }
    }
    return result;
}
} // namespace

bool writtenInUtf8(const QByteArray &bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    bool wide = false;
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        // The length of the sequence and the range of its second byte, which rules out overlong forms, surrogates
        // and code points past U+10FFFF; the bytes after the second are 0x80-0xBF.
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (i + length > n || p[i + 1] < low || p[i + 1] > high)
            return false;
        for (int k = 2; k < length; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return false;
        wide = wide || length >= 3;
        i += length;
    }
    return wide;
}

QString decodeCp932(const QByteArray &bytes) { return decode(bytes, false); }
QString decodeCp932Strictly(const QByteArray &bytes) { return decode(bytes, true); }

} // namespace hz
