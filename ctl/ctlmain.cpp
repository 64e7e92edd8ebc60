#include "ctl/ctlmain.h"

#include "base/product.h"
#include "base/programpaths.h"
#include "base/usermessage.h"
#include "controller/controllersource.h"
#include "controller/ctlsource.h"
#include "ctl/ctlcommands.h"
#include "ctl/ctldoctor.h"
#include "ctl/ctlformat.h"
#include "ctl/ctlimport.h"
#include "ctl/ctloptions.h"
#include "ctl/ctlsession.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("velmoractl", text);
}

void writeError(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

// Without --trace the trace and the toolkit's own chatter are dropped, so a
// script sees only the program's answers and the boxes' texts.
void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg)
        writeError(text);
}

// The boxes the window would show, as lines on standard error: one line
// each, however many lines the device's titles and values in them hold.
QMessageBox::StandardButton answerOnStandardError(const UserMessage::Request &request)
{
    QString line =
        request.caption.isEmpty() ? request.text : request.caption + QLatin1String(": ") + request.text;
    // The reason behind the message, shown below it in a box, follows on the same line.
    if (!request.informativeText.isEmpty())
        line += QLatin1Char(' ') + request.informativeText;
    writeError(EscapedText(line));
    return QMessageBox::Ok;
}

int RunDoctorCommand(const QStringList &arguments, int argc, char **argv)
{
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--"))) {
        writeError(QStringLiteral("velmoractl: doctor needs one device path"));
        writeError(translated("Try 'velmoractl --help'."));
        return ExitUsage;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropMessage);
    QApplication app(argc, argv);
    QTextStream out(stdout);
    return RunDoctor(arguments.first(), out);
}

std::unique_ptr<CtlSource> makeSource(const CtlOptions &options, const char *argv0)
{
    if (!options.localFile.isEmpty())
        return std::make_unique<LocalFileSource>(options.localFile);
    return std::make_unique<ControllerSource>(GetApplicationDir(argv0), options.devPath);
}

} // namespace

int VelmoraCtlMain(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // "doctor" comes before the device path: it looks at the node, not at settings.
    if (arguments.value(0) == QLatin1String("doctor"))
        return RunDoctorCommand(arguments.mid(1), argc, argv);
    const CtlOptions options = ParseCtlArguments(arguments);
    if (options.help) {
        QTextStream(stdout) << CtlUsage() << DoctorUsage();
        return ExitDone;
    }
    if (options.version) {
        QTextStream(stdout) << "velmoractl (" << ApplicationTitle() << ") " << VELMORA_VERSION << '\n';
        return ExitDone;
    }
    if (!options.error.isEmpty()) {
        writeError(QStringLiteral("velmoractl: ") + options.error);
        writeError(translated("Try 'velmoractl --help'."));
        return ExitUsage;
    }

    // No display is ever needed: the controls live in a panel nobody sees.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!options.trace)
        qInstallMessageHandler(dropMessage);
    QApplication app(argc, argv);
    UserMessage::setAnswerer(answerOnStandardError);

    const std::unique_ptr<CtlSource> source = makeSource(options, argv[0]);
    CtlSession session(*source);
    if (!session.open()) {
        ReportCtlError(QCoreApplication::translate("@default", "Cannot get printer settings!"),
                       source->failure());
        QTextStream out(stdout);
        WriteImportFailure(options, source->failure(), out);
        return source->deviceBusy() ? ExitBusy : ExitNoDescription;
    }
    QTextStream out(stdout);
    return RunCtlCommand(session, options, out);
}
