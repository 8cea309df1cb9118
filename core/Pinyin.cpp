#include "core/Pinyin.h"

#include <QList>
#include <memory>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace {
icu::Transliterator* transliterator() {
    // Creating it parses ICU's rule tables; do it once.
    static std::unique_ptr<icu::Transliterator> t = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> p(icu::Transliterator::createInstance(
            icu::UnicodeString::fromUTF8("Han-Latin; Latin-ASCII"), UTRANS_FORWARD, status));
        if (U_FAILURE(status))
            p.reset();
        return p;
    }();
    return t.get();
}

QChar initialOf(char32_t cp) {
    if (cp < 128) {
        const QChar c(static_cast<char16_t>(cp));
        return c.isLetterOrNumber() ? c.toUpper() : QChar();
    }
    if (!u_isalpha(static_cast<UChar32>(cp)) && !u_isdigit(static_cast<UChar32>(cp)))
        return QChar();
    icu::Transliterator* t = transliterator();
    if (!t)
        return QChar();
    icu::UnicodeString s(static_cast<UChar32>(cp));
    t->transliterate(s);
    for (int i = 0; i < s.length(); ++i) {
        const QChar c(static_cast<char16_t>(s.charAt(i)));
        if (c.unicode() < 128 && c.isLetterOrNumber())
            return c.toUpper();
    }
    return QChar();
}
} // namespace

QString PinyinInitials(const QString& name) {
    QString out;
    for (char32_t cp : name.toUcs4()) {
        const QChar c = initialOf(cp);
        if (!c.isNull())
            out += c;
    }
    return out;
}
