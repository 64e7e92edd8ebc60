#include "app/debuglog.h"
#include "common/logcapture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <cstring>

namespace {
constexpr int PrefixLength = 14; // "hh:mm:ss.zzz> "
constexpr int LineLimit = 4095;
const char ChildSwitch[] = "--write-trace-lines";

// Run as a child of the suite: the trace as it reaches a real standard
// error, with no test framework handler in between.
int writeTraceLines()
{
    DebugLog("%s", QByteArray(5000, 'x').constData());
    DebugLog("first\nsecond");
    DebugLog("last");
    return 0;
}
} // namespace

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void lineStartsWithTimeOfDay()
    {
        LogCapture log;
        const QTime before = QTime::currentTime();
        DebugLog("value=%d <%s>", 42, "x");
        const QTime after = QTime::currentTime();

        QCOMPARE(log.rawLines().size(), 1);
        const QString line = log.rawLines().first();
        const QRegularExpression form(QStringLiteral("^(\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d)> value=42 <x>$"));
        const QRegularExpressionMatch match = form.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const QTime stamp = QTime::fromString(match.captured(1), QStringLiteral("hh:mm:ss.zzz"));
        QVERIFY(stamp.isValid());
        // Truncated to milliseconds, so compare against the same precision;
        // a run across midnight wraps and is left alone.
        if (before <= after) {
            QVERIFY(stamp.msecsSinceStartOfDay() >= before.msecsSinceStartOfDay());
            QVERIFY(stamp.msecsSinceStartOfDay() <= after.msecsSinceStartOfDay());
        }
    }

    void lineIsCutAtLimit_data()
    {
        QTest::addColumn<int>("messageLength");
        QTest::addColumn<int>("expectedLength");
        QTest::newRow("short message whole") << 10 << PrefixLength + 10;
        QTest::newRow("exactly fills the line") << LineLimit - PrefixLength << LineLimit;
        QTest::newRow("one character too many") << LineLimit - PrefixLength + 1 << LineLimit;
        QTest::newRow("far beyond the buffer") << 20000 << LineLimit;
    }
    void lineIsCutAtLimit()
    {
        QFETCH(int, messageLength);
        QFETCH(int, expectedLength);
        LogCapture log;
        const QByteArray message(messageLength, 'm');
        DebugLog("%s", message.constData());
        QCOMPARE(log.rawLines().size(), 1);
        const QString line = log.rawLines().first();
        QCOMPARE(line.size(), expectedLength);
        QCOMPARE(line.mid(PrefixLength), QString(expectedLength - PrefixLength, QLatin1Char('m')));
    }

    void oneLinePerCallWithLineFeedsKept()
    {
        LogCapture log;
        DebugLog("banner\n\t\tmiddle\nend\n");
        DebugLog("next");
        QCOMPARE(log.lines(),
                 QStringList({QStringLiteral("banner\n\t\tmiddle\nend\n"), QStringLiteral("next")}));
        // Only the first physical line of a call carries the time.
        QCOMPARE(log.rawLines().first().count(QLatin1Char('>')), 1);
    }

    void foreignTextIsNeverAFormat_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("conversions") << QByteArray("%s %d %n %x");
        QTest::newRow("percent at end") << QByteArray("100%");
        QTest::newRow("escaped percent") << QByteArray("%%");
    }
    void foreignTextIsNeverAFormat()
    {
        QFETCH(QByteArray, text);
        LogCapture log;
        DebugLog("%s", text.constData());
        QCOMPARE(log.lines(), QStringList{QString::fromLatin1(text)});
    }

    void dumpBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<uint>("maxShown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count 0 gives the prefix alone") << QByteArray() << 8u << QStringLiteral("data: ");
        QTest::newRow("command word")
            << QByteArray("ALL?") << 8u << QStringLiteral("data: [0x41][0x4c][0x4c][0x3f]");
        QTest::newRow("count equal to shown has no tail")
            << QByteArray("\x01\x02\x03", 3) << 3u << QStringLiteral("data: [0x01][0x02][0x03]");
        QTest::newRow("fewer shown than count") << QByteArray("\x10\x20\x30\x40\x50", 5) << 2u
                                                << QStringLiteral("data: [0x10][0x20] ... 2 from 5");
        QTest::newRow("none shown") << QByteArray("abc") << 0u << QStringLiteral("data:  ... 0 from 3");
        QTest::newRow("high bytes are not sign-extended")
            << QByteArray("\x80\xff\x7f\x00", 4) << 4u << QStringLiteral("data: [0x80][0xff][0x7f][0x00]");
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

    void dumpOfLargeBufferShowsHeadAndTail()
    {
        QByteArray bytes(300, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i);
        LogCapture log;
        DumpBytes(bytes.constData(), 300, 8, "frame: ");
        QCOMPARE(log.lines(), QStringList{QStringLiteral(
                                  "frame: [0x00][0x01][0x02][0x03][0x04][0x05][0x06][0x07] ... 8 from 300")});
    }

    void standardErrorGetsCutLinesEachEndedByLineFeed()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildSwitch)});
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitCode(), 0);
        const QByteArray err = child.readAllStandardError();
        const QRegularExpression form(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> x{%1}\\n"
                                                     "\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> first\\nsecond\\n"
                                                     "\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> last\\n$")
                                          .arg(LineLimit - PrefixLength));
        QVERIFY2(form.match(QString::fromLatin1(err)).hasMatch(), err.left(200).constData());
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
