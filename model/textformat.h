#pragma once

#include <QString>

// Fills a display format that comes from the device with one value. The
// format is device text, so it never reaches printf: only "%s" (the value)
// and "%%" (a percent sign) are expanded, every other "%" sequence is shown
// as written.
class TextFormat
{
public:
    // The first "%s" becomes value; a later "%s" has no argument left and is
    // shown literally, as is any other conversion. A null format has nothing
    // to say about the value, so the value is shown as it is; an empty one
    // shows nothing.
    [[nodiscard]] static QString format(const QString &format, const QString &value);
};
