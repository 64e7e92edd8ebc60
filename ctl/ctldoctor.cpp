#include "ctl/ctldoctor.h"

#include "controller/descriptionsource.h"
#include "controller/devicebudget.h"
#include "controller/programfiles.h"
#include "model/settingsparser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

QString userName(uid_t uid)
{
    const passwd *entry = ::getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid)
{
    const group *entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

bool inGroup(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(size_t(count > 0 ? count : 0));
    if (count > 0 && ::getgroups(count, groups.data()) == count) {
        for (gid_t g : groups) {
            if (g == gid)
                return true;
        }
    }
    return false;
}

// Seat access is an entry for the user at the seat in the node's access
// list (the uaccess tag of the device rule makes the login manager add it).
// Says who the list names, or that there is none.
QString seatAccess(const QByteArray &node)
{
    // The kernel's form of the list: a 4-byte version, then entries of a
    // 16-bit tag, 16-bit permissions and a 32-bit id; tag 2 names a user.
    constexpr quint16 NamedUser = 2;
    char list[1024];
    const ssize_t size = ::getxattr(node.constData(), "system.posix_acl_access", list, sizeof list);
    QStringList users;
    for (ssize_t at = 4; size > 0 && at + 8 <= size; at += 8) {
        quint16 tag = 0;
        quint32 id = 0;
        std::memcpy(&tag, list + at, sizeof tag);
        std::memcpy(&id, list + at + 4, sizeof id);
        if (tag == NamedUser)
            users << userName(uid_t(id));
    }
    if (users.isEmpty())
        return QStringLiteral("no seat access (the node has no access list for the user at the seat)");
    return QStringLiteral("no seat access (the node's access list names %1 only)").arg(users.join(QLatin1String(", ")));
}

// What the folder of USB printer nodes holds, for a node that is not there.
QString usbListing(const QString &usbDir)
{
    const QDir dir(usbDir);
    if (!dir.exists())
        return QStringLiteral("%1 does not exist").arg(usbDir);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    return entries.isEmpty() ? QStringLiteral("%1 is empty").arg(usbDir)
                             : QStringLiteral("%1 holds %2").arg(usbDir, entries.join(QLatin1String(", ")));
}

// The processes that hold the node open, and how many could not be looked
// at (another user's open files are hidden from an ordinary user).
struct Holders
{
    QStringList found;
    int hidden = 0;
};

Holders holdersOf(const QString &target, const QString &procDir)
{
    Holders holders;
    const QString self = QString::number(::getpid());
    const QStringList pids = QDir(procDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : pids) {
        bool number = false;
        (void)pid.toInt(&number);
        if (!number || pid == self)
            continue;
        const QString fdDir = procDir + QLatin1Char('/') + pid + QStringLiteral("/fd");
        if (::access(QFile::encodeName(fdDir).constData(), R_OK | X_OK) != 0) {
            ++holders.hidden;
            continue;
        }
        const QStringList fds = QDir(fdDir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &fd : fds) {
            if (QFileInfo(fdDir + QLatin1Char('/') + fd).symLinkTarget() == target) {
                QFile comm(procDir + QLatin1Char('/') + pid + QStringLiteral("/comm"));
                const QString name =
                    comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QString();
                holders.found.append(QStringLiteral("%1 (%2)").arg(pid, name));
                break;
            }
        }
    }
    return holders;
}

} // namespace

int RunDoctor(const QString &devPath, QTextStream &out, const QString &usbDir, const QString &procDir)
{
    const auto fail = [&out](int status, const QString &fix) {
        out << "fix: " << fix << '\n';
        out.flush();
        return status;
    };

    // 1. The node.
    struct stat node {};
    if (::stat(QFile::encodeName(devPath).constData(), &node) != 0) {
        out << "node: " << devPath << " does not exist (" << usbListing(usbDir) << ")\n";
        return fail(DoctorNoNode, QStringLiteral("connect the device by USB and switch it on; its node "
                                                 "appears under %1 (lp0, lp1, ...)")
                                      .arg(usbDir));
    }
    const QString target = QFileInfo(devPath).canonicalFilePath();
    out << "node: " << devPath << (target != devPath ? QStringLiteral(" -> ") + target : QString())
        << (S_ISCHR(node.st_mode) ? " (character device)" : " (not a device)") << '\n';

    // 2. Who owns it.
    const QString owner = userName(node.st_uid);
    const QString group = groupName(node.st_gid);
    out << "owner: " << owner << ", group " << group << ", mode "
        << QString::number(node.st_mode & 07777, 8).rightJustified(4, QLatin1Char('0')) << '\n';
    if (!S_ISCHR(node.st_mode))
        return fail(DoctorNotADevice, QStringLiteral("%1 is no device node; give the node of the printer, "
                                                     "usually /dev/usb/lp0")
                                          .arg(devPath));

    // 3. Whether this user may use it.
    const QString me = userName(::getuid());
    if (::access(QFile::encodeName(devPath).constData(), R_OK | W_OK) == 0) {
        out << "access: " << me << " may read and write it\n";
    } else {
        QStringList why;
        if (node.st_uid != ::getuid())
            why << QStringLiteral("not its owner");
        if (!inGroup(node.st_gid))
            why << QStringLiteral("not in group %1").arg(group);
        else if ((node.st_mode & 060) != 060)
            why << QStringLiteral("group %1 may not read and write").arg(group);
        if ((node.st_mode & 06) != 06)
            why << QStringLiteral("others may not read and write");
        why << seatAccess(QFile::encodeName(devPath));
        out << "access: " << me << " may not read and write it: " << why.join(QLatin1String("; ")) << '\n';
        return fail(DoctorNoAccess,
                    QStringLiteral("as root, add the user to the group (adduser %1 %2) and log in again; "
                                   "or log in at this computer's seat")
                        .arg(me, group));
    }

    // 4. Whether another program has it open.
    const Holders holders = holdersOf(target, procDir);
    const QString hidden =
        holders.hidden > 0
            ? QStringLiteral(" (the open files of %1 processes of other users cannot be seen)").arg(holders.hidden)
            : QString();
    if (!holders.found.isEmpty()) {
        out << "in use: held open by process " << holders.found.join(QLatin1String(", ")) << hidden << '\n';
        return fail(DoctorHeldOpen, QStringLiteral("end that program, or wait until it is done"));
    }
    out << "in use: no other process holds it open" << hidden << '\n';

    // 5. Whether the device answers, and 6. whether what it says can be read.
    DescriptionSource source(ProgramFiles(QString(), QString()), devPath, false, false);
    const QString text = source.read();
    if (text.isEmpty() || !source.failure().isEmpty()) {
        out << "answer: " << source.failure() << '\n';
        return fail(DoctorNoAnswer, QStringLiteral("switch the device off and on, check the cable, and "
                                                   "close other programs that print to it"));
    }
    out << "answer: the device sent its description (" << text.size() << " characters) within "
        << DeviceBudget::CommandTimeoutMs << " ms\n";
    SettingsParser parser;
    parser.setContent(text);
    if (!parser.parse() || !parser.root()) {
        out << "description: " << DescriptionSource::descriptionProblem(text, parser) << '\n';
        return fail(DoctorBadDescription, QStringLiteral("the device's firmware sends a description Velmora "
                                                         "cannot read; run velmoractl --trace for details"));
    }
    out << "description: readable\n";
    out << "fix: nothing to fix; velmora " << devPath << " <name> opens it\n";
    out.flush();
    return DoctorAllWell;
}

QString DoctorUsage()
{
    return QStringLiteral(
        "\n"
        "velmoractl doctor <devPath>\n"
        "  checks in order, one line each, why the node can or cannot be used: that it\n"
        "  exists, its owner, group and mode, this user's access, other processes holding\n"
        "  it, the device's answer within 3000 ms, its description; the last line says\n"
        "  what to do. Exit status: 0 all well, 10 no such node, 11 not a device node,\n"
        "  12 no read and write access, 13 held open by another process, 14 no answer,\n"
        "  15 a description that cannot be read.\n");
}
