#include "app/debuglog.h"
#include "common/logcapture.h"

#include <QRegularExpression>
#include <QTest>

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    void lineCarriesTimePrefix()
    {
        LogCapture log;
        DebugLog("value=%d <%s>", 42, "x");
        QCOMPARE(log.rawLines().size(), 1);
        const QRegularExpression form(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d> value=42 <x>$"));
        QVERIFY2(form.match(log.rawLines().first()).hasMatch(), qPrintable(log.rawLines().first()));
    }
};

QTEST_GUILESS_MAIN(TestDebugLog)
#include "tst_debuglog.moc"
