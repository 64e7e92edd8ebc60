#include "common/datatable.h"
#include "controller/iconfigurator.h"
#include "model/buttonelement.h"
#include "model/settingsparser.h"
#include "window/settingsdialog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

QString samplePath()
{
    return QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml");
}

// The controller as the window sees it; each maintenance call is kept as
// "<function> <photo ink> <id>", the id in brackets so an empty one shows.
class RecordingConfigurator : public IConfigurator
{
public:
    RecordingConfigurator() : m_file(samplePath()), m_parser(&m_file) { (void)m_parser.parse(); }

    NodeDesc *loadSettings() override { return m_parser.root(); }
    void ijTestPagePrint(QWidget *dialog, const ApplyCallback &apply, const QString &id) override
    {
        keep(dialog, apply, "test page", id);
    }
    void ijCartridgeClean(QWidget *dialog, const ApplyCallback &apply, const QString &id) override
    {
        keep(dialog, apply, "clean", id);
    }
    void ijCartridgeAlignSFP(bool photoInk, QWidget *dialog, const ApplyCallback &apply,
                             const QString &id) override
    {
        keep(dialog, apply, photoInk ? "single-function photo" : "single-function", id);
    }
    int ijCartridgeAlignMFP(QWidget *dialog, const ApplyCallback &apply, const QString &id) override
    {
        keep(dialog, apply, "multi-function", id);
        return 0;
    }

    QStringList calls;

private:
    void keep(QWidget *, const ApplyCallback &, const char *function, const QString &id)
    {
        calls << QStringLiteral("%1 [%2]").arg(QLatin1String(function), id);
    }
    QFile m_file;
    SettingsParser m_parser;
};

} // namespace

class TestMaintenanceButtons : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The folder pictures are found beside the program, as in a run.
        QVERIFY(QDir::setCurrent(QStringLiteral(VELMORA_STAGE_DIR "/bin")));
    }

    void wrongSenderIsRefused_data()
    {
        addColumns<QByteArray, QByteArray>({"slot", "className"});
        addRow("test page", QByteArray("inkTestPagePrintClicked"), QByteArray("InkTestPagePrintElement"));
        addRow("cleaning", QByteArray("inkCartridgeCleanClicked"), QByteArray("InkCartridgeCleanElement"));
        addRow("single-function", QByteArray("inkCartridgeAlignSFPClicked"),
               QByteArray("InkCartridgeAlignSFPElement"));
        addRow("multi-function", QByteArray("inkCartridgeAlignMFPClicked"),
               QByteArray("InkCartridgeAlignMFPElement"));
    }
    void wrongSenderIsRefused()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QByteArray, className);
        RecordingConfigurator controller;
        SettingsDialog dialog;
        dialog.initialize(&controller, QStringLiteral("Test printer"));

        // A plain device button wired to a maintenance slot by mistake.
        ButtonElement plain("BUTTON", nullptr, nullptr);
        const QByteArray target = "1" + slot + "(QString)";
        QVERIFY(connect(&plain, SIGNAL(buttonClicked(QString)), &dialog, target.constData()));
        const QString expected =
            QString::fromLatin1(R"re(^ASSERT: "o->className\(\) == QString\("%1"\)" in )re"
                                R"re(.*settingsdialogmaintenance\.cpp \(\d+\)$)re");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(expected.arg(QString::fromLatin1(className))));
        plain.onClick();

        // No sender at all.
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(R"re(^ASSERT: "o" in .*settingsdialogmaintenance\.cpp \(\d+\)$)re"));
        QVERIFY(QMetaObject::invokeMethod(&dialog, slot.constData(), Q_ARG(QString, QStringLiteral("X"))));
        QCOMPARE(controller.calls, QStringList());
    }
};

QTEST_MAIN(TestMaintenanceButtons)
#include "tst_maintenancebuttons.moc"
