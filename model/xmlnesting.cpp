#include "model/xmlnesting.h"

#include <cstring>

namespace {

// Counts the nesting of start tags without building anything, so a hostile
// text is turned away in linear time. Comments, CDATA sections, processing
// instructions and the document type are stepped over; quoted attribute
// values may hold '>' and '/'. Malformed text only makes the estimate
// rough: the DOM rejects it afterwards anyway.
template <typename Char> bool nestsDeeperThan(const Char *text, qsizetype size, int limit)
{
    const auto at = [&](qsizetype i) -> char32_t {
        return i < size ? static_cast<char32_t>(text[i]) : 0;
    };
    const auto startsWith = [&](qsizetype i, const char *s) {
        for (qsizetype k = 0; s[k]; ++k) {
            if (at(i + k) != static_cast<char32_t>(s[k]))
                return false;
        }
        return true;
    };
    const auto skipPast = [&](qsizetype i, const char *end) {
        while (i < size && !startsWith(i, end))
            ++i;
        return i < size ? i + static_cast<qsizetype>(std::strlen(end)) : size;
    };

    int depth = 0;
    qsizetype i = 0;
    while (i < size) {
        if (at(i) != '<') {
            ++i;
        } else if (startsWith(i, "<!--")) {
            i = skipPast(i + 4, "-->");
        } else if (startsWith(i, "<![CDATA[")) {
            i = skipPast(i + 9, "]]>");
        } else if (startsWith(i, "<?")) {
            i = skipPast(i + 2, "?>");
        } else if (startsWith(i, "<!")) {
            int brackets = 0;
            for (++i; i < size;) {
                const char32_t c = at(i++);
                if (c == '[')
                    ++brackets;
                else if (c == ']')
                    --brackets;
                else if (c == '>' && brackets <= 0)
                    break;
            }
        } else {
            const bool closing = at(i + 1) == '/';
            char32_t quote = 0;
            char32_t previous = 0;
            for (++i; i < size;) {
                const char32_t c = at(i++);
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
                previous = c;
            }
            if (closing) {
                if (depth > 0)
                    --depth;
            } else if (previous != '/' && ++depth > limit) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool XmlNestsDeeperThan(const QString &text, int limit)
{
    return nestsDeeperThan(reinterpret_cast<const char16_t *>(text.utf16()), text.size(), limit);
}

bool XmlNestsDeeperThan(const QByteArray &text, int limit)
{
    return nestsDeeperThan(reinterpret_cast<const unsigned char *>(text.constData()), text.size(), limit);
}
