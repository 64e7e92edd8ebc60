// DomParser: null versus empty texts, the first-match lookups, the file
// loader's messages and the exact element text the change documents use.
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "description/domparser.h"

#include <QTest>

class TestDomParser : public QObject
{
    Q_OBJECT
private slots:
    void nullVersusEmpty()
    {
        DomParser parser("<root EMPTY='' CODED=\"a&amp;b&lt;c&quot;d\" lower=\"1\"><Name>first</Name>"
                         "<Name>second</Name><Empty/></root>");
        const QDomNode root = parser.findPath({"root"});
        QVERIFY(!parser.hasAttribute(root, "ABSENT"));
        QVERIFY(parser.attribute(root, "ABSENT").isNull());
        QVERIFY(parser.hasAttribute(root, "EMPTY"));
        QVERIFY(!parser.attribute(root, "EMPTY").isNull());
        QCOMPARE(parser.attribute(root, "EMPTY"), QString(""));
        QCOMPARE(parser.attribute(root, "CODED"), QString("a&b<c\"d"));
        QVERIFY(!parser.hasAttribute(root, "LOWER"));
        // Nodes that are not elements have no attributes at all.
        QVERIFY(parser.attribute(root.parentNode(), "EMPTY").isNull());
        QVERIFY(parser.attribute(QDomNode(), "EMPTY").isNull());

        QCOMPARE(parser.childText(root, "Name"), QString("first"));
        QVERIFY(parser.childText(root, "Missing").isNull());
        QVERIFY(!parser.childText(root, "Empty").isNull());
        QVERIFY(parser.childText(root, "Empty").isEmpty());
        QVERIFY(parser.nodeText(QDomNode()).isNull());
    }

    void lookupsTakeTheFirstMatch_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("expected");
        // A null type: findPath(path); otherwise findByAttribute(path's node, "TYPE", type).
        const auto row = [](const char *name, const char *path, const QString &type, const char *expected) {
            QTest::newRow(name) << QString(path) << type << QString(expected);
        };
        row("path: first of two siblings, past comment and text", "root/Fax", {}, "f1");
        row("path: no backtracking into a later sibling", "root/Fax/Extra", {}, "#null");
        row("path: empty gives the document", "", {}, "#document");
        row("path: tag names are case-sensitive", "root/fax", {}, "#null");
        row("attribute: ancestor before its descendants", "root", "PHONEBOOK", "1");
        row("attribute: start node itself is not tested", "root/Fax/Book", "PHONEBOOK", "2");
        row("attribute: later sibling after a subtree", "root", "EMAILBOOK", "4");
        row("attribute: exact value only", "root", "phonebook", "#null");
        row("attribute: empty matches a present empty value", "root", "", "5");
        row("attribute: from the document the top element is tested", "", "TOP", "0");
    }
    void lookupsTakeTheFirstMatch()
    {
        QFETCH(QString, path);
        QFETCH(QString, type);
        QFETCH(QString, expected);

        DomParser parser(
            "<root TYPE=\"TOP\" n=\"0\"><!-- c -->text<Fax n=\"f1\"><Book TYPE=\"PHONEBOOK\" n=\"1\">"
            "<Inner TYPE=\"PHONEBOOK\" n=\"2\"/></Book></Fax><Fax n=\"f2\"><Extra/></Fax>"
            "<Mail TYPE=\"EMAILBOOK\" n=\"4\"/><Blank TYPE=\"\" n=\"5\"/></root>");
        QDomNode found = parser.findPath(DomParser::splitPath(path));
        if (!type.isNull())
            found = parser.findByAttribute(found, "TYPE", type);
        const QString marker = found.isDocument() ? "#document" : parser.attribute(found, "n");
        QCOMPARE(found.isNull() ? "#null" : marker, expected);
    }

    void createPath()
    {
        DomParser parser("<root><PrinterSettingsInfo/><Other/></root>");
        LogCapture log;
        const QDomNode deps = parser.createPath(DomParser::splitPath("/root//Dependencies/"));
        QCOMPARE(log.lines(), QStringList{"need to create path!"});
        // Appended under the one existing root, found again without a second trace.
        const QDomElement root = parser.document().documentElement();
        QCOMPARE(root.childNodes().count(), 3);
        QVERIFY(root.lastChild() == deps);
        log.clear();
        QVERIFY(parser.createPath({"root", "Dependencies"}) == deps);
        QVERIFY(log.lines().isEmpty());

        DomParser empty;
        QCOMPARE(empty.document().doctype().name(), QString("doc"));
        const QDomNode keys = empty.createPath({"root", "Translation", "Keys"});
        QVERIFY(empty.findPath({"root", "Translation", "Keys"}) == keys);
    }

    void loadFile()
    {
        DomParser parser("<root/>");
        LogCapture log;
        QVERIFY(!parser.loadFile(nullptr));
        QVERIFY(log.lines().isEmpty());
        // The name is shown as it is, never used as a format.
        QFile missing("/nonexistent-dir/100%s/vlm.xml");
        QVERIFY(!parser.loadFile(&missing));
        QCOMPARE(log.lines(), QStringList{"Cannot open file: '/nonexistent-dir/100%s/vlm.xml'"});
        QVERIFY(parser.isValid());

        QFile good(dataPath("minimal_empty.xml"));
        QVERIFY(parser.loadFile(&good));
        QVERIFY(!good.isOpen());
        QFile broken(dataPath("not_well_formed.xml"));
        QVERIFY(!parser.loadFile(&broken));
        QVERIFY(!parser.isValid());
        // The part read before the syntax error must not be usable.
        QVERIFY(parser.findPath({"root"}).isNull());
        QCOMPARE(log.lines().size(), 1);
    }

    void setContent()
    {
        DomParser parser("<old/>");
        const QDomDocument held = parser.document();
        LogCapture log;
        QVERIFY(parser.setContent("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root/>"));
        // Copies handed out before see the new tree, or none: never the old one.
        QCOMPARE(held.documentElement().tagName(), QString("root"));
        for (const char *bad : {"<root><P></root>", "<root><A STRING=\"a & b\"/></root>", ""}) {
            QVERIFY2(!parser.setContent(bad), bad);
            QVERIFY(!parser.isValid());
            QVERIFY(held.documentElement().isNull());
        }
        QVERIFY(log.lines().isEmpty());
    }

    void saveReplacesTheFile()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("saved.xml");
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        DomParser("<root><P><Copies CURRENT=\"1\"/></P></root>").save(name);
        // Four blanks per level, and nothing left of the longer old file.
        const QString text = readText(name);
        QVERIFY2(text.contains("<root>\n    <P>\n        <Copies CURRENT=\"1\"/>\n    </P>\n</root>"),
                 qPrintable(text));
        QVERIFY(DomParser(&file).isValid());
    }

    void elementText_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<int>("indent");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *xml, int indent, const char *expected) {
            QTest::newRow(name) << QString(xml) << indent << QString(expected);
        };
        row("childless without attributes", "<Id/>", 1, "<Id/>");
        row("childless with attribute: blank before slash", "<Id CURRENT=\"5\"/>", 1, "<Id CURRENT=\"5\" />");
        row("attributes sorted by name", "<Id TYPE=\"X\" CURRENT=\"1\" MAX=\"2\"/>", 1,
            "<Id CURRENT=\"1\" MAX=\"2\" TYPE=\"X\" />");
        row("one blank per level", "<a><b><c x=\"1\"/></b><d/></a>", 1,
            "<a>\n <b>\n  <c x=\"1\" />\n </b>\n <d/>\n</a>");
        row("four blanks per level", "<a><b/></a>", 4, "<a>\n    <b/>\n</a>");
        row("attribute escaping", "<Id V=\"a&amp;b &lt;c&gt; &quot;d&quot; 'e' 100%\"/>", 1,
            "<Id V=\"a&amp;b &lt;c> &quot;d&quot; 'e' 100%\" />");
        row("white space in attributes kept as references", "<Id V=\"a&#xa;b&#x9;c\"/>", 1,
            "<Id V=\"a&#xa;b&#x9;c\" />");
        row("sole text child inline", "<N>Fax &amp; Scan &lt;1&gt;</N>", 1,
            "<N>Fax &amp; Scan &lt;1&gt;</N>");
        row("non-Latin-1 passes unchanged", "<Qualität S=\"Плотность 日本\"/>", 1,
            "<Qualität S=\"Плотность 日本\" />");
    }
    void elementText()
    {
        QFETCH(QString, xml);
        QFETCH(int, indent);
        QFETCH(QString, expected);

        DomParser parser(xml);
        QVERIFY(parser.isValid());
        QCOMPARE(DomParser::elementText(parser.document().documentElement(), indent), expected);
        QVERIFY(DomParser::elementText(QDomElement()).isNull());
    }

    void dumpsShowFileTextsLiterally()
    {
        DomParser parser("<root><Kid CURRENT=\"5%d\"/></root>");
        LogCapture log;
        parser.dumpNode(parser.findPath({"root", "Kid"}));
        parser.dumpElements("Kid");
        QCOMPARE(log.lines(), (QStringList{"<Kid>", "    attribute: CURRENT    value: 5%d    type: 2",
                                           "-------------------- Kid: --------------------",
                                           "name: Kid    value: \n    AttrName: CURRENT    Value: 5%d"}));
    }
};

QTEST_GUILESS_MAIN(TestDomParser)
#include "tst_domparser.moc"
