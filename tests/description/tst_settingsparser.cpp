// The description parser on its own: the category tree, the dependency
// records built from the document (with the built-in gateway rule and the
// extra file beside the program), the address-book texts, and what happens
// with bad or hostile input.
#include "common/logcapture.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/dependency.h"
#include "description/nodedesc.h"
#include "description/settingsparser.h"
#include "elements/refattribute.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(VELMORA_TEST_DATA "/") + name;
}

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

std::unique_ptr<SettingsParser> parsedFile(const QString &name)
{
    QFile file(dataPath(name));
    auto parser = std::make_unique<SettingsParser>(&file);
    (void)parser->parse();
    return parser;
}

QStringList dependencyIds(const SettingsParser &parser)
{
    QStringList ids;
    for (const auto &dependency : parser.dependencies())
        ids.append(dependency->id);
    return ids;
}

QStringList childIds(const NodeDesc *node)
{
    QStringList ids;
    for (const auto &child : node->children())
        ids.append(child->id());
    return ids;
}

// Categories nested n levels below PrinterSettingsInfo, innermost first.
QString nestedCategories(int n)
{
    QString text = QStringLiteral("<root><PrinterSettingsInfo>");
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("<Level STRING=\"IDS_LEVEL\">");
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("</Level>");
    return text + QStringLiteral("</PrinterSettingsInfo></root>");
}

int treeDepth(const NodeDesc *node)
{
    int depth = 0;
    while (!node->children().empty()) {
        node = node->children().front().get();
        ++depth;
    }
    return depth;
}

} // namespace

class TestSettingsParser : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void documentProblems_data();
    void documentProblems();
    void emptySettingsSection();
    void categoryTree();
    void unknownTypesVanishSilently();
    void wirelessSettingIgnored();

    void gatewayRuleAdded();
    void gatewayRuleNotDuplicated_data();
    void gatewayRuleNotDuplicated();
    void isAndSelfCheckedSpellings_data();
    void isAndSelfCheckedSpellings();
    void constraintParts();
    void attributeRecords_data();
    void attributeRecords();
    void missingSettingLeavesNullOwner();
    void extraDependenciesInReverseOrder();
    void extraDependenciesMissingOrBroken_data();
    void extraDependenciesMissingOrBroken();
    void saveAfterParse();

    void addressBooks_data();
    void addressBooks();
    void addressBooksWithoutDocument();
    void changeRequestsWithoutMatch();

    void deepCategoriesAreCut();
    void deepDocumentsAreRefused_data();
    void deepDocumentsAreRefused();
    void deepAddressBookNotPassedOn();

private:
    std::unique_ptr<QTemporaryDir> m_workDir;
    QString m_previousDir;
};

// Every test runs in an empty working directory: the parser reads
// "dependencies.xml" from there.
void TestSettingsParser::init()
{
    m_previousDir = QDir::currentPath();
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workDir->isValid());
    QVERIFY(QDir::setCurrent(m_workDir->path()));
}

void TestSettingsParser::cleanup()
{
    QDir::setCurrent(m_previousDir);
    m_workDir.reset();
}

void TestSettingsParser::documentProblems_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("logLine");
    QTest::addColumn<bool>("hasDependencies");

    QTest::newRow("not well-formed") << "not_well_formed.xml"
                                     << "SettingsParser is invalid" << false;
    // The rules are still read, so the built-in gateway rule is there.
    QTest::newRow("no PrinterSettingsInfo")
        << "missing_printer_settings.xml"
        << "SettingsParser::readPrinterSettings() can't go to root/PrinterSettingsInfo" << true;
}

void TestSettingsParser::documentProblems()
{
    QFETCH(QString, file);
    QFETCH(QString, logLine);
    QFETCH(bool, hasDependencies);

    LogCapture log;
    auto parser = parsedFile(file);
    QVERIFY(!parser->root());
    QVERIFY(log.contains(logLine));
    QCOMPARE(!parser->dependencies().empty(), hasDependencies);
    QVERIFY(!parser->findElement(QStringLiteral("Copies")));
    QCOMPARE(parser->getChanges(QStringLiteral("Copies")), QString(""));
    QVERIFY(parser->getChanges(QString()).isNull());
}

void TestSettingsParser::emptySettingsSection()
{
    auto parser = parsedFile(QStringLiteral("minimal_empty.xml"));
    QVERIFY(parser->root());
    QVERIFY(parser->root()->children().empty());
    QVERIFY(parser->root()->elements().empty());
    // The change generator's answer for nothing to send.
    QVERIFY(parser->getChanges(QString("")).isNull());
}

void TestSettingsParser::categoryTree()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    const NodeDesc *root = parser->root();
    QVERIFY(root);
    QCOMPARE(root->id(), QStringLiteral("PrinterSettingsInfo"));
    QCOMPARE(root->title(), QStringLiteral("IDS_DEVICE_SETTINGS"));
    QCOMPARE(childIds(root),
             QStringList({"Information", "Paper", "Layout", "Network", "Fax", "Maintenance"}));
    const NodeDesc *network = root->children().at(3).get();
    QCOMPARE(network->parent(), root);
    QCOMPARE(childIds(network), QStringList{"AccessControl"});
    QCOMPARE(network->children().front()->parent(), network);
    QCOMPARE(network->children().front()->desc(), QStringLiteral("IDS_ACCESS_CONTROL"));
}

void TestSettingsParser::unknownTypesVanishSilently()
{
    LogCapture log;
    auto parser = parsedFile(QStringLiteral("unknown_type_in_category.xml"));
    const NodeDesc *general = parser->root()->children().front().get();
    // TYPE "" and "MAINTENANCE" make categories; an empty STRING shows the id.
    QCOMPARE(childIds(general), QStringList({"EmptyTypeCategory", "Service"}));
    QCOMPARE(general->children().front()->string(), QString(""));
    QCOMPARE(general->children().front()->title(), QStringLiteral("EmptyTypeCategory"));
    QVERIFY(!log.contains(QStringLiteral("<Hologram>")));
    QVERIFY(!log.contains(QStringLiteral("<LowerCase>")));
}

void TestSettingsParser::wirelessSettingIgnored()
{
    LogCapture log;
    auto parser = parsedFile(QStringLiteral("wireless_setting_ignored.xml"));
    QCOMPARE(childIds(parser->root()), QStringList{"Network"});
    QVERIFY(parser->root()->children().front()->children().empty());
    QVERIFY(!log.contains(QStringLiteral("<SSID>")));
    QVERIFY(!log.contains(QStringLiteral("<Security>")));
    QVERIFY(!log.contains(QStringLiteral("<WirelessSetting>")));
}

void TestSettingsParser::gatewayRuleAdded()
{
    LogCapture log;
    auto parser = parsedFile(QStringLiteral("gateway_rule_builtin.xml"));
    QVERIFY(log.contains(QStringLiteral("need to create path!")));
    QCOMPARE(dependencyIds(*parser), QStringList{"Gateway"});

    const Dependency *gateway = parser->findDependency(QStringLiteral("Gateway"));
    QVERIFY(gateway);
    QCOMPARE(gateway->constraints.size(), size_t(1));
    const Constraint *rule = gateway->constraints.front().get();
    QCOMPARE(rule->kind, int(Constraint::GatewayValidity));
    QVERIFY(rule->selfChecked);
    QCOMPARE(rule->conditions.size(), size_t(1));
    const auto &nodes = rule->conditions.front()->nodes;
    QCOMPARE(nodes.size(), size_t(2));
    QCOMPARE(nodes.at(0)->id, QStringLiteral("SubnetMask"));
    QCOMPARE(nodes.at(1)->id, QStringLiteral("IPAddress"));
    QVERIFY(nodes.at(0)->value.isNull());
    QCOMPARE(nodes.at(0)->op, int(ConditionNode::Equal));
}

void TestSettingsParser::gatewayRuleNotDuplicated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("selfChecked");
    QTest::newRow("declared by the device") << "gateway_rule_existing.xml" << false;
    QTest::newRow("added by an earlier parse") << "gateway_rule_builtin.xml" << true;
}

void TestSettingsParser::gatewayRuleNotDuplicated()
{
    QFETCH(QString, file);
    QFETCH(bool, selfChecked);

    auto parser = parsedFile(file);
    QVERIFY(parser->parse());
    QCOMPARE(dependencyIds(*parser), QStringList{"Gateway"});
    QCOMPARE(parser->document().elementsByTagName(QStringLiteral("GatewayValidity")).count(), 1);
    const Dependency *gateway = parser->findDependency(QStringLiteral("Gateway"));
    QCOMPARE(gateway->constraints.size(), size_t(1));
    QCOMPARE(gateway->constraints.front()->selfChecked, selfChecked);
}

void TestSettingsParser::isAndSelfCheckedSpellings_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<int>("op");
    QTest::addColumn<bool>("selfChecked");
    QTest::addColumn<bool>("hasValue");

    QTest::newRow("EQUAL, false") << "IsEqual" << int(ConditionNode::Equal) << false << true;
    QTest::newRow("NOT, FALSE") << "IsNot" << int(ConditionNode::Not) << false << true;
    QTest::newRow("GREAT, False") << "IsGreat" << int(ConditionNode::Great) << false << true;
    QTest::newRow("GREATOREQUAL, fAlSe")
        << "IsGreatOrEqual" << int(ConditionNode::GreatOrEqual) << false << true;
    QTest::newRow("LESS, true") << "IsLess" << int(ConditionNode::Less) << true << true;
    QTest::newRow("LESSOREQUAL, empty") << "IsLessOrEqual" << int(ConditionNode::LessOrEqual) << true << true;
    QTest::newRow("IS empty, 0") << "IsEmpty" << int(ConditionNode::Equal) << true << true;
    QTest::newRow("IS absent, no") << "IsAbsent" << int(ConditionNode::Equal) << true << true;
    QTest::newRow("lower-case equal, absent") << "IsWrongCase" << int(ConditionNode::None) << true << true;
    QTest::newRow("unknown IS, padded false") << "IsUnknown" << int(ConditionNode::None) << true << true;
    QTest::newRow("no CURRENT") << "NoCurrent" << int(ConditionNode::Equal) << true << false;
}

void TestSettingsParser::isAndSelfCheckedSpellings()
{
    QFETCH(QString, owner);
    QFETCH(int, op);
    QFETCH(bool, selfChecked);
    QFETCH(bool, hasValue);

    auto parser = parsedFile(QStringLiteral("is_selfchecked_spellings.xml"));
    const Dependency *dependency = parser->findDependency(owner);
    QVERIFY(dependency);
    QCOMPARE(dependency->constraints.size(), size_t(1));
    const Constraint *rule = dependency->constraints.front().get();
    QCOMPARE(rule->kind, int(Constraint::Disable));
    QCOMPARE(rule->selfChecked, selfChecked);
    const ConditionNode *node = rule->conditions.front()->nodes.front().get();
    QCOMPARE(node->id, QStringLiteral("Level"));
    QCOMPARE(node->op, op);
    QCOMPARE(!node->value.isNull(), hasValue);
}

void TestSettingsParser::constraintParts()
{
    auto parser = parsedFile(QStringLiteral("constraint_kinds.xml"));
    QCOMPARE(dependencyIds(*parser),
             QStringList({"Media", "TopMargin", "Copies", "Staple", "Mode", "Missing", "Gateway"}));

    const Dependency *media = parser->findDependency(QStringLiteral("Media"));
    QCOMPARE(media->constraints.front()->kind, int(Constraint::Restrict));
    QCOMPARE(media->constraints.front()->values, QStringList({"Photo", "Plain"}));

    // Hide, Disable with an empty Condition, Disable with none, unknown tag.
    const Dependency *staple = parser->findDependency(QStringLiteral("Staple"));
    QCOMPARE(staple->constraints.size(), size_t(4));
    QCOMPARE(staple->constraints.at(0)->kind, int(Constraint::Hide));
    QCOMPARE(staple->constraints.at(1)->kind, int(Constraint::Disable));
    QCOMPARE(staple->constraints.at(1)->conditions.size(), size_t(1));
    QVERIFY(staple->constraints.at(1)->conditions.front()->nodes.empty());
    QVERIFY(staple->constraints.at(2)->conditions.empty());
    QCOMPARE(staple->constraints.at(3)->kind, int(Constraint::Other));

    const Dependency *copies = parser->findDependency(QStringLiteral("Copies"));
    const auto &nodes = copies->constraints.front()->conditions.front()->nodes;
    QCOMPARE(nodes.size(), size_t(2));
    QCOMPARE(nodes.at(1)->id, QStringLiteral("Media"));
    QCOMPARE(nodes.at(1)->value, QStringLiteral("Photo"));
    QCOMPARE(nodes.at(1)->op, int(ConditionNode::Not));

    const Dependency *topMargin = parser->findDependency(QStringLiteral("TopMargin"));
    QCOMPARE(topMargin->constraints.front()->conditions.size(), size_t(2));
    QVERIFY(!topMargin->constraints.front()->selfChecked);
}

void TestSettingsParser::attributeRecords_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("isRef");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("isReference");
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QStringList>("targetPath");

    QTest::newRow("reference, REF TRUE") << 0 << false << "MAX"
                                         << "PaperSize#current#MAXTOPMARGIN" << true
                                         << QStringList({"current", "MAXTOPMARGIN"}) << QStringList();
    QTest::newRow("literal, REF false") << 1 << false << "min"
                                        << "1" << false << QStringList() << QStringList();
    QTest::newRow("reference, REF True")
        << 2 << false << "step"
        << "Copies#current" << true << QStringList{"current"} << QStringList();
    QTest::newRow("ref to another setting")
        << 4 << true << "max"
        << "PaperSize#current#LINESPORTRAIT" << true << QStringList({"current", "LINESPORTRAIT"})
        << QStringList{"max"};
    QTest::newRow("ref name of three parts kept whole")
        << 5 << true << "Copies#min#extra"
        << "2" << false << QStringList() << QStringList({"min", "extra"});
    QTest::newRow("ref name without #") << 6 << true << "Copies"
                                        << "5" << false << QStringList() << QStringList();
}

void TestSettingsParser::attributeRecords()
{
    QFETCH(int, index);
    QFETCH(bool, isRef);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, isReference);
    QFETCH(QStringList, path);
    QFETCH(QStringList, targetPath);

    LogCapture log;
    auto parser = parsedFile(QStringLiteral("constraint_kinds.xml"));
    // Children lacking NAME or VALUE, or named otherwise, are dropped.
    const Constraint *rule = parser->findDependency(QStringLiteral("TopMargin"))->constraints.front().get();
    QCOMPARE(rule->attributes.size(), size_t(7));
    QCOMPARE(
        log.count(QStringLiteral("$$$$$$$$$$$$$ SettingsParser::createRefAttribute() $$$$$$$$$$$$$$$$$$$$")),
        3);

    const Attribute *change = rule->attributes.at(size_t(index)).get();
    const auto *reference = dynamic_cast<const RefAttribute *>(change);
    QCOMPARE(reference != nullptr, isRef);
    QCOMPARE(change->name, name);
    QCOMPARE(change->value, value);
    QCOMPARE(change->isReference, isReference);
    QCOMPARE(change->path, path);
    if (reference)
        QCOMPARE(reference->targetPath, targetPath);
}

void TestSettingsParser::missingSettingLeavesNullOwner()
{
    auto parser = parsedFile(QStringLiteral("constraint_kinds.xml"));
    const Dependency *missing = parser->findDependency(QStringLiteral("Missing"));
    QVERIFY(missing);
    QVERIFY(!missing->owner);
    const Constraint *rule = missing->constraints.front().get();
    QVERIFY(!rule->conditions.front()->nodes.front()->element);
    QVERIFY(!rule->evaluate(QString("")));
    QVERIFY(!parser->findDependency(QStringLiteral("Nowhere")));
}

void TestSettingsParser::extraDependenciesInReverseOrder()
{
    QVERIFY(QFile::copy(dataPath(QStringLiteral("extra_dependencies/dependencies.xml")),
                        QStringLiteral("dependencies.xml")));
    auto parser = parsedFile(QStringLiteral("extra_dependencies/extra_dependencies.xml"));
    QCOMPARE(dependencyIds(*parser), QStringList({"Copies", "Gateway", "PaperSize", "Duplex", "Binding"}));
    const Dependency *binding = parser->findDependency(QStringLiteral("Binding"));
    QCOMPARE(binding->constraints.front()->kind, int(Constraint::Enable));

    // Moved into the description itself, so a save carries them.
    const QDomNode deps = parser->findPath(DomParser::splitPath(QStringLiteral("root/Dependencies")));
    QCOMPARE(deps.lastChild().nodeName(), QStringLiteral("Binding"));
}

void TestSettingsParser::extraDependenciesMissingOrBroken_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("logsCannotOpen");
    QTest::newRow("missing") << QByteArray() << true;
    QTest::newRow("not well-formed") << QByteArray("<root><Dependencies><Copies></root>") << false;
    QTest::newRow("no Dependencies") << QByteArray("<root><Other><Copies><Hide/></Copies></Other></root>")
                                     << false;
}

void TestSettingsParser::extraDependenciesMissingOrBroken()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, logsCannotOpen);

    if (!content.isNull()) {
        QFile file(QStringLiteral("dependencies.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    LogCapture log;
    auto parser = parsedFile(QStringLiteral("duplicate_ids.xml"));
    QCOMPARE(dependencyIds(*parser), QStringList({"Toner", "Gateway"}));
    QCOMPARE(log.contains(QStringLiteral("Cannot open file: 'dependencies.xml'")), logsCannotOpen);
}

void TestSettingsParser::saveAfterParse()
{
    auto parser = parsedFile(QStringLiteral("gateway_rule_builtin.xml"));
    parser->save(QStringLiteral("saved.xml"));

    DomParser saved;
    QVERIFY(saved.setContent(readText(QStringLiteral("saved.xml"))));
    const QDomNode mask =
        saved.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo/Network/SubnetMask")));
    QCOMPARE(saved.attribute(mask, QStringLiteral("TYPE")), QStringLiteral("SUBNETMASK"));
    // Only elements named SubnetMask are renamed.
    const QDomNode address =
        saved.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo/Network/IPAddress")));
    QCOMPARE(saved.attribute(address, QStringLiteral("TYPE")), QStringLiteral("IPADDRESS"));

    const QDomNode condition = saved.findPath(
        DomParser::splitPath(QStringLiteral("root/Dependencies/Gateway/GatewayValidity/Condition")));
    QVERIFY(!condition.isNull());
    QCOMPARE(condition.firstChild().nodeName(), QStringLiteral("SubnetMask"));
    QCOMPARE(condition.lastChild().nodeName(), QStringLiteral("IPAddress"));
}

void TestSettingsParser::addressBooks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("golden");
    QTest::newRow("phone book") << "PHONEBOOK"
                                << "books/phonebook.txt";
    QTest::newRow("e-mail book") << "EMAILBOOK"
                                 << "books/emailbook.txt";
    QTest::newRow("address book") << "USERBASEDADDRESSBOOK"
                                  << "books/addressbook.txt";
}

void TestSettingsParser::addressBooks()
{
    QFETCH(QString, kind);
    QFETCH(QString, golden);

    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    QString text;
    if (kind == QLatin1String("PHONEBOOK"))
        text = parser->readPhoneBook();
    else if (kind == QLatin1String("EMAILBOOK"))
        text = parser->readEmailBook();
    else
        text = parser->readAddressBook();
    const QString expected = readText(dataPath(golden));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(text, expected);

    // A description without that kind of book gives nothing to pass on.
    auto bookless = parsedFile(QStringLiteral("duplicate_ids.xml"));
    QVERIFY(bookless->readPhoneBook().isNull());
    QVERIFY(bookless->readEmailBook().isNull());
    QVERIFY(bookless->readAddressBook().isNull());
}

void TestSettingsParser::addressBooksWithoutDocument()
{
    LogCapture log;
    auto broken = parsedFile(QStringLiteral("not_well_formed.xml"));
    QVERIFY(broken->readPhoneBook().isNull());
    auto sectionless = parsedFile(QStringLiteral("missing_printer_settings.xml"));
    log.clear();
    QVERIFY(sectionless->readAddressBook().isNull());
    QVERIFY(log.contains(
        QStringLiteral("SettingsParser::readPrinterSettings() can't go to root/PrinterSettingsInfo")));
}

void TestSettingsParser::changeRequestsWithoutMatch()
{
    auto parser = parsedFile(QStringLiteral("sample_mfp.xml"));
    const QString unknown = parser->getChanges(QStringLiteral("NoSuchSetting"));
    QVERIFY(!unknown.isNull());
    QVERIFY(unknown.isEmpty());
    const QString noButton = parser->getButton(nullptr);
    QVERIFY(!noButton.isNull());
    QVERIFY(noButton.isEmpty());
}

void TestSettingsParser::deepCategoriesAreCut()
{
    LogCapture log;
    SettingsParser parser(nestedCategories(1000));
    QVERIFY(parser.isValid());
    QVERIFY(parser.parse());
    QCOMPARE(treeDepth(parser.root()), SettingsParser::MaxNestingDepth);
    QVERIFY(log.contains(QStringLiteral("lies 256 levels deep; what it holds is left out")));
    QCOMPARE(log.count(QStringLiteral("levels deep; what it holds is left out")), 1);
    QVERIFY(parser.getChanges(QString()).isNull());
}

void TestSettingsParser::deepDocumentsAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");

    const int deep = 100000;
    QTest::newRow("100000 levels") << nestedCategories(deep) << true;
    QTest::newRow("just above the limit") << nestedCategories(SettingsParser::MaxDocumentDepth - 1) << true;
    QTest::newRow("at the limit") << nestedCategories(SettingsParser::MaxDocumentDepth - 2) << false;

    // Markup-like text that is not markup does not count.
    QString inert = QStringLiteral("<root><PrinterSettingsInfo><![CDATA[");
    inert += QString(QStringLiteral("<a>")).repeated(deep);
    inert +=
        QStringLiteral("]]><!--") + QString(QStringLiteral("<b>")).repeated(deep) + QStringLiteral("-->");
    inert += QString(QStringLiteral("<c STRING='/>'/>")).repeated(deep);
    inert += QStringLiteral("<d STRING=\"&gt;\"/></PrinterSettingsInfo></root>");
    QTest::newRow("deep only in CDATA, comments, empty tags") << inert << false;
}

void TestSettingsParser::deepDocumentsAreRefused()
{
    QFETCH(QString, text);
    QFETCH(bool, refused);

    LogCapture log;
    QElapsedTimer timer;
    timer.start();
    SettingsParser parser;
    QCOMPARE(parser.setContent(text), !refused);
    QCOMPARE(parser.isValid(), !refused);
    QCOMPARE(log.contains(QStringLiteral("levels and is not read")), refused);
    QCOMPARE(parser.parse(), !refused);
    // The DOM never sees a refused text, so this is quick.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));

    // The file loader applies the same rule.
    QFile file(QStringLiteral("deep.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    SettingsParser fromFile(&file);
    QCOMPARE(fromFile.isValid(), !refused);
}

void TestSettingsParser::deepAddressBookNotPassedOn()
{
    QString text = QStringLiteral("<root><PrinterSettingsInfo><Fax><Book TYPE=\"PHONEBOOK\">");
    text +=
        QString(QStringLiteral("<Entry>")).repeated(300) + QString(QStringLiteral("</Entry>")).repeated(300);
    text += QStringLiteral("</Book></Fax></PrinterSettingsInfo></root>");
    LogCapture log;
    SettingsParser parser(text);
    QVERIFY(parser.parse());
    QVERIFY(parser.readPhoneBook().isNull());
    QVERIFY(log.contains(QStringLiteral("<Book> nests deeper than 256 levels and is not passed on")));
}

QTEST_MAIN(TestSettingsParser)
#include "tst_settingsparser.moc"
