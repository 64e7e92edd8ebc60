#include "common/logcapture.h"
#include "description/domparser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(VELMORA_TEST_DATA "/") + name;
}

// A subclass whose overrides must not run from the base constructors.
class RecordingParser : public DomParser
{
public:
    explicit RecordingParser(const QString &text) : DomParser(text) {}
    explicit RecordingParser(QFile *file) : DomParser(file) {}
    bool setContent(const QString &text) override
    {
        ++overrideCalls;
        return DomParser::setContent(text);
    }
    bool loadFile(QFile *file) override
    {
        ++overrideCalls;
        return DomParser::loadFile(file);
    }
    int overrideCalls = 0;
};

// The "n" attribute marks which node a lookup returned.
QString marker(const DomParser &parser, const QDomNode &node)
{
    if (node.isNull())
        return QStringLiteral("#null");
    if (node.isDocument())
        return QStringLiteral("#document");
    return parser.attribute(node, QStringLiteral("n"));
}

} // namespace

class TestDomParser : public QObject
{
    Q_OBJECT
private slots:
    void attributeNullVersusEmpty_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("has");
        QTest::addColumn<bool>("isNull");
        QTest::addColumn<QString>("value");

        QTest::newRow("absent attribute is null") << "<root/>"
                                                  << "CURRENT" << false << true << "";
        QTest::newRow("present empty attribute is empty, not null") << "<root CURRENT=\"\"/>"
                                                                    << "CURRENT" << true << false << "";
        QTest::newRow("present empty in single quotes") << "<root CURRENT=''/>"
                                                        << "CURRENT" << true << false << "";
        QTest::newRow("present value") << "<root CURRENT=\"42\"/>"
                                       << "CURRENT" << true << false << "42";
        QTest::newRow("blank value kept") << "<root CURRENT=\" \"/>"
                                          << "CURRENT" << true << false << " ";
        QTest::newRow("entities decoded") << "<root CURRENT=\"a&amp;b&lt;c&quot;d\"/>"
                                          << "CURRENT" << true << false << "a&b<c\"d";
        QTest::newRow("names are case-sensitive") << "<root current=\"1\"/>"
                                                  << "CURRENT" << false << true << "";
    }
    void attributeNullVersusEmpty()
    {
        QFETCH(QString, xml);
        QFETCH(QString, name);
        QFETCH(bool, has);
        QFETCH(bool, isNull);
        QFETCH(QString, value);

        DomParser parser(xml);
        QVERIFY(parser.isValid());
        const QDomNode root = parser.findPath({QStringLiteral("root")});
        QCOMPARE(parser.hasAttribute(root, name), has);
        const QString got = parser.attribute(root, name);
        QCOMPARE(got.isNull(), isNull);
        QCOMPARE(got, value);
    }

    void attributeOfNonElementNodes()
    {
        DomParser parser(QStringLiteral("<root>text</root>"));
        const QDomNode text = parser.findPath({QStringLiteral("root")}).firstChild();
        QVERIFY(text.isText());
        QVERIFY(!parser.hasAttribute(text, QStringLiteral("CURRENT")));
        QVERIFY(parser.attribute(text, QStringLiteral("CURRENT")).isNull());
        QVERIFY(parser.attribute(QDomNode(), QStringLiteral("CURRENT")).isNull());
    }

    void findPath_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");

        QTest::newRow("child of the top element") << "<root><PrinterSettingsInfo n=\"1\"/></root>"
                                                  << "root/PrinterSettingsInfo"
                                                  << "1";
        QTest::newRow("comment before the element")
            << "<root><!-- settings --><PrinterSettingsInfo n=\"1\"/></root>"
            << "root/PrinterSettingsInfo"
            << "1";
        QTest::newRow("text before the element") << "<root>some text<PrinterSettingsInfo n=\"1\"/></root>"
                                                 << "root/PrinterSettingsInfo"
                                                 << "1";
        QTest::newRow("second sibling of the same name is never reached")
            << "<root><PrinterSettingsInfo n=\"1\"/><PrinterSettingsInfo n=\"2\"><A n=\"3\"/>"
               "</PrinterSettingsInfo></root>"
            << "root/PrinterSettingsInfo"
            << "1";
        QTest::newRow("no backtracking into a later sibling")
            << "<root><P n=\"1\"/><P><A n=\"2\"/></P></root>"
            << "root/P/A"
            << "#null";
        QTest::newRow("empty path gives the document") << "<root/>"
                                                       << ""
                                                       << "#document";
        QTest::newRow("wrong top element") << "<top><PrinterSettingsInfo n=\"1\"/></top>"
                                           << "root/PrinterSettingsInfo"
                                           << "#null";
        QTest::newRow("missing inner element") << "<root><Other n=\"1\"/></root>"
                                               << "root/PrinterSettingsInfo"
                                               << "#null";
        QTest::newRow("tag names are case-sensitive") << "<root><printersettingsinfo n=\"1\"/></root>"
                                                      << "root/PrinterSettingsInfo"
                                                      << "#null";
        QTest::newRow("deep path") << "<root><a><b><c n=\"7\"/></b></a></root>"
                                   << "root/a/b/c"
                                   << "7";
    }
    void findPath()
    {
        QFETCH(QString, xml);
        QFETCH(QString, path);
        QFETCH(QString, expected);

        DomParser parser(xml);
        QVERIFY(parser.isValid());
        QCOMPARE(marker(parser, parser.findPath(DomParser::splitPath(path))), expected);
    }

    void childNodeAndChildText()
    {
        DomParser parser(QStringLiteral("<root><!--c-->x<Name>first</Name><Name>second</Name>"
                                        "<Empty/></root>"));
        const QDomNode root = parser.findPath({QStringLiteral("root")});
        QCOMPARE(parser.childText(root, QStringLiteral("Name")), QStringLiteral("first"));
        QVERIFY(parser.childNode(root, QStringLiteral("Missing")).isNull());
        QVERIFY(parser.childText(root, QStringLiteral("Missing")).isNull());
        QVERIFY(parser.childText(root, QStringLiteral("Empty")).isEmpty());
        QVERIFY(parser.childNode(QDomNode(), QStringLiteral("Name")).isNull());
    }

    void nodeText()
    {
        DomParser parser(QStringLiteral("<root a=\"attr value\">outer<b>inner</b></root>"));
        QDomElement root = parser.findPath({QStringLiteral("root")}).toElement();
        QCOMPARE(parser.nodeText(root), QStringLiteral("outerinner"));
        QCOMPARE(parser.nodeText(root.attributeNode(QStringLiteral("a"))), QStringLiteral("attr value"));
        QCOMPARE(parser.nodeText(root.firstChild()), QStringLiteral("outer"));
        QVERIFY(parser.nodeText(QDomNode()).isNull());
    }

    void findByAttributeIsPreOrder_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("ancestor before its descendants") << "root"
                                                         << "PHONEBOOK"
                                                         << "1";
        QTest::newRow("start node itself is not tested") << "root/Fax/Book"
                                                         << "PHONEBOOK"
                                                         << "2";
        QTest::newRow("later sibling after a subtree") << "root"
                                                       << "EMAILBOOK"
                                                       << "4";
        QTest::newRow("exact value only") << "root"
                                          << "phonebook"
                                          << "#null";
        QTest::newRow("empty value matches present empty attribute only") << "root"
                                                                          << ""
                                                                          << "5";
        QTest::newRow("from the document the top element is tested") << ""
                                                                     << "TOP"
                                                                     << "0";
    }
    void findByAttributeIsPreOrder()
    {
        QFETCH(QString, start);
        QFETCH(QString, value);
        QFETCH(QString, expected);

        DomParser parser(QStringLiteral("<root TYPE=\"TOP\" n=\"0\">"
                                        "<Fax><Other/><Book TYPE=\"PHONEBOOK\" n=\"1\">"
                                        "<Inner TYPE=\"PHONEBOOK\" n=\"2\"/></Book></Fax>"
                                        "<NoType n=\"3\"/>"
                                        "<Mail TYPE=\"EMAILBOOK\" n=\"4\"/>"
                                        "<Blank TYPE=\"\" n=\"5\"/></root>"));
        const QDomNode from = parser.findPath(DomParser::splitPath(start));
        QVERIFY(!from.isNull());
        QCOMPARE(marker(parser, parser.findByAttribute(from, QStringLiteral("TYPE"), value)), expected);
    }

    void createPathAppendsToExistingRoot()
    {
        DomParser parser(QStringLiteral("<root><PrinterSettingsInfo/><Other/></root>"));
        LogCapture log;
        const QDomNode deps = parser.createPath({QStringLiteral("root"), QStringLiteral("Dependencies")});
        QCOMPARE(log.lines(), QStringList{QStringLiteral("need to create path!")});
        QVERIFY(deps.isElement());
        QCOMPARE(deps.nodeName(), QStringLiteral("Dependencies"));

        const QDomDocument doc = parser.document();
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("root"));
        QCOMPARE(doc.elementsByTagName(QStringLiteral("root")).count(), 1);
        QVERIFY(doc.documentElement().lastChild() == deps);
        QCOMPARE(doc.documentElement().childNodes().count(), 3);

        log.clear();
        const QDomNode again = parser.createPath({QStringLiteral("root"), QStringLiteral("Dependencies")});
        QVERIFY(again == deps);
        QVERIFY(log.lines().isEmpty());
    }

    void createPathBuildsWholePathInEmptyDocument()
    {
        DomParser parser;
        LogCapture log;
        const QDomNode node =
            parser.createPath(DomParser::splitPath(QStringLiteral("root/Translation/Keys")));
        QCOMPARE(log.count(QStringLiteral("need to create path!")), 1);
        QCOMPARE(node.nodeName(), QStringLiteral("Keys"));
        QVERIFY(parser.findPath(DomParser::splitPath(QStringLiteral("root/Translation/Keys"))) == node);
        QVERIFY(parser.createPath({}).isDocument());
    }

    void loadFileNullReturnsFalseSilently()
    {
        DomParser parser(QStringLiteral("<root/>"));
        QVERIFY(parser.isValid());
        LogCapture log;
        QVERIFY(!parser.loadFile(nullptr));
        QVERIFY(log.lines().isEmpty());
        QVERIFY(parser.isValid());
    }

    void loadFileUnopenableLogsName()
    {
        DomParser parser(QStringLiteral("<root/>"));
        const QString name = QStringLiteral("/nonexistent-dir/100%s/vlm.xml");
        QFile file(name);
        LogCapture log;
        QVERIFY(!parser.loadFile(&file));
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Cannot open file: '%1'").arg(name)});
        QVERIFY(parser.isValid());
        QVERIFY(!file.isOpen());
    }

    void loadFileParsesAndCloses()
    {
        QFile file(dataPath(QStringLiteral("minimal_empty.xml")));
        DomParser parser;
        QVERIFY(parser.loadFile(&file));
        QVERIFY(parser.isValid());
        QVERIFY(!file.isOpen());
        QVERIFY(!parser.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo"))).isNull());

        QFile broken(dataPath(QStringLiteral("not_well_formed.xml")));
        LogCapture log;
        QVERIFY(!parser.loadFile(&broken));
        QVERIFY(!parser.isValid());
        QVERIFY(log.lines().isEmpty());
        // The part read before the syntax error must not be usable.
        QVERIFY(parser.findPath({QStringLiteral("root")}).isNull());
    }

    void setContent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");

        QTest::newRow("well-formed") << "<root><PrinterSettingsInfo/></root>" << true;
        QTest::newRow("with declaration") << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root/>" << true;
        QTest::newRow("unclosed element") << "<root><PrinterSettingsInfo></root>" << false;
        QTest::newRow("unquoted attribute") << "<root><A TYPE=COMBOBOX/></root>" << false;
        QTest::newRow("raw ampersand") << "<root><A STRING=\"a & b\"/></root>" << false;
        QTest::newRow("two top elements") << "<root/><root/>" << false;
        QTest::newRow("empty text") << "" << false;
    }
    void setContent()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);

        DomParser parser(QStringLiteral("<old/>"));
        const QDomDocument held = parser.document();
        LogCapture log;
        QCOMPARE(parser.setContent(text), valid);
        QCOMPARE(parser.isValid(), valid);
        QVERIFY(log.lines().isEmpty());
        QCOMPARE(parser.document().documentElement().isNull(), !valid);
        QCOMPARE(held.documentElement().isNull(), !valid);
        QCOMPARE(DomParser(text).isValid(), valid);
    }

    void constructorsUseTheirOwnLoaders()
    {
        RecordingParser fromText(QStringLiteral("<root/>"));
        QVERIFY(fromText.isValid());
        QCOMPARE(fromText.overrideCalls, 0);

        QFile file(dataPath(QStringLiteral("minimal_empty.xml")));
        RecordingParser fromFile(&file);
        QVERIFY(fromFile.isValid());
        QCOMPARE(fromFile.overrideCalls, 0);

        RecordingParser fromNull(static_cast<QFile *>(nullptr));
        QVERIFY(!fromNull.isValid());
    }

    void emptyDocumentHasDocTypeDoc()
    {
        DomParser parser;
        QCOMPARE(parser.document().doctype().name(), QStringLiteral("doc"));
        QVERIFY(parser.findPath({QStringLiteral("root")}).isNull());
    }

    void documentIsShared()
    {
        DomParser parser(QStringLiteral("<root/>"));
        QDomDocument doc = parser.document();
        doc.documentElement().setAttribute(QStringLiteral("CURRENT"), QStringLiteral("set"));
        QCOMPARE(parser.attribute(parser.findPath({QStringLiteral("root")}), QStringLiteral("CURRENT")),
                 QStringLiteral("set"));
    }

    void saveIndentsFourBlanks()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString name = dir.filePath(QStringLiteral("saved.xml"));
        DomParser parser(QStringLiteral("<root><PrinterSettingsInfo><Copies TYPE=\"INTEGER\" CURRENT=\"1\"/>"
                                        "</PrinterSettingsInfo></root>"));
        parser.save(name);

        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(QStringLiteral("<root>")), qPrintable(lines.join('|')));
        QVERIFY(lines.contains(QStringLiteral("    <PrinterSettingsInfo>")));
        QVERIFY(lines.contains(QStringLiteral("    </PrinterSettingsInfo>")));
        bool copiesAtEight = false;
        for (const QString &line : lines)
            copiesAtEight |= line.startsWith(QStringLiteral("        <Copies "));
        QVERIFY(copiesAtEight);

        file.close();
        DomParser reread(&file);
        QVERIFY(reread.isValid());
        QCOMPARE(reread.attribute(
                     reread.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo/Copies"))),
                     QStringLiteral("CURRENT")),
                 QStringLiteral("1"));
    }

    void saveReplacesOlderLongerFile()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("saved.xml"));
        {
            QFile old(name);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(4096, 'x'));
        }
        DomParser(QStringLiteral("<root/>")).save(name);
        QFile file(name);
        DomParser reread(&file);
        QVERIFY(reread.isValid());
    }

    void splitPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("two names") << "root/PrinterSettingsInfo"
                                   << QStringList{"root", "PrinterSettingsInfo"};
        QTest::newRow("empty parts dropped") << "/root//Dependencies/" << QStringList{"root", "Dependencies"};
        QTest::newRow("single name") << "root" << QStringList{"root"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("slashes only") << "//" << QStringList{};
    }
    void splitPath()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, names);
        QCOMPARE(DomParser::splitPath(path), names);
    }

    void elementText_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<int>("indent");
        QTest::addColumn<QString>("expected");

        QTest::newRow("childless without attributes") << "<Id/>" << 1 << "<Id/>";
        QTest::newRow("childless with attribute: blank before slash")
            << "<Id CURRENT=\"5\"/>" << 1 << "<Id CURRENT=\"5\" />";
        QTest::newRow("attributes sorted by name")
            << "<Id TYPE=\"X\" CURRENT=\"1\" MAX=\"2\"/>" << 1 << "<Id CURRENT=\"1\" MAX=\"2\" TYPE=\"X\" />";
        QTest::newRow("one blank per level")
            << "<a><b><c x=\"1\"/></b><d/></a>" << 1 << "<a>\n <b>\n  <c x=\"1\" />\n </b>\n <d/>\n</a>";
        QTest::newRow("four blanks per level") << "<a><b/></a>" << 4 << "<a>\n    <b/>\n</a>";
        QTest::newRow("attribute escaping") << "<Id V=\"a&amp;b &lt;c&gt; &quot;d&quot; 'e' 100%\"/>" << 1
                                            << "<Id V=\"a&amp;b &lt;c> &quot;d&quot; 'e' 100%\" />";
        QTest::newRow("white space in attributes kept as references")
            << "<Id V=\"a&#xa;b&#x9;c\"/>" << 1 << "<Id V=\"a&#xa;b&#x9;c\" />";
        QTest::newRow("sole text child inline")
            << "<Name>Fax &amp; Scan &lt;1&gt;</Name>" << 1 << "<Name>Fax &amp; Scan &lt;1&gt;</Name>";
        QTest::newRow("non-Latin-1 passes unchanged")
            << "<Qualität STRING=\"Плотность 日本\"/>" << 1 << "<Qualität STRING=\"Плотность 日本\" />";
        QTest::newRow("comment inside")
            << "<a><!-- note --><b/></a>" << 1 << "<a>\n <!-- note -->\n <b/>\n</a>";
    }
    void elementText()
    {
        QFETCH(QString, xml);
        QFETCH(int, indent);
        QFETCH(QString, expected);

        DomParser parser(xml);
        QVERIFY(parser.isValid());
        QCOMPARE(DomParser::elementText(parser.document().documentElement(), indent), expected);
    }

    void elementTextRoundTrips()
    {
        const QString tricky = QStringLiteral("\"quoted\" & <tagged> 'single' 100% %s Größe ✓\tTab\nLine");
        DomParser source;
        QDomDocument doc = source.document();
        QDomElement book = doc.createElement(QStringLiteral("PhoneBook"));
        book.setAttribute(QStringLiteral("TYPE"), QStringLiteral("PHONEBOOK"));
        QDomElement entry = doc.createElement(QStringLiteral("Entry"));
        entry.setAttribute(QStringLiteral("NAME"), tricky);
        entry.setAttribute(QStringLiteral("EMPTY"), QString());
        book.appendChild(entry);
        doc.appendChild(book);

        DomParser reread(DomParser::elementText(book));
        QVERIFY(reread.isValid());
        const QDomNode back = reread.findPath(DomParser::splitPath(QStringLiteral("PhoneBook/Entry")));
        QCOMPARE(reread.attribute(back, QStringLiteral("NAME")), tricky);
        QVERIFY(reread.hasAttribute(back, QStringLiteral("EMPTY")));
        QVERIFY(DomParser::elementText(QDomElement()).isNull());
    }

    void dumpTreeGrowsPrefix_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("two blanks grow by one") << "  " << QStringList{"  root", "   a", "    b", "   c"};
        QTest::newRow("empty prefix stays empty") << "" << QStringList{"root", "a", "b", "c"};
        QTest::newRow("first character repeats") << "->" << QStringList{"->root", "->-a", "->--b", "->-c"};
    }
    void dumpTreeGrowsPrefix()
    {
        QFETCH(QString, prefix);
        QFETCH(QStringList, lines);

        DomParser parser(QStringLiteral("<root>text<a><b/></a><!--x--><c/></root>"));
        LogCapture log;
        parser.dumpTree(parser.document().documentElement(), prefix);
        QCOMPARE(log.lines(), lines);
    }

    void dumpElementsListsAttributes()
    {
        DomParser parser(QStringLiteral("<root><A TYPE=\"COMBOBOX\" STRING=\"50%s\"/><b><A/></b></root>"));
        LogCapture log;
        parser.dumpElements(QStringLiteral("A"));
        const QStringList lines = log.lines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0), QStringLiteral("-------------------- A: --------------------"));
        QVERIFY(lines.at(1).startsWith(QStringLiteral("name: A    value: \n    AttrName: ")));
        QVERIFY(lines.at(1).contains(QStringLiteral("\n    AttrName: TYPE    Value: COMBOBOX")));
        QVERIFY(lines.at(1).contains(QStringLiteral("\n    AttrName: STRING    Value: 50%s")));
        QCOMPARE(lines.at(2), QStringLiteral("name: A    value: "));
    }

    void dumpNodeShowsAttributesAndChildren()
    {
        DomParser parser(
            QStringLiteral("<root><Odd TYPE=\"WHATEVER\">hi<Kid CURRENT=\"5%d\"/></Odd></root>"));
        const QDomNode odd = parser.findPath(DomParser::splitPath(QStringLiteral("root/Odd")));
        LogCapture log;
        parser.dumpNode(odd);
        QCOMPARE(log.lines(),
                 (QStringList{
                     "<Odd>",
                     "    attribute: TYPE    value: WHATEVER    type: 2",
                     "  name: #text    value: hi    type: 3",
                     "  name: Kid    value:     type: 1\n    attribute: CURRENT    value: 5%d    type: 2",
                 }));

        log.clear();
        parser.dumpNode(QDomNode());
        QCOMPARE(log.lines(), QStringList{"<>"});
    }

    void dumpDocumentPrintsText()
    {
        DomParser parser(QStringLiteral("<root><PrinterSettingsInfo/></root>"));
        LogCapture log;
        parser.dumpDocument();
        QCOMPARE(log.rawLines().size(), 1);
        QVERIFY(log.rawLines().first().contains(QStringLiteral("<PrinterSettingsInfo/>")));
    }
};

QTEST_GUILESS_MAIN(TestDomParser)
#include "tst_domparser.moc"
