#include "core/cp932.h"

#include "core/errors.h"

#include <cerrno>
#include <iconv.h>

namespace hz {

namespace {

class Iconv {
public:
    Iconv(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

QByteArray encodeCp932(const QString &text) {
    if (text.isEmpty())
        return {};
    Iconv cv("CP932", "UTF-8");
    if (!cv.ok())
        throw Error::unencodable();
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 16, '\0');
    char *inp = in.data();
    size_t inLeft = size_t(in.size());
    char *outp = out.data();
    size_t outLeft = size_t(out.size());
    if (iconv(cv.get(), &inp, &inLeft, &outp, &outLeft) == size_t(-1))
        throw Error::unencodable();
    out.truncate(out.size() - int(outLeft));
    return out;
}

namespace {
// Decodes bytes; an invalid or truncated sequence becomes one replacement character, or fails when strict.
QString decode(const QByteArray &bytes, bool strict) {
    Iconv cv("UTF-8", "CP932");
    if (!cv.ok()) {
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
        const size_t r = iconv(cv.get(), &inp, &inLeft, &outp, &outLeft);
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
