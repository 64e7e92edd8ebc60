#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/messageboxrecorder.h"

#include "controller/ctlsource.h"
#include "ctl/ctlformat.h"
#include "ctl/ctlsession.h"
#include "model/element.h"

#include <QTest>

namespace {

// The sample device's settings, read from its description file.
struct SampleSession
{
    ScratchDir scratch;
    LocalFileSource source{QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml")};
    CtlSession session{source};
};

QString valueOf(const CtlSession &session, const QString &id)
{
    return session.find(id)->property("current").toString();
}

QStringList ids(const QList<Element *> &elements)
{
    QStringList out;
    for (const Element *element : elements)
        out.append(element->id());
    return out;
}

} // namespace

// The settings of the sample device as velmoractl sees them: through the
// controls the window would show, with the rules of the window.
class TestCtlSession : public QObject
{
    Q_OBJECT

private slots:
    void enteringValues_data()
    {
        addColumns<QStringList, bool, QString, QString, QString>(
            {"assignments", "taken", "id", "value", "message"});
        // Each row enters its values in order; the last one is the one judged.
        addRow("combo option", QStringList{"PaperSource=Tray1"}, true, "PaperSource", "Tray1", "");
        addRow("combo value not offered", QStringList{"PaperSource=Tray9"}, false, "PaperSource", "Auto",
               "offered: Auto, Tray1, Tray2, ManualFeed");
        addRow("combo narrowed by a rule", QStringList{"PaperSize=EnvelopeDL", "PaperSource=Tray2"}, false,
               "PaperSource", "Tray1", "offered: Tray1, ManualFeed");
        addRow("check box", QStringList{"Duplex=On"}, true, "Duplex", "On", "");
        addRow("check box off again", QStringList{"PaperMismatchAlert=Off"}, true, "PaperMismatchAlert",
               "Off", "");
        addRow("check box value no option", QStringList{"Duplex=Yes"}, false, "Duplex", "Off",
               "offered: Off, On");
        addRow("rule disables", QStringList{"PaperSize=EnvelopeDL", "Duplex=On"}, false, "Duplex", "Off",
               "is disabled");
        addRow("rule enables again", QStringList{"PaperSize=EnvelopeDL", "PaperSize=A4", "Duplex=On"}, true,
               "Duplex", "On", "");
        addRow("radio", QStringList{"Orientation=Landscape"}, true, "Orientation", "Landscape", "");
        addRow("radio value no option", QStringList{"PrintQuality=Super"}, false, "PrintQuality", "Normal",
               "offered: Draft, Normal, Best");
        addRow("integer", QStringList{"Copies=42"}, true, "Copies", "42", "");
        addRow("integer above range", QStringList{"Copies=100"}, false, "Copies", "1", "(1 to 99)");
        addRow("integer no number", QStringList{"Copies=many"}, false, "Copies", "1", "(1 to 99)");
        addRow("rule lowers a range", QStringList{"PaperSource=ManualFeed", "Copies=2"}, false, "Copies", "1",
               "(1 to 1)");
        addRow("decimal", QStringList{"TopMargin=7.5"}, true, "TopMargin", "7.5", "");
        addRow("decimal with too many decimals", QStringList{"TopMargin=7.55"}, false, "TopMargin", "5.0",
               "at most 1 decimals");
        addRow("decimal above range", QStringList{"LeftMargin=21"}, false, "LeftMargin", "6.35", "0 to 20");
        addRow("rule lowers a decimal bound", QStringList{"PaperSize=EnvelopeDL", "TopMargin=15"}, false,
               "TopMargin", "5.0", "0 to 10");
        addRow("slider", QStringList{"PrintDensity=-2"}, true, "PrintDensity", "-2", "");
        addRow("slider beyond its end", QStringList{"PrintDensity=4"}, false, "PrintDensity", "0",
               "(-3 to 3)");
        addRow("edit box", QStringList{"HostName=mfp-office-3"}, true, "HostName", "mfp-office-3", "");
        addRow("edit box breaks its pattern", QStringList{"HostName=mfp!"}, false, "HostName", "mfp-office-2",
               "has characters");
        addRow("edit box too long", QStringList{"HostName=" + QString(33, QLatin1Char('x'))}, false,
               "HostName", "mfp-office-2", "longer than the 32 characters");
        addRow("dial string", QStringList{"FaxNumber=+49 30 1"}, true, "FaxNumber", "+49 30 1", "");
        addRow("dial string with a dash", QStringList{"FaxNumber=555-1234"}, false, "FaxNumber",
               "+49 30 5550 1234", "has characters");
        addRow("address", QStringList{"IPAddress=10.0.0.7"}, true, "IPAddress", "10.0.0.7", "");
        addRow("address all zero", QStringList{"IPAddress=0.0.0.0"}, false, "IPAddress", "192.168.10.42",
               "is not a valid entry for");
        addRow("address disabled by a rule", QStringList{"AddressMode=DHCP", "IPAddress=10.0.0.7"}, false,
               "IPAddress", "192.168.10.42", "is disabled");
        addRow("group member", QStringList{"RingsToAnswer=5"}, true, "RingsToAnswer", "5", "");
        addRow("group member hidden by a rule", QStringList{"ReceiveMode=Manual", "RingsToAnswer=5"}, false,
               "RingsToAnswer", "3", "is hidden");
        addRow("form member", QStringList{"HeaderName=Office 3"}, true, "HeaderName", "Office 3", "");
        addRow("read-only text", QStringList{"SerialNumber=X1"}, false, "SerialNumber", "VMF4K20731",
               "not a setting that takes a value");
    }

    void enteringValues()
    {
        QFETCH(QStringList, assignments);
        QFETCH(bool, taken);
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QString, message);

        SampleSession sample;
        CtlSession &session = sample.session;
        QVERIFY(session.open());
        MessageBoxRecorder boxes;
        bool lastTaken = false;
        for (const QString &assignment : std::as_const(assignments)) {
            const QStringList parts = assignment.split(QLatin1Char('='));
            Element *element = session.find(parts.at(0));
            QVERIFY2(element, qPrintable(parts.at(0)));
            lastTaken = session.enter(element, parts.mid(1).join(QLatin1Char('=')));
        }
        QCOMPARE(lastTaken, taken);
        QCOMPARE(valueOf(session, id), value);
        if (message.isEmpty()) {
            QCOMPARE(boxes.count(), 0);
        } else {
            QCOMPARE(boxes.count(), 1);
            QVERIFY2(boxes.last().text.contains(message), qPrintable(boxes.last().text));
            QCOMPARE(boxes.last().icon, QMessageBox::Warning);
        }
    }

    void validationOfChanges()
    {
        SampleSession sample;
        CtlSession &session = sample.session;
        QVERIFY(session.open());
        QVERIFY(session.changedSettings().isEmpty());

        // Every section can be typed, but the whole is no mask: only the check
        // before sending finds it, as Apply does in the window.
        MessageBoxRecorder boxes;
        QVERIFY(session.enter(session.find("AllowedMask"), "255.0.255.0"));
        QVERIFY(session.enter(session.find("Copies"), "7"));
        QCOMPARE(ids(session.changedSettings()), QStringList({"Copies", "AllowedMask"}));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!session.validateChanges());
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains("'255.0.255.0' is not a valid entry"));

        QVERIFY(session.enter(session.find("AllowedMask"), "255.255.0.0"));
        QVERIFY(session.validateChanges());
    }

    void describedAsTheRulesLeaveThem_data()
    {
        addColumns<QStringList, QString, QString>({"assignments", "id", "line"});
        addRow("list", QStringList{}, "PaperSource",
               "PaperSource\tstList\tAuto\toptions=Auto,Tray1,Tray2,ManualFeed");
        addRow("list narrowed", QStringList{"PaperSize=EnvelopeDL"}, "PaperSource",
               "PaperSource\tstList\tTray1\toptions=Tray1,ManualFeed");
        addRow("check box disabled", QStringList{"MediaType=Transparency"}, "Duplex",
               "Duplex\tstCheckbox\tOff\toptions=Off,On\tdisabled");
        addRow("integer", QStringList{}, "Copies", "Copies\tstInteger\t1\trange=1..99 step=1");
        addRow("integer bound from an option", QStringList{"PaperSize=A5"}, "LinesPerPage",
               "LinesPerPage\tstInteger\t46\trange=5..46 step=1");
        addRow("decimal", QStringList{}, "LeftMargin",
               "LeftMargin\tstFloat\t6.35\trange=0..20 step=0.05 digits=2");
        addRow("slider", QStringList{}, "ColorBalance", "ColorBalance\tstSlider\t1\trange=-5..5 step=1");
        addRow("address disabled", QStringList{"AddressMode=DHCP"}, "Gateway",
               "Gateway\tstIPAddress\t192.168.10.1\tdisabled");
        addRow("group member hidden", QStringList{"ReceiveMode=Manual"}, "RingsToAnswer",
               "RingsToAnswer\tstInteger\t3\trange=1..9 step=1\thidden");
        addRow("text", QStringList{}, "SerialNumber", "SerialNumber\tstText\tVMF4K20731");
        addRow("button", QStringList{}, "RestoreFactory", "RestoreFactory\tstButton\t");
    }

    void describedAsTheRulesLeaveThem()
    {
        QFETCH(QStringList, assignments);
        QFETCH(QString, id);
        QFETCH(QString, line);

        SampleSession sample;
        CtlSession &session = sample.session;
        QVERIFY(session.open());
        for (const QString &assignment : std::as_const(assignments)) {
            const QStringList parts = assignment.split(QLatin1Char('='));
            QVERIFY(session.enter(session.find(parts.at(0)), parts.at(1)));
        }
        QCOMPARE(StateLine(session.describe(session.find(id))), line);
    }

    void treeOrder()
    {
        SampleSession sample;
        CtlSession &session = sample.session;
        QVERIFY(session.open());
        const QStringList order = ids(session.settings());
        // A category's sub-categories come before its own settings; a group's
        // members follow the group.
        QVERIFY(order.indexOf("AllowedMask") < order.indexOf("AddressMode"));
        QCOMPARE(order.mid(order.indexOf("FaxReceive"), 4),
                 QStringList({"FaxReceive", "ReceiveMode", "RingsToAnswer", "ReduceToFit"}));
        QCOMPARE(order.mid(order.indexOf("FaxHeader"), 4),
                 QStringList({"FaxHeader", "HeaderName", "HeaderNumber", "PrintHeader"}));
        QCOMPARE(order.first(), QStringLiteral("AboutElement"));
        QCOMPARE(order.last(), QStringLiteral("AlignCartridgesMfpXml"));
    }
};

QTEST_MAIN(TestCtlSession)
#include "tst_ctlsession.moc"
