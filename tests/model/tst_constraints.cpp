// The rule records on their own: operators compare text by character code,
// conditions are ORed and their nodes ANDed, and the gateway subnet test.
#include "common/datatable.h"
#include "common/testelements.h"
#include "model/condition.h"
#include "model/conditionnode.h"
#include "model/constraint.h"
#include "model/gatewayvalidityconstraint.h"

#include <memory>

namespace {

std::unique_ptr<ConditionNode> node(IElement *element, const QString &value, int op = ConditionNode::Equal)
{
    return std::make_unique<ConditionNode>(element ? element->id() : QString("Missing"), value, element, op);
}

template <typename... Nodes> std::unique_ptr<Condition> conditionOf(Nodes... nodes)
{
    auto condition = std::make_unique<Condition>();
    (condition->addNode(std::move(nodes)), ...);
    return condition;
}

} // namespace

class TestConstraints : public QObject
{
    Q_OBJECT

private slots:
    void operators_data()
    {
        addColumns<QString, int, QString, QString, bool>({"isValue", "op", "current", "value", "holds"});
        addRow("no IS means equal", QString(), 1, "A4", "A4", true);
        addRow("EQUAL is case-sensitive on values", "EQUAL", 1, "On", "on", false);
        addRow("NOT, same", "NOT", 2, "on", "on", false);
        addRow("GREAT compares text: 9 > 10", "GREAT", 3, "9", "10", true);
        addRow("lower-case keyword is unknown", "equal", 0, "on", "on", false);
        // Without CURRENT any value setting holds; a present empty one is compared.
        addRow("no CURRENT, unknown operator", "equal", 0, "on", QString(), true);
        addRow("empty CURRENT", "EQUAL", 1, "on", "", false);
    }
    void operators()
    {
        QFETCH(QString, isValue);
        QFETCH(int, op);
        QFETCH(QString, current);
        QFETCH(QString, value);

        QCOMPARE(ConditionNode::operatorFromKeyword(isValue, !isValue.isNull()), op);
        TestValueElement setting("Setting", current);
        QTEST(ConditionNode("Setting", value, &setting, op).evaluate(), "holds");
    }

    void conditionsAreOredNodesAnded()
    {
        TestValueElement mode("Mode", "on");
        TestValueElement media("Media", "plain");
        Element button("BUTTON", nullptr, nullptr);
        Constraint rule(Constraint::Disable);
        rule.addCondition(std::make_unique<Condition>());  // an empty condition never holds
        rule.addCondition(conditionOf(node(&button, {}))); // nor does a node on no value setting
        rule.addCondition(conditionOf(node(&mode, "on"), node(&media, "glossy")));
        QVERIFY(!rule.evaluate(QString()));
        rule.addCondition(conditionOf(node(&media, "plain")));
        QVERIFY(rule.evaluate(QString()));
        media.setCurrent("glossy"); // now only the two-node condition holds
        QVERIFY(rule.evaluate(QString()));
        mode.setCurrent("off");
        QVERIFY(!rule.evaluate(QString()));
    }

    void gatewayRule_data()
    {
        // A null address leaves the rule with the mask node alone; a mask
        // condition is tested before the subnet.
        addColumns<QString, QString, QString, QString, bool>(
            {"mask", "address", "gateway", "maskIs", "valid"});
        addRow("gateway in subnet", "255.255.255.0", "192.168.1.10", "192.168.1.1", QString(), true);
        addRow("other subnet", "255.255.255.0", "192.168.1.10", "192.168.2.1", QString(), false);
        addRow("three parts", "255.255.255.0", "192.168.1.10", "192.168.1", QString(), false);
        addRow("empty part", "255.255.255.0", "192.168.1.10", "192..1.1", QString(), false);
        addRow("address not numeric", "255.255.255.0", "192.168.x.10", "192.168.1.1", QString(), false);
        addRow("empty mask", "", "192.168.1.10", "192.168.1.1", QString(), false);
        addRow("one node only", "255.255.255.0", QString(), "192.168.1.1", QString(), false);
        addRow("mask condition fails", "255.255.255.0", "192.168.1.10", "192.168.1.1", "255.0.0.0", false);
    }
    void gatewayRule()
    {
        QFETCH(QString, mask);
        QFETCH(QString, address);
        QFETCH(QString, gateway);
        QFETCH(QString, maskIs);

        TestValueElement maskSetting("SubnetMask", mask, "SUBNETMASK");
        TestValueElement addressSetting("IPAddress", address, "IPADDRESS");
        auto rule = MakeConstraint(Constraint::GatewayValidity);
        auto condition = conditionOf(node(&maskSetting, maskIs));
        if (!address.isNull())
            condition->addNode(node(&addressSetting, {}));
        rule->addCondition(std::move(condition));
        QTEST(rule->evaluate(gateway), "valid");
    }
};

QTEST_MAIN(TestConstraints)
#include "tst_constraints.moc"
