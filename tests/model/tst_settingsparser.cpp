// The description parser on its own: the category tree, the dependency
// records (with the built-in gateway rule and the extra file beside the
// program), the address-book texts, and bad or hostile input.
#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "model/condition.h"
#include "model/conditionnode.h"
#include "model/constraint.h"
#include "model/dependency.h"
#include "model/element.h"
#include "model/elementtype.h"
#include "model/nodedesc.h"
#include "model/refattribute.h"

#include <QScopeGuard>

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
    ScratchDir m_dir;

private slots:
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
            QVERIFY(!parser->root() && !parser->findElement("Copies"));
            QVERIFY(parser->getChanges(QString()).isNull());
        }
    }

    // The realistic sample is the demo device: its whole tree, every setting built.
    void categoryTree()
    {
        LogCapture log;
        auto parser = parsedFile("sample_mfp.xml");
        QCOMPARE(childIds(parser->root()),
                 QStringList({"Information", "Paper", "Layout", "Network", "Fax", "Maintenance"}));
        QCOMPARE(childIds(parser->root()->children().at(3).get()), QStringList{"AccessControl"});
        QVERIFY(!log.contains("!!! The following element has been skipped: !!!"));
        // SubnetMask was described as an address and is built as a mask.
        QCOMPARE(parser->findElement("SubnetMask")->type(), int(stSubnetMask));
        // Wireless settings are left out.
        QVERIFY(parsedFile("wireless_setting_ignored.xml")->root()->children().front()->children().empty());
    }

    void gatewayRule_data()
    {
        addColumns<QString, bool>({"file", "selfChecked"});
        addRow("added", "gateway_rule_builtin.xml", true);
        addRow("declared by the device", "gateway_rule_existing.xml", false);
    }
    void gatewayRule()
    {
        QFETCH(QString, file);
        QFETCH(bool, selfChecked);

        auto parser = parsedFile(file);
        // A second parse finds the rule added by the first and adds none.
        QVERIFY(parser->parse());
        QCOMPARE(parser->findDependency("Gateway")->constraints.size(), size_t(1));
        const Constraint *rule = firstRule(*parser, "Gateway");
        QCOMPARE(rule->selfChecked, selfChecked);
        const auto &nodes = rule->conditions.front()->nodes;
        QCOMPARE(nodes.at(0)->id + "," + nodes.at(1)->id, QString("SubnetMask,IPAddress"));
    }

    void isAndSelfCheckedSpellings_data()
    {
        addColumns<QString, int, bool, bool>({"owner", "op", "selfChecked", "hasValue"});
        addRow("GREATOREQUAL, fAlSe", "IsGreatOrEqual", int(ConditionNode::GreatOrEqual), false, true);
        addRow("IS empty, SELFCHECKED 0", "IsEmpty", int(ConditionNode::Equal), true, true);
        addRow("no CURRENT", "NoCurrent", int(ConditionNode::Equal), true, false);
    }
    void isAndSelfCheckedSpellings()
    {
        QFETCH(QString, owner);
        QFETCH(int, op);
        QFETCH(bool, selfChecked);

        auto parser = parsedFile("is_selfchecked_spellings.xml");
        const Constraint *rule = firstRule(*parser, owner);
        QVERIFY(rule);
        QCOMPARE(rule->selfChecked, selfChecked);
        const ConditionNode *node = rule->conditions.front()->nodes.front().get();
        QCOMPARE(node->op, op);
        QTEST(!node->value.isNull(), "hasValue");
    }

    void constraintParts()
    {
        auto parser = parsedFile("constraint_kinds.xml");
        QCOMPARE(dependencyIds(*parser),
                 QStringList({"Media", "TopMargin", "Copies", "Staple", "Mode", "Missing", "Gateway"}));
        QCOMPARE(firstRule(*parser, "Media")->values, QStringList({"Photo", "Plain"}));
        // Hide, Disable with an empty Condition, Disable with none, unknown tag.
        const auto &staple = parser->findDependency("Staple")->constraints;
        QCOMPARE(staple.at(0)->kind, int(Constraint::Hide));
        QCOMPARE(staple.at(3)->kind, int(Constraint::Other));
        // A rule for a setting that does not exist is kept, but never holds.
        const Dependency *missing = parser->findDependency("Missing");
        QVERIFY(missing && !missing->owner);
        QVERIFY(!missing->constraints.front()->evaluate(QString("")));

        // Attribute children lacking NAME or VALUE, or named otherwise, are dropped.
        const auto &attributes = firstRule(*parser, "TopMargin")->attributes;
        QCOMPARE(attributes.size(), size_t(7));
        QCOMPARE(attributes.at(0)->path, QStringList({"current", "MAXTOPMARGIN"}));
        const auto *reference = dynamic_cast<const RefAttribute *>(attributes.at(4).get());
        QVERIFY(reference && reference->targetPath == QStringList{"max"});
    }

    void extraDependencies_data()
    {
        addColumns<QByteArray, QStringList>({"content", "ids"});
        addRow("appended in reverse order",
               readText(dataPath("extra_dependencies/dependencies.xml")).toUtf8(),
               QStringList({"Copies", "Gateway", "PaperSize", "Duplex", "Binding"}));
        addRow("not well-formed", QByteArray("<root><Dependencies><Copies></root>"),
               QStringList({"Copies", "Gateway"}));
    }
    void extraDependencies()
    {
        QFETCH(QByteArray, content);

        const auto removeAfter = qScopeGuard([] { QFile::remove("dependencies.xml"); });
        QFile file("dependencies.xml");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        auto parser = parsedFile("extra_dependencies/extra_dependencies.xml");
        QTEST(dependencyIds(*parser), "ids");
    }

    void addressBooks()
    {
        auto parser = parsedFile("sample_mfp.xml");
        QCOMPARE(parser->readPhoneBook(), readText(dataPath("books/phonebook.txt")));
        QCOMPARE(parser->readEmailBook(), readText(dataPath("books/emailbook.txt")));
        QCOMPARE(parser->readAddressBook(), readText(dataPath("books/addressbook.txt")));
        QVERIFY(parsedFile("duplicate_ids.xml")->readEmailBook().isNull());
        // Unknown ids give "", not the null of "nothing changed".
        QVERIFY(!parser->getChanges("NoSuchSetting").isNull());
        QCOMPARE(parser->getChanges("NoSuchSetting"), QString(""));
        // A book nested deeper than the trees are built is not passed on.
        SettingsParser deep("<root><PrinterSettingsInfo><Fax><Book TYPE=\"PHONEBOOK\">" +
                            QString("<E>").repeated(300) + QString("</E>").repeated(300) +
                            "</Book></Fax></PrinterSettingsInfo></root>");
        QVERIFY(deep.parse());
        QVERIFY(deep.readPhoneBook().isNull());
    }

    // Nesting is bounded twice: documents deeper than the DOM may safely read
    // are refused before it sees them, and shallower ones are cut when built.
    void deepDocuments_data()
    {
        addColumns<QString, bool, int>({"text", "refused", "levels"});
        addRow("100000 levels", nestedCategories(100000), true, 0);
        addRow("just above the limit", nestedCategories(SettingsParser::MaxDocumentDepth - 1), true, 0);
        addRow("at the limit", nestedCategories(SettingsParser::MaxDocumentDepth - 2), false,
               SettingsParser::MaxNestingDepth);
        // Markup-like text that is not markup does not count.
        addRow("deep only in CDATA, comments, empty tags",
               "<root><PrinterSettingsInfo><![CDATA[" + QString("<a>").repeated(100000) + "]]><!--" +
                   QString("<b>").repeated(100000) + "-->" + QString("<c STRING='/>'/>").repeated(100000) +
                   "<d STRING=\"&gt;\"/></PrinterSettingsInfo></root>",
               false, 1);
    }
    void deepDocuments()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QFETCH(int, levels);

        LogCapture log;
        SettingsParser parser;
        QCOMPARE(parser.setContent(text), !refused);
        QCOMPARE(parser.parse(), !refused);
        QFile file("deep.xml"); // the file loader applies the same rule
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
        file.close();
        QCOMPARE(SettingsParser(&file).isValid(), !refused);
        int depth = 0;
        for (const NodeDesc *node = parser.root(); node && !node->children().empty(); ++depth)
            node = node->children().front().get();
        QCOMPARE(depth, levels);
        QCOMPARE(log.count("levels deep; what it holds is left out"), int(levels > 1));
    }
};

QTEST_MAIN(TestSettingsParser)
#include "tst_settingsparser.moc"
