#pragma once

#include <QPixmap>
#include <QString>
#include <QtGlobal>

// Program version as read from the version file; all 0 when it gives none.
class Version
{
public:
    Version() = default;
    // Members are assigned in the body: a system header may define major()
    // and minor() as function-like macros.
    Version(quint32 majorNumber, quint32 minorNumber, quint32 thirdNumber);
    virtual ~Version();
    Version(const Version &) = default;
    Version &operator=(const Version &) = default;

    quint32 major = 0;
    quint32 minor = 0;
    quint32 third = 0;
};

// What the About setting shows: the device, the program, its version, the
// legal notice and the logo. Passed around by value.
class AboutInfo
{
public:
    AboutInfo() = default;
    virtual ~AboutInfo();
    AboutInfo(const AboutInfo &) = default;
    AboutInfo &operator=(const AboutInfo &) = default;

    // Device name.
    QString model;
    // Application title.
    QString sw;
    Version version;
    QString copyrights;
    QPixmap logo;
};
