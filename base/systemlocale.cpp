#include "base/systemlocale.h"

#include "base/debuglog.h"

#include <clocale>

QString GetSystemLocale()
{
    const char *name = std::setlocale(LC_CTYPE, "");
    DebugLog("::GetSystemLocale: setlocale: ret=<%s>", name ? name : "");
    return QString::fromLocal8Bit(name ? name : "").left(2);
}
