#include "security/AnsiText.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

namespace AnsiText {
namespace {
// One converter per call: ICU converters are stateful and cheap to open.
struct Converter {
    UConverter* cnv = nullptr;
    Converter() {
        UErrorCode status = U_ZERO_ERROR;
        cnv = ucnv_open("GBK", &status);
        if (U_FAILURE(status))
            cnv = nullptr;
    }
    ~Converter() {
        if (cnv)
            ucnv_close(cnv);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
};
} // namespace

std::optional<QByteArray> toAnsi(const QString& text) {
    if (text.isEmpty())
        return QByteArray();
    Converter c;
    if (!c.cnv)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    // Stop at the first unmappable character instead of writing a substitute: two passwords
    // differing only in such characters would otherwise encode alike.
    ucnv_setFromUCallBack(c.cnv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    const auto* src = reinterpret_cast<const UChar*>(text.utf16());
    QByteArray out(text.size() * 2 + 8, Qt::Uninitialized);
    const int32_t n = ucnv_fromUChars(c.cnv, out.data(), out.size(), src, text.size(), &status);
    if (U_FAILURE(status) || n > out.size())
        return std::nullopt;
    out.resize(n);
    return out;
}

QString fromAnsi(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return QString();
    Converter c;
    if (!c.cnv)
        return QString::fromLatin1(bytes);
    UErrorCode status = U_ZERO_ERROR;
    QString out(bytes.size(), Qt::Uninitialized);
    const int32_t n = ucnv_toUChars(c.cnv, reinterpret_cast<UChar*>(out.data()), out.size(),
                                    bytes.constData(), bytes.size(), &status);
    if (status == U_STRING_NOT_TERMINATED_WARNING)
        status = U_ZERO_ERROR;
    if (U_FAILURE(status))
        return QString();
    out.resize(n);
    return out;
}

} // namespace AnsiText
