// DomParser: null versus empty texts, the first-match lookups, the file
// loader, and the exact element text the change documents use.
#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "model/domparser.h"

class TestDomParser : public QObject
{
    Q_OBJECT
private slots:
    void nullVersusEmpty()
    {
        DomParser parser("<root EMPTY='' CODED=\"a&amp;b&lt;c&quot;d\"><Name>first</Name>"
                         "<Name>second</Name><Empty/></root>");
        const QDomNode root = parser.findPath({"root"});
        QVERIFY(parser.attribute(root, "ABSENT").isNull());
        QVERIFY(!parser.attribute(root, "EMPTY").isNull());
        QCOMPARE(parser.attribute(root, "EMPTY"), QString(""));
        QCOMPARE(parser.attribute(root, "CODED"), QString("a&b<c\"d"));
        QCOMPARE(parser.childText(root, "Name"), QString("first"));
        QVERIFY(parser.childText(root, "Missing").isNull());
        QVERIFY(!parser.childText(root, "Empty").isNull());
        QVERIFY(parser.childText(root, "Empty").isEmpty());
    }

    void lookupsTakeTheFirstMatch_data()
    {
        // A null type: findPath(path); otherwise findByAttribute(path's node, "TYPE", type).
        addColumns<QString, QString, QString>({"path", "type", "expected"});
        addRow("path: first of two siblings, past comment and text", "root/Fax", QString(), "f1");
        addRow("path: no backtracking into a later sibling", "root/Fax/Extra", QString(), "#null");
        addRow("attribute: ancestor before its descendants", "root", "PHONEBOOK", "1");
        addRow("attribute: start node itself is not tested", "root/Fax/Book", "PHONEBOOK", "2");
        addRow("attribute: later sibling after a subtree", "root", "EMAILBOOK", "4");
        addRow("attribute: empty matches a present empty value", "root", "", "5");
    }
    void lookupsTakeTheFirstMatch()
    {
        QFETCH(QString, path);
        QFETCH(QString, type);

        DomParser parser(
            "<root TYPE=\"TOP\" n=\"0\"><!-- c -->text<Fax n=\"f1\"><Book TYPE=\"PHONEBOOK\" n=\"1\">"
            "<Inner TYPE=\"PHONEBOOK\" n=\"2\"/></Book></Fax><Fax n=\"f2\"><Extra/></Fax>"
            "<Mail TYPE=\"EMAILBOOK\" n=\"4\"/><Blank TYPE=\"\" n=\"5\"/></root>");
        QDomNode found = parser.findPath(DomParser::splitPath(path));
        if (!type.isNull())
            found = parser.findByAttribute(found, "TYPE", type);
        QTEST(found.isNull() ? QString("#null") : parser.attribute(found, "n"), "expected");
    }

    void loading()
    {
        DomParser parser("<root/>");
        LogCapture log;
        // The name is shown as it is, never used as a format.
        QFile missing("/nonexistent-dir/100%s/vlm.xml");
        QVERIFY(!parser.loadFile(&missing));
        QCOMPARE(log.lines(), QStringList{"Cannot open file: '/nonexistent-dir/100%s/vlm.xml'"});
        QFile broken(dataPath("not_well_formed.xml"));
        QVERIFY(!parser.loadFile(&broken));
        // The part read before the syntax error must not be usable.
        QVERIFY(parser.findPath({"root"}).isNull());
    }

    void saving_data()
    {
        // The target below a regular file: no directory there can be written,
        // not even by root.
        addColumns<QString, bool>({"target", "saved"});
        addRow("writable directory", "vlm.xml", true);
        addRow("directory that cannot be written", "plain-file/vlm.xml", false);
    }
    void saving()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        QFile plain(dir.filePath("plain-file"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        DomParser parser("<root><Copies CURRENT=\"2\"/></root>");
        LogCapture log;
        QTEST(parser.save(dir.filePath(target)), "saved");
        QFETCH(bool, saved);
        // Nothing but the saved file appears beside the plain one: no
        // temporary or partial file is left behind.
        QStringList expected{"plain-file"};
        if (saved)
            expected.append("vlm.xml");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name), expected);
        if (saved)
            QCOMPARE(readText(dir.filePath(target)),
                     QString("<root>\n    <Copies CURRENT=\"2\"/>\n</root>\n"));
        else
            QVERIFY(log.contains("DomParser::save(): cannot write " + dir.filePath(target)));
    }

    void elementText_data()
    {
        addColumns<QString, QString>({"xml", "expected"});
        addRow("no attributes", "<Id/>", "<Id/>");
        addRow("blank before the slash", "<Id CURRENT=\"5\"/>", "<Id CURRENT=\"5\" />");
        addRow("sorted by name", "<Id T=\"X\" C=\"1\" M=\"2\"/>", "<Id C=\"1\" M=\"2\" T=\"X\" />");
        addRow("one blank per level", "<a><b><c/></b><d x=\"1\"/></a>",
               "<a>\n <b>\n  <c/>\n </b>\n <d x=\"1\" />\n</a>");
        addRow("escaping", "<Id V=\"a&amp;b&lt;c&gt;&quot;'%\"/>", "<Id V=\"a&amp;b&lt;c>&quot;'%\" />");
        addRow("non-Latin-1 unchanged", "<Qualität S=\"Жук 日本\"/>", "<Qualität S=\"Жук 日本\" />");
    }
    void elementText()
    {
        QFETCH(QString, xml);
        DomParser parser(xml);
        QTEST(DomParser::elementText(parser.document().documentElement(), 1), "expected");
    }
};

QTEST_GUILESS_MAIN(TestDomParser)
#include "tst_domparser.moc"
