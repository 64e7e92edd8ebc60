// The byte channel on its own: the timed transfer loop against scripted
// transfers, the byte-order helpers, and the node opened as a plain device.
#include "common/datatable.h"
#include "device/byteorder.h"
#include "device/ioclient.h"

#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Transfers follow a script: each entry is what one call returns (a byte
// count, 0 for nothing yet, negative for an error); after the script every
// call returns 0. Read bytes are filled with the running offset, written
// bytes are kept.
class ScriptedClient : public IOClient
{
public:
    explicit ScriptedClient(QList<qint64> script) : IOClient(QString()), m_script(std::move(script)) {}

    qint64 readBlock(char *data, quint32 maxLength) override
    {
        const qint64 n = step(maxLength);
        for (qint64 i = 0; i < n; ++i)
            data[i] = char(m_moved + i);
        m_moved += qMax<qint64>(n, 0);
        return n;
    }
    qint64 writeBlock(const char *data, quint32 length) override
    {
        const qint64 n = step(length);
        if (n > 0)
            m_written.append(data, n);
        return n;
    }

    int calls = 0;
    QByteArray m_written;

private:
    qint64 step(quint32 limit)
    {
        ++calls;
        const qint64 n = m_script.isEmpty() ? 0 : m_script.takeFirst();
        return qMin<qint64>(n, limit);
    }
    QList<qint64> m_script;
    qint64 m_moved = 0;
};

} // namespace

class TestIOChannel : public QObject
{
    Q_OBJECT

private slots:
    void timedTransfer_data()
    {
        addColumns<QList<qint64>, quint32, quint32, bool, quint32, int>(
            {"script", "length", "timeout", "result", "size", "calls"});
        addRow("empty block: done without a transfer", QList<qint64>{5}, 0u, 100u, true, 0u, 0);
        addRow("time-out 0: fails before any transfer", QList<qint64>{5}, 5u, 0u, false, 0u, 0);
        addRow("pieces are gathered", QList<qint64>{0, 3, 0, 4, 3}, 10u, 2000u, true, 10u, 5);
        addRow("untimed: pieces are gathered", QList<qint64>{0, 3, 0, 4, 3}, 10u, IOClient::NoTimeout, true,
               10u, 5);
        addRow("error ends the loop, not counted", QList<qint64>{4, -1, 6}, 10u, 2000u, false, 4u, 2);
        addRow("untimed: error ends the loop", QList<qint64>{4, -5, 6}, 10u, IOClient::NoTimeout, false, 4u,
               2);
        addRow("nothing arrives: fails at the budget", QList<qint64>{}, 10u, 30u, false, 0u, -1);
    }
    void timedTransfer()
    {
        QFETCH(QList<qint64>, script);
        QFETCH(quint32, length);
        QFETCH(quint32, timeout);
        QFETCH(bool, result);
        QFETCH(quint32, size);
        QFETCH(int, calls);

        for (const bool reading : {true, false}) {
            ScriptedClient client(script);
            QByteArray buffer(int(length) + 1, '\xee');
            const QByteArray source(int(length), 'w');
            const IOResult io = reading ? client.readBlockTimed(buffer.data(), length, timeout)
                                        : client.writeBlockTimed(source.constData(), length, timeout);
            QCOMPARE(io.result, result);
            QCOMPARE(io.size, size);
            if (calls >= 0)
                QCOMPARE(client.calls, calls);
            if (timeout == IOClient::NoTimeout || length == 0)
                QCOMPARE(io.elapsed, 0u);
            if (!result && timeout != IOClient::NoTimeout && io.size == 0 && calls < 0)
                QVERIFY(io.elapsed >= timeout);
            QCOMPARE(client.lastFailure().failed(), !result);
            QCOMPARE(client.lastFailure().kind, result    ? LinkFailure::None
                                                : reading ? LinkFailure::ReadIncomplete
                                                          : LinkFailure::WriteIncomplete);
            // Each piece lands at its offset; nothing is written past the block.
            for (quint32 i = 0; reading && i < io.size; ++i)
                QCOMPARE(quint8(buffer[int(i)]), quint8(i));
            QCOMPARE(buffer[int(length)], '\xee');
            if (!reading)
                QCOMPARE(client.m_written, source.left(int(size)));
        }
    }

    void byteOrder_data()
    {
        addColumns<int, int, int, quint32, QByteArray, quint32>(
            {"size", "start", "end", "value", "bytes", "readBack"});
        addRow("four bytes, most significant first", 6, 2, -1, 0x0000012Cu,
               QByteArray::fromHex("00000000012c"), 0x12Cu);
        addRow("all bits", 4, 0, -1, 0xFFFFFFFFu, QByteArray::fromHex("ffffffff"), 0xFFFFFFFFu);
        addRow("two bytes keep the low half", 4, 1, 3, 0x11223344u, QByteArray::fromHex("00334400"), 0x3344u);
        addRow("end past start + 4 is cut", 8, 0, 8, 0x01020304u, QByteArray::fromHex("0102030400000000"),
               0x01020304u);
        addRow("clipped by the buffer's end", 3, 1, -1, 0xAABBCCDDu, QByteArray::fromHex("00ccdd"), 0xCCDDu);
        addRow("start outside writes nothing", 4, 4, -1, 0x01020304u, QByteArray::fromHex("00000000"), 0u);
        addRow("negative start writes nothing", 4, -1, -1, 0x01020304u, QByteArray::fromHex("00000000"), 0u);
    }
    void byteOrder()
    {
        QFETCH(int, size);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(quint32, value);
        QFETCH(QByteArray, bytes);
        QByteArray buffer(size, '\0');
        PutBigEndian(buffer, start, value, end);
        QCOMPARE(buffer.toHex(), bytes.toHex());
        QTEST(GetBigEndian(buffer, start, end), "readBack");
    }

    // Reads and timed writes switch the descriptor to non-blocking mode for
    // as long as they run; afterwards it blocks again, as opened.
    void transfersLeaveTheNodeBlocking_data()
    {
        addColumns<int, bool>({"pollInterval", "timed"});
        addRow("polled single read", 200, false);
        addRow("polled timed read", 200, true);
        addRow("polled untimed read", 200, false);
        addRow("blocking timed read", -1, true);
    }
    void transfersLeaveTheNodeBlocking()
    {
        QFETCH(int, pollInterval);
        QFETCH(bool, timed);
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0);
        QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
        termios raw{};
        QVERIFY(::tcgetattr(master, &raw) == 0);
        ::cfmakeraw(&raw);
        QVERIFY(::tcsetattr(master, TCSANOW, &raw) == 0);
        IOClient client(QString::fromLocal8Bit(::ptsname(master)));
        client.setReadPollInterval(pollInterval);
        QVERIFY(client.open(QIODevice::ReadWrite));
        auto blocking = [&] {
            return (::fcntl(client.handle(), F_GETFL) & O_NONBLOCK) == 0;
        };
        QVERIFY(blocking());

        QVERIFY(client.writeBlockTimed("ping", 4, 1000).result);
        QVERIFY(blocking());
        char got[4];
        QCOMPARE(::read(master, got, 4), ssize_t(4));
        QCOMPARE(QByteArray(got, 4), QByteArray("ping"));

        QCOMPARE(::write(master, "pong", 4), ssize_t(4));
        char buffer[4] = {};
        if (QTest::currentDataTag() == QByteArray("polled single read")) {
            qint64 got = 0;
            for (QElapsedTimer clock; got == 0 && (!clock.isValid() || clock.elapsed() < 1000);) {
                if (!clock.isValid())
                    clock.start();
                got = client.readBlock(buffer, 4);
            }
            QCOMPARE(got, qint64(4));
        } else {
            const IOResult io = client.readBlockTimed(buffer, 4, timed ? 1000 : IOClient::NoTimeout);
            QVERIFY(io.result);
        }
        QCOMPARE(QByteArray(buffer, 4), QByteArray("pong"));
        QVERIFY(blocking());
        client.close();
        ::close(master);
    }

    // A session leader without a terminal that opens a pseudo-terminal
    // would acquire it as its controlling terminal unless told not to.
    void neverTakesTheTerminal()
    {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0);
        QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const QString slave = QString::fromLocal8Bit(::ptsname(master));
        const pid_t child = ::fork();
        if (child == 0) {
            ::setsid();
            IOClient client(slave);
            const bool opened = client.open(QIODevice::ReadWrite);
            const bool controlling = ::open("/dev/tty", O_RDWR | O_NOCTTY) >= 0;
            ::_exit(opened && !controlling ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        ::close(master);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

QTEST_GUILESS_MAIN(TestIOChannel)
#include "tst_iochannel.moc"
