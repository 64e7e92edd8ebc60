// The rule records on their own: operators compare text by character code,
// conditions are ORed and their nodes ANDed, and the gateway subnet test.
#include "common/testelements.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/gatewayvalidityconstraint.h"

#include <QTest>

#include <memory>

namespace {

std::unique_ptr<ConditionNode> node(IElement *element, const QString &value, int op = ConditionNode::Equal)
{
    return std::make_unique<ConditionNode>(element ? element->id() : QString("Missing"), value, element, op);
}

std::unique_ptr<Condition> conditionOf(std::unique_ptr<ConditionNode> first,
                                       std::unique_ptr<ConditionNode> second = nullptr)
{
    auto condition = std::make_unique<Condition>();
    condition->addNode(std::move(first));
    if (second)
        condition->addNode(std::move(second));
    return condition;
}

} // namespace

class TestConstraints : public QObject
{
    Q_OBJECT

private slots:
    void operators_data()
    {
        QTest::addColumn<QString>("isValue");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("holds");
        const auto row = [](const char *name, const QString &is, int op, const char *current,
                            const char *value, bool holds) {
            QTest::newRow(name) << is << op << QString(current) << QString(value) << holds;
        };
        row("no IS means equal", QString(), 1, "A4", "A4", true);
        row("empty IS means equal", "", 1, "on", "on", true);
        row("EQUAL is case-sensitive on values", "EQUAL", 1, "On", "on", false);
        row("NOT, same", "NOT", 2, "on", "on", false);
        row("GREAT compares text: 9 > 10", "GREAT", 3, "9", "10", true);
        row("GREAT, equal fails", "GREAT", 3, "5", "5", false);
        row("GREATOREQUAL, equal", "GREATOREQUAL", 4, "5", "5", true);
        row("LESS compares text: 10 < 9", "LESS", 5, "10", "9", true);
        row("LESSOREQUAL, greater", "LESSOREQUAL", 6, "b", "a", false);
        row("lower-case keyword is unknown", "equal", 0, "on", "on", false);
    }
    void operators()
    {
        QFETCH(QString, isValue);
        QFETCH(int, op);
        QFETCH(QString, current);
        QFETCH(QString, value);
        QFETCH(bool, holds);

        QCOMPARE(ConditionNode::operatorFromKeyword(isValue, !isValue.isNull()), op);
        TestValueElement setting("Setting", current);
        QCOMPARE(ConditionNode("Setting", value, &setting, op).evaluate(), holds);
    }

    void nodeWithoutCurrent()
    {
        TestValueElement value("Copies", "");
        Element button("BUTTON", nullptr, nullptr);
        button.setId("Reset");
        // Without a value to compare only a value setting holds; the operator plays no part.
        QVERIFY(ConditionNode("Copies", QString(), &value, ConditionNode::None).evaluate());
        QVERIFY(!ConditionNode("Reset", QString(), &button, ConditionNode::Equal).evaluate());
        QVERIFY(!ConditionNode("Gone", QString(), nullptr, ConditionNode::Equal).evaluate());
        // A present but empty CURRENT is compared like any other text.
        QVERIFY(ConditionNode("Copies", QString(""), &value, ConditionNode::Equal).evaluate());
        QVERIFY(!ConditionNode("Reset", QString(""), &button, ConditionNode::Not).evaluate());
    }

    void conditionsAreOredNodesAnded()
    {
        TestValueElement mode("Mode", "on");
        TestValueElement media("Media", "plain");
        Constraint rule(Constraint::Disable);
        QVERIFY(!rule.evaluate(QString("anything")));
        rule.addCondition(std::make_unique<Condition>()); // an empty condition never holds
        rule.addCondition(conditionOf(node(&mode, "on"), node(&media, "glossy")));
        QVERIFY(!rule.evaluate(QString()));

        rule.addCondition(conditionOf(node(&media, "plain")));
        QVERIFY(rule.evaluate(QString()));
        media.setCurrent("glossy");
        QVERIFY(rule.evaluate(QString()));
        mode.setCurrent("off");
        QVERIFY(!rule.evaluate(QString()));
    }

    void gatewayRule_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<bool>("valid");
        const auto row = [](const char *name, const char *mask, const char *address, const char *gateway,
                            bool valid) {
            QTest::newRow(name) << QString(mask) << QString(address) << QString(gateway) << valid;
        };
        row("gateway in subnet", "255.255.255.0", "192.168.1.10", "192.168.1.1", true);
        row("other subnet", "255.255.255.0", "192.168.1.10", "192.168.2.1", false);
        row("wider mask accepts it", "255.255.0.0", "192.168.1.10", "192.168.2.1", true);
        row("three parts", "255.255.255.0", "192.168.1.10", "192.168.1", false);
        row("five parts", "255.255.255.0", "192.168.1.10", "192.168.1.1.1", false);
        row("empty part", "255.255.255.0", "192.168.1.10", "192..1.1", false);
        row("address not numeric", "255.255.255.0", "192.168.x.10", "192.168.1.1", false);
        row("empty mask", "", "192.168.1.10", "192.168.1.1", false);
    }
    void gatewayRule()
    {
        QFETCH(QString, mask);
        QFETCH(QString, address);
        QFETCH(QString, gateway);
        QFETCH(bool, valid);

        TestValueElement maskSetting("SubnetMask", mask, "SUBNETMASK");
        TestValueElement addressSetting("IPAddress", address, "IPADDRESS");
        auto rule = Constraint::create(Constraint::GatewayValidity);
        QVERIFY(dynamic_cast<GatewayValidityConstraint *>(rule.get()));
        rule->addCondition(conditionOf(node(&maskSetting, {}), node(&addressSetting, {})));
        QCOMPARE(rule->evaluate(gateway), valid);
    }

    void gatewayRuleNeedsOneConditionOfTwoValueSettings()
    {
        TestValueElement mask("SubnetMask", "255.255.255.0");
        TestValueElement address("IPAddress", "192.168.1.10");
        Element button("BUTTON", nullptr, nullptr);
        button.setId("IPAddress");

        GatewayValidityConstraint twice, oneNode, notAValue, missing, failing;
        twice.addCondition(conditionOf(node(&mask, {}), node(&address, {})));
        twice.addCondition(conditionOf(node(&mask, {}), node(&address, {})));
        oneNode.addCondition(conditionOf(node(&mask, {})));
        notAValue.addCondition(conditionOf(node(&mask, {}), node(&button, {})));
        missing.addCondition(conditionOf(node(&mask, {}), node(nullptr, {})));
        // The base rule comes first: a node that fails makes the subnet test moot.
        failing.addCondition(conditionOf(node(&mask, "255.0.0.0"), node(&address, {})));
        for (const GatewayValidityConstraint *rule : {&twice, &oneNode, &notAValue, &missing, &failing})
            QVERIFY(!rule->evaluate("192.168.1.1"));
    }

    void refersTo()
    {
        TestValueElement mode("Mode", "on");
        TestValueElement media("Media", "plain");
        TestValueElement sameIdAsMedia("Media");
        TestValueElement other("Other");

        Constraint rule(Constraint::Restrict);
        QVERIFY(!rule.refersTo(&mode));
        rule.addCondition(conditionOf(node(&mode, "on")));
        rule.addCondition(conditionOf(node(&mode, "off"), node(&media, "plain")));
        QVERIFY(!rule.refersTo(nullptr));
        QVERIFY(rule.refersTo(&media));
        QVERIFY(rule.refersTo(&sameIdAsMedia));
        QVERIFY(!rule.refersTo(&other));
    }
};

QTEST_MAIN(TestConstraints)
#include "tst_constraints.moc"
