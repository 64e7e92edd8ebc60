#include "base/debuglog.h"
#include "common/datatable.h"
#include "common/logcapture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTime>

#include <cstring>

namespace {
constexpr int PrefixLength = 14; // "hh:mm:ss.zzz> "
constexpr int LineLimit = 4095;
const char ChildSwitch[] = "--write-trace-lines";
const QString TimePrefix = QStringLiteral("\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> ");

// Run as a child of the suite: the trace as it reaches a real standard
// error, with no test framework handler in between.
int writeTraceLines()
{
    // Exactly filling the line, one character too many, far beyond the buffer.
    DebugLog("%s", QByteArray(LineLimit - PrefixLength, 'x').constData());
    DebugLog("%s", QByteArray(LineLimit - PrefixLength + 1, 'y').constData());
    DebugLog("%s", QByteArray(20000, 'z').constData());
    DebugLog("value=%d <%s>\n\t\tsecond", 42, "x");
    DebugLog("%s", "%s %d %n %x 100%");
    return 0;
}
} // namespace

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void standardErrorGetsTimedLinesCutAtTheLimit()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildSwitch)});
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitCode(), 0);
        // One line per call, each ended by one line feed; line feeds inside a
        // call are kept and only the first physical line carries the time.
        const QRegularExpression form(
            QStringLiteral("^%1x{%2}\\n%1y{%2}\\n%1z{%2}\\n%1value=42 <x>\\n\\t\\tsecond\\n"
                           "%1%s %d %n %x 100%\\n$")
                .arg(TimePrefix)
                .arg(LineLimit - PrefixLength));
        const QString err = QString::fromLatin1(child.readAllStandardError());
        QVERIFY2(form.match(err).hasMatch(), qPrintable(err.left(200)));
    }

    void prefixIsTheLocalTimeOfTheCall()
    {
        LogCapture log;
        const QTime before = QTime::currentTime();
        DebugLog("%s", "now");
        const QTime after = QTime::currentTime();
        QCOMPARE(log.rawLines().size(), 1);
        const QTime stamped =
            QTime::fromString(log.rawLines().first().left(PrefixLength - 2), QStringLiteral("hh:mm:ss.zzz"));
        QVERIFY2(stamped.isValid(), qPrintable(log.rawLines().first()));
        if (after < before)
            QSKIP("the call straddled midnight");
        // The stamp is cut to whole milliseconds, like the clock readings around it.
        QVERIFY2(before <= stamped && stamped <= after,
                 qPrintable(QStringLiteral("%1 not within %2 .. %3")
                                .arg(stamped.toString(), before.toString(), after.toString())));
    }

    // A text passed on as it is makes the line a format would make of it,
    // cut at the same length.
    void textLineMatchesTheFormattedLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("\tid\t = Copies\n\ttype\t = stInteger");
        QTest::newRow("non-Latin and percent") << QStringLiteral("Kopien \u00fc\u4e2d\u0627 100% %s");
        QTest::newRow("beyond the limit") << QString(LineLimit + 10, QLatin1Char('w'));
    }
    void textLineMatchesTheFormattedLine()
    {
        QFETCH(QString, text);
        LogCapture log;
        DebugLog("%s", text.toUtf8().constData());
        DebugLogLine(text);
        QCOMPARE(log.rawLines().size(), 2);
        QCOMPARE(log.rawLines().at(1).mid(PrefixLength), log.rawLines().at(0).mid(PrefixLength));
    }

    // Lines put together in place come out whole and alone: the pieces in
    // order, nothing of a longer line before, the limit as for any line,
    // and a line that a handler traces while another is written.
    void linesPutTogetherInPlace()
    {
        LogCapture log;
        {
            TraceLine line;
            line << QLatin1String("a=<") << QStringView(u"\u00fc\u4e2d") << QLatin1Char('>');
        }
        TraceLine() << QString(LineLimit + 10, QLatin1Char('w'));
        TraceLine() << QLatin1String("short");
        QCOMPARE(log.lines(),
                 (QStringList{QStringLiteral("a=<\u00fc\u4e2d>"),
                              QString(LineLimit - PrefixLength, QLatin1Char('w')), QStringLiteral("short")}));
    }
    void aHandlerThatTracesGetsItsOwnLine()
    {
        static QStringList written;
        written.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
                static bool inside = false;
                if (!inside) {
                    inside = true;
                    TraceLine() << QLatin1String("from the handler");
                    inside = false;
                }
                written << message.mid(PrefixLength);
            });
        TraceLine() << QLatin1String("outer ") << QString(100, QLatin1Char('o'));
        qInstallMessageHandler(previous);
        // The toolkit writes the handler's own line to standard error itself.
        QCOMPARE(written, QStringList{QLatin1String("outer ") + QString(100, QLatin1Char('o'))});
    }

    void dumpBytes_data()
    {
        addColumns<QByteArray, uint, QString>({"bytes", "maxShown", "expected"});
        addRow("count 0 gives the prefix alone", QByteArray(), 8u, "data: ");
        addRow("fewer shown than count", QByteArray::fromHex("0001020304050607") + QByteArray(292, 'x'), 8u,
               "data: [0x00][0x01][0x02][0x03][0x04][0x05][0x06][0x07] ... 8 from 300");
        // Also: no tail when all are shown.
        addRow("high bytes are not sign-extended", QByteArray("\x80\xff\x7f\x00", 4), 4u,
               "data: [0x80][0xff][0x7f][0x00]");
    }
    void dumpBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(uint, maxShown);
        QFETCH(QString, expected);
        LogCapture log;
        DumpBytes(bytes.constData(), static_cast<unsigned>(bytes.size()), maxShown, "data: ");
        QCOMPARE(log.lines(), QStringList{expected});
    }
};

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], ChildSwitch) == 0)
        return writeTraceLines();
    QCoreApplication app(argc, argv);
    TestDebugLog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_debuglog.moc"
