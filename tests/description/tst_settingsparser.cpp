// The description parser on its own: the category tree, the dependency
// records (with the built-in gateway rule and the extra file beside the
// program), the address-book texts, and bad or hostile input.
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/dependency.h"
#include "description/nodedesc.h"
#include "elements/refattribute.h"

#include <QElapsedTimer>
#include <QTest>

#include <optional>

namespace {

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

// Categories nested n levels below PrinterSettingsInfo.
QString nestedCategories(int n)
{
    return "<root><PrinterSettingsInfo>" + QString("<L STRING=\"IDS_L\">").repeated(n) +
           QString("</L>").repeated(n) + "</PrinterSettingsInfo></root>";
}

const Constraint *firstRule(const SettingsParser &parser, const QString &owner)
{
    const Dependency *dependency = parser.findDependency(owner);
    return dependency && !dependency->constraints.empty() ? dependency->constraints.front().get() : nullptr;
}

} // namespace

class TestSettingsParser : public QObject
{
    Q_OBJECT
    std::optional<ScratchDir> m_dir;

private slots:
    void init() { m_dir.emplace(); }
    void cleanup() { m_dir.reset(); }

    void documentProblems()
    {
        LogCapture log;
        auto broken = parsedFile("not_well_formed.xml");
        QVERIFY(log.contains("SettingsParser is invalid"));
        QVERIFY(broken->dependencies().empty());
        auto sectionless = parsedFile("missing_printer_settings.xml");
        QVERIFY(log.contains("SettingsParser::readPrinterSettings() can't go to root/PrinterSettingsInfo"));
        // The rules are still read, so the built-in gateway rule is there.
        QVERIFY(!sectionless->dependencies().empty());
        for (SettingsParser *parser : {broken.get(), sectionless.get()}) {
            QVERIFY(!parser->root());
            QVERIFY(!parser->findElement("Copies"));
            QCOMPARE(parser->getChanges("Copies"), QString(""));
            QVERIFY(parser->getChanges(QString()).isNull());
            QVERIFY(parser->readPhoneBook().isNull());
        }
    }

    void categoryTree()
    {
        auto parser = parsedFile("sample_mfp.xml");
        const NodeDesc *root = parser->root();
        QCOMPARE(root->title(), QString("IDS_DEVICE_SETTINGS"));
        QCOMPARE(childIds(root),
                 QStringList({"Information", "Paper", "Layout", "Network", "Fax", "Maintenance"}));
        const NodeDesc *network = root->children().at(3).get();
        QCOMPARE(childIds(network), QStringList{"AccessControl"});
        QCOMPARE(network->children().front()->parent(), network);

        auto empty = parsedFile("minimal_empty.xml");
        QVERIFY(empty->root() && empty->root()->children().empty() && empty->root()->elements().empty());
        QVERIFY(empty->getChanges(QString("")).isNull());
    }

    void silentlyLeftOut()
    {
        LogCapture log;
        auto parser = parsedFile("unknown_type_in_category.xml");
        const NodeDesc *general = parser->root()->children().front().get();
        // TYPE "" and "MAINTENANCE" make categories; an empty STRING shows the id.
        QCOMPARE(childIds(general), QStringList({"EmptyTypeCategory", "Service"}));
        QCOMPARE(general->children().front()->string(), QString(""));
        QCOMPARE(general->children().front()->title(), QString("EmptyTypeCategory"));

        auto wireless = parsedFile("wireless_setting_ignored.xml");
        QCOMPARE(childIds(wireless->root()), QStringList{"Network"});
        QVERIFY(wireless->root()->children().front()->children().empty());
        for (const char *tag : {"<Hologram>", "<LowerCase>", "<SSID>", "<WirelessSetting>"})
            QVERIFY2(!log.contains(tag), tag);
    }

    void gatewayRule_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("selfChecked");
        QTest::newRow("added") << "gateway_rule_builtin.xml" << true;
        QTest::newRow("declared by the device") << "gateway_rule_existing.xml" << false;
    }
    void gatewayRule()
    {
        QFETCH(QString, file);
        QFETCH(bool, selfChecked);

        LogCapture log;
        auto parser = parsedFile(file);
        QCOMPARE(log.contains("need to create path!"), selfChecked);
        // A second parse finds the rule added by the first and adds none.
        QVERIFY(parser->parse());
        QCOMPARE(dependencyIds(*parser), QStringList{"Gateway"});
        QCOMPARE(parser->document().elementsByTagName("GatewayValidity").count(), 1);
        QCOMPARE(parser->findDependency("Gateway")->constraints.size(), size_t(1));
        const Constraint *rule = firstRule(*parser, "Gateway");
        QCOMPARE(rule->kind, int(Constraint::GatewayValidity));
        QCOMPARE(rule->selfChecked, selfChecked);
        const auto &nodes = rule->conditions.front()->nodes;
        QCOMPARE(nodes.size(), size_t(2));
        QCOMPARE(nodes.at(0)->id, QString("SubnetMask"));
        QCOMPARE(nodes.at(1)->id, QString("IPAddress"));
        QVERIFY(nodes.at(0)->value.isNull());
    }

    void isAndSelfCheckedSpellings_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<int>("op");
        QTest::addColumn<bool>("selfChecked");
        QTest::addColumn<bool>("hasValue");
        const auto row = [](const char *name, const char *owner, int op, bool selfChecked, bool hasValue) {
            QTest::newRow(name) << QString(owner) << op << selfChecked << hasValue;
        };
        row("IS GREATOREQUAL, SELFCHECKED fAlSe", "IsGreatOrEqual", ConditionNode::GreatOrEqual, false, true);
        row("IS LESSOREQUAL, SELFCHECKED empty", "IsLessOrEqual", ConditionNode::LessOrEqual, true, true);
        row("IS empty, SELFCHECKED 0", "IsEmpty", ConditionNode::Equal, true, true);
        row("IS absent, SELFCHECKED no", "IsAbsent", ConditionNode::Equal, true, true);
        row("IS lower-case equal", "IsWrongCase", ConditionNode::None, true, true);
        row("IS unknown, SELFCHECKED padded false", "IsUnknown", ConditionNode::None, true, true);
        row("no CURRENT", "NoCurrent", ConditionNode::Equal, true, false);
    }
    void isAndSelfCheckedSpellings()
    {
        QFETCH(QString, owner);
        QFETCH(int, op);
        QFETCH(bool, selfChecked);
        QFETCH(bool, hasValue);

        auto parser = parsedFile("is_selfchecked_spellings.xml");
        const Constraint *rule = firstRule(*parser, owner);
        QVERIFY(rule);
        QCOMPARE(rule->selfChecked, selfChecked);
        const ConditionNode *node = rule->conditions.front()->nodes.front().get();
        QCOMPARE(node->id, QString("Level"));
        QCOMPARE(node->op, op);
        QCOMPARE(!node->value.isNull(), hasValue);
    }

    void constraintParts()
    {
        auto parser = parsedFile("constraint_kinds.xml");
        QCOMPARE(dependencyIds(*parser),
                 QStringList({"Media", "TopMargin", "Copies", "Staple", "Mode", "Missing", "Gateway"}));
        QCOMPARE(firstRule(*parser, "Media")->kind, int(Constraint::Restrict));
        QCOMPARE(firstRule(*parser, "Media")->values, QStringList({"Photo", "Plain"}));
        QCOMPARE(firstRule(*parser, "TopMargin")->conditions.size(), size_t(2));

        // Hide, Disable with an empty Condition, Disable with none, unknown tag.
        const auto &staple = parser->findDependency("Staple")->constraints;
        QCOMPARE(staple.size(), size_t(4));
        QCOMPARE(staple.at(0)->kind, int(Constraint::Hide));
        QVERIFY(staple.at(1)->conditions.front()->nodes.empty());
        QVERIFY(staple.at(2)->conditions.empty());
        QCOMPARE(staple.at(3)->kind, int(Constraint::Other));
        QCOMPARE(Constraint::kindFromTag("hide"), int(Constraint::Other));

        const auto &nodes = firstRule(*parser, "Copies")->conditions.front()->nodes;
        QCOMPARE(nodes.size(), size_t(2));
        QCOMPARE(nodes.at(1)->value, QString("Photo"));
        QCOMPARE(nodes.at(1)->op, int(ConditionNode::Not));

        // A rule for a setting that does not exist is kept, but never holds.
        const Dependency *missing = parser->findDependency("Missing");
        QVERIFY(missing && !missing->owner);
        QVERIFY(!missing->constraints.front()->conditions.front()->nodes.front()->element);
        QVERIFY(!missing->constraints.front()->evaluate(QString("")));
        QVERIFY(!parser->findDependency("Nowhere"));
    }

    void attributeRecords_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QStringList>("targetPath"); // empty for a plain Attribute
        const auto row = [](const char *name, int index, const char *attribute, const char *value,
                            const QStringList &path, const QStringList &target) {
            QTest::newRow(name) << index << QString(attribute) << QString(value) << path << target;
        };
        row("reference, REF TRUE", 0, "MAX", "PaperSize#current#MAXTOPMARGIN", {"current", "MAXTOPMARGIN"},
            {});
        row("literal, REF false", 1, "min", "1", {}, {});
        row("reference, REF True", 2, "step", "Copies#current", {"current"}, {});
        row("ref to another setting", 4, "max", "PaperSize#current#LINESPORTRAIT",
            {"current", "LINESPORTRAIT"}, {"max"});
        row("ref name of three parts kept whole", 5, "Copies#min#extra", "2", {}, {"min", "extra"});
    }
    void attributeRecords()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QStringList, path);
        QFETCH(QStringList, targetPath);

        LogCapture log;
        auto parser = parsedFile("constraint_kinds.xml");
        // Children lacking NAME or VALUE, or named otherwise, are dropped.
        const Constraint *rule = firstRule(*parser, "TopMargin");
        QCOMPARE(rule->attributes.size(), size_t(7));
        QCOMPARE(log.count("$$$$$$$$$$$$$ SettingsParser::createRefAttribute() $$$$$$$$$$$$$$$$$$$$"), 3);

        const Attribute *change = rule->attributes.at(size_t(index)).get();
        const auto *reference = dynamic_cast<const RefAttribute *>(change);
        QCOMPARE(reference != nullptr, !targetPath.isEmpty());
        QCOMPARE(change->name, name);
        QCOMPARE(change->value, value);
        QCOMPARE(change->isReference, !path.isEmpty());
        QCOMPARE(change->path, path);
        if (reference)
            QCOMPARE(reference->targetPath, targetPath);
    }

    void extraDependencies_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<bool>("logsCannotOpen");

        const QByteArray extra = readText(dataPath("extra_dependencies/dependencies.xml")).toUtf8();
        QTest::newRow("appended in reverse order")
            << extra << QStringList({"Copies", "Gateway", "PaperSize", "Duplex", "Binding"}) << false;
        QTest::newRow("missing") << QByteArray() << QStringList({"Copies", "Gateway"}) << true;
        QTest::newRow("not well-formed") << QByteArray("<root><Dependencies><Copies></root>")
                                         << QStringList({"Copies", "Gateway"}) << false;
    }
    void extraDependencies()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, ids);
        QFETCH(bool, logsCannotOpen);

        QFile file("dependencies.xml");
        QVERIFY(content.isNull() ||
                (file.open(QIODevice::WriteOnly) && file.write(content) == content.size()));
        file.close();
        LogCapture log;
        auto parser = parsedFile("extra_dependencies/extra_dependencies.xml");
        QCOMPARE(dependencyIds(*parser), ids);
        QCOMPARE(log.contains("Cannot open file: 'dependencies.xml'"), logsCannotOpen);
        // Moved into the description itself, so a save carries them.
        QCOMPARE(parser->findPath({"root", "Dependencies"}).lastChild().nodeName(), ids.last());
    }

    void saveAfterParse()
    {
        auto parser = parsedFile("gateway_rule_builtin.xml");
        parser->save("saved.xml");
        DomParser saved(readText("saved.xml"));
        const auto at = [&saved](const char *path) {
            return saved.findPath(DomParser::splitPath(path));
        };
        // Only elements named SubnetMask are renamed.
        QCOMPARE(saved.attribute(at("root/PrinterSettingsInfo/Network/SubnetMask"), "TYPE"),
                 QString("SUBNETMASK"));
        QCOMPARE(saved.attribute(at("root/PrinterSettingsInfo/Network/IPAddress"), "TYPE"),
                 QString("IPADDRESS"));
        const QDomNode condition = at("root/Dependencies/Gateway/GatewayValidity/Condition");
        QCOMPARE(condition.firstChild().nodeName(), QString("SubnetMask"));
        QCOMPARE(condition.lastChild().nodeName(), QString("IPAddress"));
    }

    void addressBooks()
    {
        auto parser = parsedFile("sample_mfp.xml");
        QCOMPARE(parser->readPhoneBook(), readText(dataPath("books/phonebook.txt")));
        QCOMPARE(parser->readEmailBook(), readText(dataPath("books/emailbook.txt")));
        QCOMPARE(parser->readAddressBook(), readText(dataPath("books/addressbook.txt")));
        QVERIFY(!parser->readAddressBook().isEmpty());
        QVERIFY(parsedFile("duplicate_ids.xml")->readEmailBook().isNull());

        // Unknown ids and a null button give "", not the null of "nothing changed".
        QVERIFY(!parser->getChanges("NoSuchSetting").isNull());
        QCOMPARE(parser->getChanges("NoSuchSetting"), QString(""));
        QVERIFY(!parser->getButton(nullptr).isNull());
        QCOMPARE(parser->getButton(nullptr), QString(""));
    }

    void deepCategoriesAreCut()
    {
        LogCapture log;
        SettingsParser parser(nestedCategories(1000));
        QVERIFY(parser.parse());
        int depth = 0;
        for (const NodeDesc *node = parser.root(); !node->children().empty(); ++depth)
            node = node->children().front().get();
        QCOMPARE(depth, SettingsParser::MaxNestingDepth);
        QVERIFY(log.contains("lies 256 levels deep; what it holds is left out"));
        QCOMPARE(log.count("levels deep; what it holds is left out"), 1);
    }

    void deepDocumentsAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");

        const int deep = 100000;
        QTest::newRow("100000 levels") << nestedCategories(deep) << true;
        QTest::newRow("just above the limit")
            << nestedCategories(SettingsParser::MaxDocumentDepth - 1) << true;
        QTest::newRow("at the limit") << nestedCategories(SettingsParser::MaxDocumentDepth - 2) << false;
        // Markup-like text that is not markup does not count.
        QTest::newRow("deep only in CDATA, comments, empty tags")
            << "<root><PrinterSettingsInfo><![CDATA[" + QString("<a>").repeated(deep) + "]]><!--" +
                   QString("<b>").repeated(deep) + "-->" + QString("<c STRING='/>'/>").repeated(deep) +
                   "<d STRING=\"&gt;\"/></PrinterSettingsInfo></root>"
            << false;
    }
    void deepDocumentsAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);

        LogCapture log;
        QElapsedTimer timer;
        timer.start();
        SettingsParser parser;
        QCOMPARE(parser.setContent(text), !refused);
        QCOMPARE(log.contains("levels and is not read"), refused);
        QCOMPARE(parser.parse(), !refused);
        // The DOM never sees a refused text, so this is quick.
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));

        // The file loader applies the same rule.
        QFile file("deep.xml");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();
        QCOMPARE(SettingsParser(&file).isValid(), !refused);
    }

    void deepAddressBookNotPassedOn()
    {
        LogCapture log;
        SettingsParser parser("<root><PrinterSettingsInfo><Fax><Book TYPE=\"PHONEBOOK\">" +
                              QString("<E>").repeated(300) + QString("</E>").repeated(300) +
                              "</Book></Fax></PrinterSettingsInfo></root>");
        QVERIFY(parser.parse());
        QVERIFY(parser.readPhoneBook().isNull());
        QVERIFY(log.contains("<Book> nests deeper than 256 levels and is not passed on"));
    }
};

QTEST_MAIN(TestSettingsParser)
#include "tst_settingsparser.moc"
