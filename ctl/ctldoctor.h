#pragma once

#include <QString>

class QTextStream;

// velmoractl doctor <devPath>: why a device node can or cannot be used.
// Each check prints one line, in order; the first that fails ends the run
// with a line saying what to do, and its own exit status.
enum DoctorStatus {
    DoctorAllWell = 0,
    DoctorNoNode = 10,
    DoctorNotADevice = 11,
    DoctorNoAccess = 12,
    DoctorHeldOpen = 13,
    DoctorNoAnswer = 14,
    DoctorBadDescription = 15,
};

// Runs the checks on devPath, writing the lines to out. The node's listing
// is taken from usbDir (/dev/usb), the open files from procDir (/proc).
[[nodiscard]] int RunDoctor(const QString &devPath, QTextStream &out,
                            const QString &usbDir = QStringLiteral("/dev/usb"),
                            const QString &procDir = QStringLiteral("/proc"));

// The part of --help that describes doctor and its exit statuses.
[[nodiscard]] QString DoctorUsage();
