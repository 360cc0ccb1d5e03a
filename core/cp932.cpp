#include "core/cp932.h"

#include "core/errors.h"

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

} // namespace

QByteArray encodeCp932(const QString &text) {
    if (text.isEmpty())
        return {};
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

QString decodeCp932(const QByteArray &bytes) { return decode(bytes, false); }
QString decodeCp932Strictly(const QByteArray &bytes) { return decode(bytes, true); }

} // namespace hz
