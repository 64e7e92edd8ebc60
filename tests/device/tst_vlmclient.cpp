// The command protocol against the simulated device on a real
// pseudo-terminal, with the controller's timing (poll 200 microseconds,
// 3000 ms per exchange) and shorter budgets where a case waits for a time-out.
#include "common/datatable.h"
#include "common/logcapture.h"
#include "common/simulateddevice.h"
#include "device/vlmclient.h"

#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int PollInterval = 200;
constexpr quint32 Budget = 3000;
// Time an exchange may take beyond its budget: the last poll and a loaded machine.
constexpr qint64 Margin = 700;

QString sample()
{
    // The description suites' sample, served as the device would.
    return QStringLiteral(VELMORA_DESCRIPTIONS "/sample_mfp.xml");
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<VLMClient> client(const SimulatedDevice &device, quint32 budget = Budget)
{
    auto result = std::make_unique<VLMClient>(device.devicePath());
    result->setReadPollInterval(PollInterval);
    result->setCommandTimeout(budget);
    return result;
}

QStringList requests(const SimulatedDevice &device)
{
    QStringList result;
    for (const QJsonObject &record : device.records())
        result << record.value("request").toString();
    return result;
}

// A change document of exactly the given number of characters.
QString changesOfLength(int length)
{
    QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n <PrinterSettingsInfo>\n"
                       "  <Copies CURRENT=\"");
    const QString tail = QStringLiteral("\" />\n </PrinterSettingsInfo>\n</root>");
    text += QString(length - text.size() - tail.size(), QLatin1Char('7'));
    return text + tail;
}

enum Operation { Fetch, Change };

} // namespace

Q_DECLARE_METATYPE(LinkFailure::Kind)

class TestVLMClient : public QObject
{
    Q_OBJECT
    QTemporaryDir m_scratch;

private slots:
    // Replies that come whole, in pieces or late make the same exchange.
    void fetchesTheDescription_data()
    {
        addColumns<QStringList>({"options"});
        addRow("whole replies", QStringList{});
        addRow("pieces of 64 bytes", QStringList{"--split", "64"});
        addRow("pieces of 1000 bytes, each late", QStringList{"--split", "1000", "--delay-ms", "20"});
    }
    void fetchesTheDescription()
    {
        QFETCH(QStringList, options);
        SimulatedDevice device;
        QVERIFY2(device.start(sample(), options), qPrintable(device.errorText()));
        LogCapture log;
        QCOMPARE(client(device)->getSpecification(), fileBytes(sample()));
        QCOMPARE(requests(device), QStringList({"ALL?", "DATA"}));
        QCOMPARE(log.count("command header: [0x1b][0x23][0x00][0x00][0x00][0x04]"), 2);
        QVERIFY(log.contains("command data: [0x41][0x4c][0x4c][0x3f]"));
        QVERIFY(log.contains("command data: [0x44][0x41][0x54][0x41]"));
        QVERIFY(
            log.contains(QStringLiteral("read response data:\nresult = OK    size = %1 bytes    elapsed = ")
                             .arg(fileBytes(sample()).size())));
        QVERIFY(client(device)->setChanges(changesOfLength(300)));
        QVERIFY2(device.stop(), qPrintable(device.errorText()));
    }

    // 300 characters make a 306-byte frame, and the payload dump shows 8 of them.
    void deliversChanges()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(sample(), {"--apply"}), qPrintable(device.errorText()));
        const QString changes = changesOfLength(300);
        LogCapture log;
        QVERIFY(client(device)->setChanges(changes));
        QVERIFY(log.contains("command header: [0x1b][0x23][0x00][0x00][0x01][0x2c]"));
        QVERIFY(
            log.contains("command data: [0x3c][0x3f][0x78][0x6d][0x6c][0x20][0x76][0x65] ... 8 from 300"));
        QVERIFY(log.contains("write command data:\nresult = OK    size = 306 bytes    elapsed = "));
        QVERIFY(!log.lines()
                     .filter(QRegularExpression("^result = OK    size = 306 bytes    elapsed = \\d+ ms    $",
                                                QRegularExpression::MultilineOption))
                     .isEmpty());
        QCOMPARE(device.records().last().value("text").toString(), changes);

        // The device now serves the applied value; a pressed button changes nothing.
        QVERIFY(
            client(device)->setChanges("<root><PrinterSettingsInfo><Duplex CURRENT=\"On\"/>"
                                       "<RestoreFactory CURRENT=\"PRESSED\"/></PrinterSettingsInfo></root>"));
        QDomDocument served;
        QVERIFY(served.setContent(client(device)->getSpecification()));
        const QDomElement settings = served.documentElement().firstChildElement("PrinterSettingsInfo");
        auto current = [&](const char *id) {
            return settings.elementsByTagName(id).item(0).toElement().attribute("CURRENT", "<none>");
        };
        QCOMPARE(current("Duplex"), "On");
        QCOMPARE(current("Copies"), QString(300 - changesOfLength(0).size(), '7'));
        QCOMPARE(current("RestoreFactory"), "<none>");
    }

    void hostileDevice_data()
    {
        addColumns<QStringList, Operation, quint32, QString, LinkFailure::Kind, qint64>(
            {"options", "operation", "budget", "logLine", "failure", "within"});
        addRow("silent: nothing within the budget", QStringList{"--silent"}, Fetch, 400u,
               QString("read response data:\nresult = FAIL    size = 0 bytes"), LinkFailure::ReadIncomplete,
               qint64(400));
        addRow("short ALL? reply", QStringList{"--short"}, Fetch, 400u,
               QString("getSpecification(): wrong size of response 1"), LinkFailure::ReadIncomplete,
               qint64(400));
        addRow("refused with status 1", QStringList{"--status", "1"}, Change, Budget,
               QString("read response data:\nresult = OK    size = 8 bytes"), LinkFailure::Refused,
               qint64(Budget));
        addRow("announced length 0", QStringList{"--announce", "0"}, Fetch, Budget,
               QString("getSpecification(): size of buffer is 0!"), LinkFailure::EmptyDescription,
               qint64(Budget));
        addRow("announced length 0xFFFFFFFF", QStringList{"--announce", "0xFFFFFFFF"}, Fetch, Budget,
               QString("getSpecification(): size of buffer is too big: 4294967295"),
               LinkFailure::DescriptionTooBig, qint64(Budget));
        addRow(
            "announced length above the document", QStringList{"--announce", "20000"}, Fetch, 400u,
            // Everything the device had, short of what it announced.
            QString("read response data:\nresult = FAIL    size = %1 bytes").arg(fileBytes(sample()).size()),
            LinkFailure::ReadIncomplete, qint64(400));
        // Ends at once, long before the budget.
        addRow("hang-up in the middle of a reply", QStringList{"--hangup-after", "100"}, Fetch, Budget,
               QString("read response data:\nresult = FAIL    size = "), LinkFailure::HangUp, qint64(1000));
        addRow("hang-up before the change reply", QStringList{"--hangup-after", "0"}, Change, Budget,
               QString("setChanges(): wrong size of response 1"), LinkFailure::HangUp, qint64(1000));
        addRow("deaf device: the write ends at the budget", QStringList{"--deaf"}, Change, 400u,
               QString("write command data:\nresult = FAIL    size = "), LinkFailure::WriteIncomplete,
               qint64(400));
    }
    void hostileDevice()
    {
        QFETCH(QStringList, options);
        QFETCH(Operation, operation);
        QFETCH(quint32, budget);
        QFETCH(QString, logLine);
        QFETCH(qint64, within);

        SimulatedDevice device;
        QVERIFY2(device.start(sample(), options), qPrintable(device.errorText()));
        auto vlm = client(device, budget);
        LogCapture log;
        QElapsedTimer clock;
        clock.start();
        if (operation == Fetch) {
            QVERIFY(vlm->getSpecification().isEmpty());
        } else {
            // Far more than a pseudo-terminal holds, so a device that does not read blocks the writer.
            QVERIFY(!vlm->setChanges(changesOfLength(200000)));
        }
        QVERIFY2(clock.elapsed() <= within + Margin, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(log.contains(logLine), qPrintable(log.lines().join('\n')));
        QTEST(vlm->lastFailure().kind, "failure");
        QVERIFY(!vlm->lastFailure().text().isEmpty());
        QVERIFY2(device.stop(), qPrintable(device.errorText()));
    }

    // Waits end within the budget however reads are set to wait, and a
    // descriptor number beyond the 1024 a descriptor set holds still exchanges.
    void boundedWaits_data()
    {
        addColumns<int, int, QStringList, quint32, QByteArray>(
            {"pollInterval", "descriptor", "options", "budget", "reply"});
        addRow("reads waiting for data, silent device", -1, 0, QStringList{"--silent"}, 400u, QByteArray());
        addRow("descriptor number 2000", PollInterval, 2000, QStringList{}, Budget, fileBytes(sample()));
    }
    void boundedWaits()
    {
        QFETCH(int, pollInterval);
        QFETCH(int, descriptor);
        QFETCH(QStringList, options);
        QFETCH(quint32, budget);
        SimulatedDevice device;
        QVERIFY2(device.start(sample(), options), qPrintable(device.errorText()));
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = std::min(limit.rlim_max, std::max<rlim_t>(limit.rlim_cur, descriptor + 10));
        ::setrlimit(RLIMIT_NOFILE, &limit);
        // Every lower number is taken by a descriptor that never becomes
        // readable, so a wait that looked at one of them by mistake stays asleep.
        QList<int> lower;
        int next;
        while ((next = ::eventfd(0, EFD_CLOEXEC)) >= 0 && next < descriptor)
            lower.append(next);
        ::close(next);
        if (next < descriptor)
            QSKIP("the descriptor limit cannot be raised far enough");

        auto vlm = client(device, budget);
        vlm->setReadPollInterval(pollInterval);
        QElapsedTimer clock;
        clock.start();
        const QByteArray description = vlm->getSpecification();
        QVERIFY2(clock.elapsed() <= qint64(budget) + Margin, qPrintable(QString::number(clock.elapsed())));
        for (const int fd : std::as_const(lower))
            ::close(fd);
        QTEST(description, "reply");
    }

    // The simulator neither records through a link (here one to a file not
    // there yet) nor replaces a file at its link path.
    void simulatorLeavesOthersFilesAlone()
    {
        SimulatedDevice device;
        const QString record = device.devicePath() + ".record";
        QVERIFY(QFile::link(device.devicePath() + ".absent", record));
        QVERIFY(!device.start(sample(), {"--record", record}));
        QVERIFY2(device.errorText().contains(record + " is a symbolic link"), qPrintable(device.errorText()));
        QVERIFY(QFile::remove(record) && QFile::copy(sample(), device.devicePath()));
        QVERIFY(!device.start(sample(), {"--record", record}));
        QVERIFY2(device.errorText().contains("is not a device link"), qPrintable(device.errorText()));
        QCOMPARE(fileBytes(device.devicePath()), fileBytes(sample()));
    }

    // A reply that comes after its client gave up never reaches the next client.
    void lateReplyIsDropped()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(sample(), {"--delay-ms", "300"}), qPrintable(device.errorText()));
        QVERIFY(client(device, 50)->command("ALL?", 4, 8).isEmpty());
        QThread::msleep(500);
        const QByteArray document = fileBytes(sample());
        QCOMPARE(client(device)->command("DATA", 4, quint32(document.size())), document);
    }

    void withoutTimeLimit()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(sample()), qPrintable(device.errorText()));
        VLMClient vlm(device.devicePath());
        LogCapture log;
        QCOMPARE(vlm.getSpecification(), fileBytes(sample()));
        QVERIFY(!log.contains("command data:\nresult"));
        QVERIFY(!log.contains("response data:"));
    }

    void nothingToSendOrNoDevice()
    {
        SimulatedDevice device;
        QVERIFY2(device.start(sample()), qPrintable(device.errorText()));
        QVERIFY(!client(device)->setChanges(QString()));
        QVERIFY(!client(device)->setChanges(QString("")));

        VLMClient missing(m_scratch.filePath("no-such-device"));
        LogCapture log;
        QVERIFY(missing.getSpecification().isEmpty());
        QVERIFY(log.contains(
            "VLMClient::command(): can't open device: " + m_scratch.filePath("no-such-device") + " !"));
        QVERIFY(log.contains("getSpecification(): wrong size of response 1"));
        QCOMPARE(missing.lastFailure().kind, LinkFailure::CannotOpen);
        QVERIFY(missing.lastFailure().text().contains("No such file"));
        QVERIFY(device.records().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVLMClient)
#include "tst_vlmclient.moc"
