#include "common/testelements.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/dependency.h"
#include "description/gatewayvalidityconstraint.h"
#include "elements/attribute.h"

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

// Counts its own destruction, to see that a constraint frees its attributes.
class CountedAttribute : public Attribute
{
public:
    explicit CountedAttribute(int *count) : m_count(count) {}
    ~CountedAttribute() override { ++*m_count; }

private:
    int *m_count;
};

} // namespace

class TestConstraints : public QObject
{
    Q_OBJECT

private slots:
    void operators_data();
    void operators();
    void nodeWithoutCurrent();
    void conditionsAreOredNodesAnded();
    void emptyConditionNeverHolds();
    void noConditionNeverHolds();
    void gatewayRule_data();
    void gatewayRule();
    void gatewayNeedsExactlyOneConditionWithTwoNodes();
    void gatewayNeedsValueSettings();
    void refersTo();
    void kindFromTag_data();
    void kindFromTag();
    void selfChecked_data();
    void selfChecked();
    void constraintOwnsWhatItHolds();
};

void TestConstraints::operators_data()
{
    QTest::addColumn<QString>("isValue");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("holds");

    QTest::newRow("no IS means equal, same") << QString() << false << 1 << "A4"
                                             << "A4" << true;
    QTest::newRow("no IS means equal, differs") << QString() << false << 1 << "A4"
                                                << "A5" << false;
    QTest::newRow("empty IS means equal") << QString("") << true << 1 << "on"
                                          << "on" << true;
    QTest::newRow("EQUAL is case-sensitive on values") << QString("EQUAL") << true << 1 << "On"
                                                       << "on" << false;
    QTest::newRow("NOT, differs") << QString("NOT") << true << 2 << "on"
                                  << "off" << true;
    QTest::newRow("NOT, same") << QString("NOT") << true << 2 << "on"
                               << "on" << false;
    QTest::newRow("GREAT compares text: 9 > 10") << QString("GREAT") << true << 3 << "9"
                                                 << "10" << true;
    QTest::newRow("GREAT compares text: 10 > 9 fails") << QString("GREAT") << true << 3 << "10"
                                                       << "9" << false;
    QTest::newRow("GREAT, equal fails") << QString("GREAT") << true << 3 << "5"
                                        << "5" << false;
    QTest::newRow("GREATOREQUAL, equal") << QString("GREATOREQUAL") << true << 4 << "5"
                                         << "5" << true;
    QTest::newRow("GREATOREQUAL, less") << QString("GREATOREQUAL") << true << 4 << "4"
                                        << "5" << false;
    QTest::newRow("LESS compares text: 10 < 9") << QString("LESS") << true << 5 << "10"
                                                << "9" << true;
    QTest::newRow("LESS, equal fails") << QString("LESS") << true << 5 << "9"
                                       << "9" << false;
    QTest::newRow("LESSOREQUAL, equal") << QString("LESSOREQUAL") << true << 6 << "9"
                                        << "9" << true;
    QTest::newRow("LESSOREQUAL, greater") << QString("LESSOREQUAL") << true << 6 << "b"
                                          << "a" << false;
    QTest::newRow("lower-case keyword is unknown") << QString("equal") << true << 0 << "on"
                                                   << "on" << false;
    QTest::newRow("unknown keyword") << QString("BETWEEN") << true << 0 << "on"
                                     << "on" << false;
}

void TestConstraints::operators()
{
    QFETCH(QString, isValue);
    QFETCH(bool, present);
    QFETCH(int, op);
    QFETCH(QString, current);
    QFETCH(QString, value);
    QFETCH(bool, holds);

    QCOMPARE(ConditionNode::operatorFromKeyword(isValue, present), op);
    TestValueElement setting("Setting", current);
    ConditionNode test("Setting", value, &setting, op);
    QCOMPARE(test.evaluate(), holds);
}

void TestConstraints::nodeWithoutCurrent()
{
    TestValueElement value("Copies", "");
    Element button("BUTTON", nullptr, nullptr);
    button.setId("Reset");

    QVERIFY(ConditionNode("Copies", QString(), &value, ConditionNode::Equal).evaluate());
    // Without a value to compare, the operator plays no part.
    QVERIFY(ConditionNode("Copies", QString(), &value, ConditionNode::None).evaluate());
    QVERIFY(!ConditionNode("Reset", QString(), &button, ConditionNode::Equal).evaluate());
    QVERIFY(!ConditionNode("Gone", QString(), nullptr, ConditionNode::Equal).evaluate());
    // A present but empty CURRENT is compared like any other text.
    QVERIFY(ConditionNode("Copies", QString(""), &value, ConditionNode::Equal).evaluate());
    QVERIFY(!ConditionNode("Reset", QString(""), &button, ConditionNode::Not).evaluate());
}

void TestConstraints::conditionsAreOredNodesAnded()
{
    TestValueElement mode("Mode", "on");
    TestValueElement media("Media", "plain");

    Constraint rule(Constraint::Disable);
    rule.addCondition(conditionOf(node(&mode, "on"), node(&media, "glossy")));
    QVERIFY(!rule.evaluate(QString()));

    rule.addCondition(conditionOf(node(&media, "plain")));
    QVERIFY(rule.evaluate(QString()));

    media.setCurrent("glossy");
    mode.setCurrent("off");
    QVERIFY(!rule.evaluate(QString()));
    mode.setCurrent("on");
    QVERIFY(rule.evaluate(QString()));
}

void TestConstraints::emptyConditionNeverHolds()
{
    TestValueElement mode("Mode", "on");
    Constraint rule(Constraint::Hide);
    rule.addCondition(std::make_unique<Condition>());
    QVERIFY(!rule.evaluate(QString()));
    // A later condition that holds still makes the rule hold.
    rule.addCondition(conditionOf(node(&mode, "on")));
    QVERIFY(rule.evaluate(QString()));
}

void TestConstraints::noConditionNeverHolds()
{
    Constraint rule(Constraint::Enable);
    QVERIFY(!rule.evaluate(QString()));
    QVERIFY(!rule.evaluate(QString("anything")));
}

void TestConstraints::gatewayRule_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("gateway");
    QTest::addColumn<bool>("valid");

    QTest::newRow("gateway in subnet") << "255.255.255.0"
                                       << "192.168.1.10"
                                       << "192.168.1.1" << true;
    QTest::newRow("gateway in other subnet") << "255.255.255.0"
                                             << "192.168.1.10"
                                             << "192.168.2.1" << false;
    QTest::newRow("wider mask accepts it") << "255.255.0.0"
                                           << "192.168.1.10"
                                           << "192.168.2.1" << true;
    QTest::newRow("gateway with three parts") << "255.255.255.0"
                                              << "192.168.1.10"
                                              << "192.168.1" << false;
    QTest::newRow("gateway with empty part") << "255.255.255.0"
                                             << "192.168.1.10"
                                             << "192..1.1" << false;
    QTest::newRow("gateway with five parts") << "255.255.255.0"
                                             << "192.168.1.10"
                                             << "192.168.1.1.1" << false;
    QTest::newRow("address not numeric") << "255.255.255.0"
                                         << "192.168.x.10"
                                         << "192.168.1.1" << false;
    QTest::newRow("empty mask") << ""
                                << "192.168.1.10"
                                << "192.168.1.1" << false;
}

void TestConstraints::gatewayRule()
{
    QFETCH(QString, mask);
    QFETCH(QString, address);
    QFETCH(QString, gateway);
    QFETCH(bool, valid);

    TestValueElement maskSetting("SubnetMask", mask, "SUBNETMASK");
    TestValueElement addressSetting("IPAddress", address, "IPADDRESS");
    auto rule = Constraint::create(Constraint::GatewayValidity);
    QVERIFY(dynamic_cast<GatewayValidityConstraint *>(rule.get()));
    rule->addCondition(conditionOf(node(&maskSetting, QString()), node(&addressSetting, QString())));
    QCOMPARE(rule->evaluate(gateway), valid);
}

void TestConstraints::gatewayNeedsExactlyOneConditionWithTwoNodes()
{
    TestValueElement mask("SubnetMask", "255.255.255.0");
    TestValueElement address("IPAddress", "192.168.1.10");
    const QString gateway("192.168.1.1");

    GatewayValidityConstraint rule;
    rule.addCondition(conditionOf(node(&mask, QString()), node(&address, QString())));
    QVERIFY(rule.evaluate(gateway));
    rule.addCondition(conditionOf(node(&mask, QString()), node(&address, QString())));
    QVERIFY(!rule.evaluate(gateway));

    GatewayValidityConstraint oneNode;
    oneNode.addCondition(conditionOf(node(&mask, QString())));
    QVERIFY(!oneNode.evaluate(gateway));

    // The base rule comes first: a node that fails makes the subnet test moot.
    GatewayValidityConstraint failing;
    failing.addCondition(conditionOf(node(&mask, "255.0.0.0"), node(&address, QString())));
    QVERIFY(!failing.evaluate(gateway));
}

void TestConstraints::gatewayNeedsValueSettings()
{
    TestValueElement mask("SubnetMask", "255.255.255.0");
    Element address("BUTTON", nullptr, nullptr);
    address.setId("IPAddress");
    GatewayValidityConstraint rule;
    rule.addCondition(conditionOf(node(&mask, QString()), node(&address, QString())));
    QVERIFY(!rule.evaluate("192.168.1.1"));

    GatewayValidityConstraint missing;
    missing.addCondition(conditionOf(node(&mask, QString()), node(nullptr, QString())));
    QVERIFY(!missing.evaluate("192.168.1.1"));
}

void TestConstraints::refersTo()
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
    QVERIFY(rule.refersTo(&mode));
    QVERIFY(rule.refersTo(&media));
    QVERIFY(rule.refersTo(&sameIdAsMedia));
    QVERIFY(!rule.refersTo(&other));
}

void TestConstraints::kindFromTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("kind");

    QTest::newRow("Disable") << "Disable" << 1;
    QTest::newRow("Enable") << "Enable" << 2;
    QTest::newRow("Constraint") << "Constraint" << 3;
    QTest::newRow("GatewayValidity") << "GatewayValidity" << 4;
    QTest::newRow("Hide") << "Hide" << 5;
    QTest::newRow("case matters") << "hide" << 0;
    QTest::newRow("unknown tag") << "Show" << 0;
}

void TestConstraints::kindFromTag()
{
    QFETCH(QString, tag);
    QFETCH(int, kind);
    QCOMPARE(Constraint::kindFromTag(tag), kind);
    QCOMPARE(Constraint::create(kind)->kind, kind);
}

void TestConstraints::selfChecked_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("selfChecked");

    QTest::newRow("absent") << QString() << false << true;
    QTest::newRow("lower false") << QString("false") << true << false;
    QTest::newRow("upper FALSE") << QString("FALSE") << true << false;
    QTest::newRow("mixed FaLsE") << QString("FaLsE") << true << false;
    QTest::newRow("zero is not false") << QString("0") << true << true;
    QTest::newRow("empty") << QString("") << true << true;
    QTest::newRow("true") << QString("true") << true << true;
    QTest::newRow("padded false") << QString(" false") << true << true;
}

void TestConstraints::selfChecked()
{
    QFETCH(QString, value);
    QFETCH(bool, present);
    QFETCH(bool, selfChecked);
    QCOMPARE(Constraint::selfCheckedFromAttribute(value, present), selfChecked);
}

void TestConstraints::constraintOwnsWhatItHolds()
{
    int attributesGone = 0;
    auto dependency = std::make_unique<Dependency>("Level");
    auto rule = Constraint::create(Constraint::Restrict);
    rule->addAttribute(std::make_unique<CountedAttribute>(&attributesGone));
    rule->addAttribute(std::make_unique<CountedAttribute>(&attributesGone));
    dependency->constraints.push_back(std::move(rule));
    dependency.reset();
    QCOMPARE(attributesGone, 2);
}

QTEST_MAIN(TestConstraints)
#include "tst_constraints.moc"
