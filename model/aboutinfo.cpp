#include "model/aboutinfo.h"

Version::Version(quint32 majorNumber, quint32 minorNumber, quint32 thirdNumber)
{
    major = majorNumber;
    minor = minorNumber;
    third = thirdNumber;
}

Version::~Version() = default;

AboutInfo::~AboutInfo() = default;
