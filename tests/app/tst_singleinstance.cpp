// The single-instance socket and the hand-over, in one process that is
// itself the application object for a key, with a private runtime directory.
#include "app/singleapplication.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/messageboxrecorder.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Key = QStringLiteral("/dev/usb/lp0 Office");

QByteArray message(const QString &text)
{
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out << text;
    return frame;
}
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
    SingleApplication &m_app;

public:
    explicit TestSingleInstance(SingleApplication &app) : m_app(app) {}

private slots:
    // A holder of the lock that never takes the message keeps this start
    // off the device for the whole bound, and then the user is told.
    void unansweredHolder_data()
    {
        addColumns<bool>({"listens"});
        addRow("holder without a socket", false);
        addRow("holder whose socket never answers", true);
    }
    void unansweredHolder()
    {
        QFETCH(bool, listens);
        QLockFile holder(SingleApplication::lockFilePath(Key));
        QVERIFY(holder.tryLock(0));
        QLocalServer deaf;
        if (listens)
            QVERIFY(deaf.listen(SingleApplication::socketPath(Key)));
        MessageBoxRecorder boxes;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(HandOver(m_app, Key, 1500), std::optional<int>(1));
        QVERIFY(clock.elapsed() >= 1500);
        QVERIFY(!m_app.isInstance());
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().icon, QMessageBox::Critical);
        QCOMPARE(boxes.last().text, QStringLiteral("Velmora is already running for this device."));
    }

    // What a connection to the instance gets, and when it is closed.
    void connectionEnds_data()
    {
        addColumns<QByteArray, bool, int, int>({"sent", "acknowledged", "notBeforeMs", "byMs"});
        addRow("whole message: acknowledged and closed", message(Key), true, 0, 2000);
        addRow("announces 1 MiB: dropped", QByteArray::fromHex("00100000") + QByteArray(1000, 'x'), false, 0,
               2000);
        addRow("says nothing: closed after 5 s", QByteArray(), false, 4500, 10000);
        addRow("stops halfway: closed after 5 s", message(Key).left(12), false, 4500, 10000);
    }
    void connectionEnds()
    {
        QFETCH(QByteArray, sent);
        QFETCH(int, notBeforeMs);
        QFETCH(int, byMs);
        m_app.initialize(false);
        QVERIFY(m_app.isInstance());
        QLocalSocket client;
        client.connectToServer(SingleApplication::socketPath(Key));
        QVERIFY(client.waitForConnected(2000));
        QElapsedTimer clock;
        clock.start();
        client.write(sent);
        QVERIFY(QTest::qWaitFor([&] { return client.state() == QLocalSocket::UnconnectedState; }, byMs));
        QVERIFY2(clock.elapsed() >= notBeforeMs, qPrintable(QString::number(clock.elapsed())));
        QTEST(client.readAll() == QByteArray("\x06"), "acknowledged");
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir(runtime.path()).canonicalPath()));
    SingleApplication app(Key, argc, argv);
    TestSingleInstance test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
