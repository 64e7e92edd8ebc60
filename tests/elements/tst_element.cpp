#include "common/logcapture.h"
#include "common/testelements.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/dependency.h"
#include "description/nodedesc.h"
#include "description/papersizeparameter.h"
#include "elements/element.h"
#include "elements/elementtype.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

// A rule of the given kind whose one condition tests "current == value" on
// the given setting.
std::unique_ptr<Constraint> ruleOn(int kind, IElement *tested, const QString &value, bool selfChecked = true)
{
    auto rule = Constraint::create(kind);
    rule->selfChecked = selfChecked;
    auto condition = std::make_unique<Condition>();
    condition->addNode(std::make_unique<ConditionNode>(tested->id(), value, tested, ConditionNode::Equal));
    rule->addCondition(std::move(condition));
    return rule;
}

// Records the order in which the constraint hooks are reached.
class HookElement : public TestValueElement
{
public:
    using TestValueElement::TestValueElement;
    void applyConstraintValues(Constraint *) override { calls << QStringLiteral("values"); }
    void applyConstraintAttributes(Constraint *) override { calls << QStringLiteral("attributes"); }
    bool prepareConstraints() override
    {
        calls << QStringLiteral("prepare");
        return true;
    }
    QStringList calls;
};

// Writes its id into a shared list when destroyed.
class TracedElement : public Element
{
public:
    TracedElement(const QString &id, QStringList *log) : Element("EDITBOX", nullptr, nullptr), m_log(log)
    {
        setId(id);
    }
    ~TracedElement() override { m_log->append(id()); }

private:
    QStringList *m_log;
};

} // namespace

class TestElement : public QObject
{
    Q_OBJECT

private slots:
    void typeFromControlName_data();
    void typeFromControlName();
    void keywordMapping_data();
    void keywordMapping();
    void newElementHasEmptyTexts();
    void dumpFormat();

    void dependentsAreKeptOncePerId();
    void checkDependenciesReachesDependents();
    void selfCheckSkipsRulesNotSelfChecked();
    void checkWithSourceUsesOnlyRulesNamingIt();
    void enableAndDisableOnRealControl_data();
    void enableAndDisableOnRealControl();
    void enableAndDisableWithoutControl();
    void hideFollowsCondition();
    void hideWithoutControlStillSignals();
    void restrictRunsHooksInOrder();
    void gatewayAndUnknownKindsDoNothingHere();
    void noDependencyIsFine();

    void baseControlIsUnknownLabel();
    void controlDeletedByPanelIsForgotten();
    void tempPropertyLogsAndStores();

    void categoryDeletesElementsBeforeChildren();
    void categoryTexts();
    void parameterProperties();
    void paperSizeValues();
};

void TestElement::typeFromControlName_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");

    QTest::newRow("null name") << QByteArray() << 0 << "stUnknown";
    QTest::newRow("empty name") << QByteArray("") << 1 << "stUnknown";
    QTest::newRow("combo box") << QByteArray("COMBOBOX") << 2 << "stList";
    QTest::newRow("lower case is unknown") << QByteArray("combobox") << 0 << "stUnknown";
    QTest::newRow("leading blank is unknown") << QByteArray(" INTEGER") << 0 << "stUnknown";
    QTest::newRow("ip address") << QByteArray("IPADDRESS") << 6 << "stIPAddress";
    QTest::newRow("subnet mask out of sequence") << QByteArray("SUBNETMASK") << 17 << "stSubnetMask";
    QTest::newRow("dial edit") << QByteArray("DIALEDITBOX") << 19 << "stDialEdit";
    QTest::newRow("maintenance has a name") << QByteArray("MAINTENANCE") << 20 << "stInkJetMaintenance";
    QTest::newRow("last maintenance kind")
        << QByteArray("CARTRIDGE_ALIGN_HP_INK_MFP_XML") << 28 << "stInkCartridgeAlignMFP_XML";
    QTest::newRow("address book") << QByteArray("USERBASEDADDRESSBOOK") << 29 << "stAddressBook";
}

void TestElement::typeFromControlName()
{
    QFETCH(QByteArray, controlName);
    QFETCH(int, type);
    QFETCH(QString, name);

    Element element(controlName, nullptr, nullptr);
    QCOMPARE(element.type(), type);
    QCOMPARE(QString::fromLatin1(element.typeName()), name);
}

void TestElement::keywordMapping_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("type");

    QTest::newRow("absent counts as empty") << QString() << 1;
    QTest::newRow("empty") << QString("") << 1;
    QTest::newRow("maintenance") << QString("MAINTENANCE") << 20;
    QTest::newRow("slider") << QString("SLIDER") << 11;
    QTest::newRow("test page xml") << QString("BUTTON_TESTPAGE_HP_INK_XML") << 25;
    QTest::newRow("unknown") << QString("SPINNER") << 0;
    QTest::newRow("trailing blank") << QString("POPUP ") << 0;
}

void TestElement::keywordMapping()
{
    QFETCH(QString, keyword);
    QFETCH(int, type);
    QCOMPARE(ElementTypeFromKeyword(keyword), type);
}

void TestElement::newElementHasEmptyTexts()
{
    NodeDesc category("General", "", nullptr);
    Element group("GROUP", &category, nullptr);
    Element member("BUTTON", &category, &group);

    for (const QString &text : {member.id(), member.string(), member.title(), member.desc()}) {
        QVERIFY(!text.isNull());
        QVERIFY(text.isEmpty());
    }
    QVERIFY(member.temp().isNull());
    QCOMPARE(member.node(), &category);
    QCOMPARE(member.parentElement(), &group);
    QCOMPARE(group.parentElement(), nullptr);
    QCOMPARE(member.dependency(), nullptr);
    QCOMPARE(member.control(), nullptr);
}

void TestElement::dumpFormat()
{
    Element element("FLOAT", nullptr, nullptr);
    element.setId("Density");
    element.setString("DENSITY_KEY");
    element.setTitle("Density");
    element.setDescription("How dark");
    QWidget panel;
    element.setControl(&panel);

    const QString expected = QString::asprintf("\tid\t = Density\n\tstring\t = DENSITY_KEY\n\ttitle\t = "
                                               "Density\n\tdesc\t = How dark\n\taddr\t = %p\n"
                                               "\ttype\t = stFloat\n\tcontrol\t = %p\n",
                                               static_cast<void *>(&element), static_cast<void *>(&panel));
    QCOMPARE(element.dump(), expected);
}

void TestElement::dependentsAreKeptOncePerId()
{
    Element source("INTEGER", nullptr, nullptr);
    source.setId("Copies");
    TestValueElement first("Collate");
    TestValueElement sameId("Collate");
    TestValueElement other("Duplex");

    LogCapture log;
    source.addDependentElement(nullptr);
    source.addDependentElement(&first);
    source.addDependentElement(&first);
    source.addDependentElement(&sameId);
    source.addDependentElement(&other);

    QCOMPARE(source.dependentElements(), (QList<Element *>{&first, &other}));
    QCOMPARE(log.count("Element::addDependentElement()"), 2);
    QVERIFY(
        log.contains("Element::addDependentElement(): add new dependent element \"Collate\" for \"Copies\""));
}

void TestElement::checkDependenciesReachesDependents()
{
    TestValueElement source("Mode", "off");
    TestValueElement dependent("Level");
    Dependency rules("Level", &dependent);
    rules.constraints.push_back(ruleOn(Constraint::Hide, &source, "off"));
    dependent.setDependency(&rules);
    source.addDependentElement(&dependent);

    QSignalSpy visible(&dependent, &Element::visibleChanged);
    LogCapture log;
    source.checkDependencies();
    QVERIFY(log.contains("checkDependencies(1) for Mode"));
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.at(0).at(0).toBool(), false);

    source.setCurrent("on");
    source.checkDependencies();
    QCOMPARE(visible.size(), 2);
    QCOMPARE(visible.at(1).at(0).toBool(), true);
}

void TestElement::selfCheckSkipsRulesNotSelfChecked()
{
    TestValueElement mode("Mode", "on");
    TestValueElement setting("Level");
    QWidget panel;
    QLineEdit edit(&panel);
    setting.setControl(&edit);

    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(Constraint::Disable, &mode, "on", false));
    rules.constraints.push_back(ruleOn(Constraint::Hide, &mode, "on", false));
    setting.setDependency(&rules);

    QSignalSpy visible(&setting, &Element::visibleChanged);
    QVERIFY(setting.checkConstraints(nullptr, true));
    QVERIFY(edit.isEnabled());
    QCOMPARE(visible.size(), 0);

    // The same rules take part in a check that is not a self-check.
    QVERIFY(setting.checkConstraints(nullptr, false));
    QVERIFY(!edit.isEnabled());
    QCOMPARE(visible.size(), 1);
}

void TestElement::checkWithSourceUsesOnlyRulesNamingIt()
{
    TestValueElement mode("Mode", "on");
    TestValueElement media("Media", "plain");
    TestValueElement setting("Level");
    QWidget panel;
    QLineEdit edit(&panel);
    setting.setControl(&edit);

    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(Constraint::Hide, &mode, "on"));
    rules.constraints.push_back(ruleOn(Constraint::Disable, &media, "plain"));
    setting.setDependency(&rules);

    QSignalSpy visible(&setting, &Element::visibleChanged);
    QVERIFY(setting.checkConstraints(&mode, false));
    QCOMPARE(visible.size(), 1);
    QVERIFY(edit.isEnabled());

    QVERIFY(setting.checkConstraints(&media, false));
    QCOMPARE(visible.size(), 1);
    QVERIFY(!edit.isEnabled());

    // A source no rule names changes nothing.
    TestValueElement stranger("Other", "on");
    edit.setEnabled(true);
    QVERIFY(setting.checkConstraints(&stranger, false));
    QCOMPARE(visible.size(), 1);
    QVERIFY(edit.isEnabled());
}

void TestElement::enableAndDisableOnRealControl_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("disable, condition holds") << int(Constraint::Disable) << "on" << false;
    QTest::newRow("disable, condition fails") << int(Constraint::Disable) << "off" << true;
    QTest::newRow("enable, condition holds") << int(Constraint::Enable) << "on" << true;
    QTest::newRow("enable, condition fails") << int(Constraint::Enable) << "off" << false;
}

void TestElement::enableAndDisableOnRealControl()
{
    QFETCH(int, kind);
    QFETCH(QString, current);
    QFETCH(bool, enabled);

    TestValueElement mode("Mode", current);
    TestValueElement setting("Level");
    QWidget panel;
    auto *edit = new QLineEdit(&panel);
    edit->setEnabled(!enabled);
    setting.setControl(edit);
    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(kind, &mode, "on"));
    setting.setDependency(&rules);

    QVERIFY(setting.checkConstraints(&mode, false));
    QCOMPARE(edit->isEnabled(), enabled);
}

void TestElement::enableAndDisableWithoutControl()
{
    TestValueElement mode("Mode", "on");
    TestValueElement setting("Level");
    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(Constraint::Disable, &mode, "on"));
    rules.constraints.push_back(ruleOn(Constraint::Enable, &mode, "on"));
    setting.setDependency(&rules);

    LogCapture log;
    QVERIFY(setting.checkConstraints(&mode, false));
    QCOMPARE(log.count("checkConstraints - condition type: 1 for control:"), 1);
    QCOMPARE(log.count("checkConstraints - condition type: 2 for control:"), 1);
    QCOMPARE(setting.control(), nullptr);
}

void TestElement::hideFollowsCondition()
{
    TestValueElement mode("Mode", "on");
    TestValueElement setting("Level");
    QWidget panel;
    QLineEdit edit(&panel);
    setting.setControl(&edit);
    panel.show();
    QVERIFY(edit.isVisible());

    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(Constraint::Hide, &mode, "on"));
    setting.setDependency(&rules);

    QSignalSpy visible(&setting, &Element::visibleChanged);
    setting.checkConstraints(&mode, false);
    QVERIFY(edit.isHidden());
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.takeFirst().at(0).toBool(), false);

    mode.setCurrent("off");
    setting.checkConstraints(&mode, false);
    QVERIFY(edit.isVisible());
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.takeFirst().at(0).toBool(), true);
}

void TestElement::hideWithoutControlStillSignals()
{
    TestValueElement mode("Mode", "on");
    TestValueElement setting("Level");
    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(Constraint::Hide, &mode, "on"));
    setting.setDependency(&rules);

    QSignalSpy visible(&setting, &Element::visibleChanged);
    setting.checkConstraints(nullptr, true);
    mode.setCurrent("off");
    setting.checkConstraints(nullptr, true);
    QCOMPARE(visible.size(), 2);
    QCOMPARE(visible.at(0).at(0).toBool(), false);
    QCOMPARE(visible.at(1).at(0).toBool(), true);
}

void TestElement::restrictRunsHooksInOrder()
{
    TestValueElement mode("Mode", "on");
    HookElement setting("Level");
    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(Constraint::Restrict, &mode, "on"));
    // A restricting rule is applied whether its condition holds or not; the
    // element's hooks decide what to do with it.
    rules.constraints.push_back(ruleOn(Constraint::Restrict, &mode, "off"));
    setting.setDependency(&rules);

    setting.checkConstraints(nullptr, false);
    QCOMPARE(setting.calls, (QStringList{"prepare", "values", "attributes", "values", "attributes"}));
}

void TestElement::gatewayAndUnknownKindsDoNothingHere()
{
    TestValueElement mode("Mode", "on");
    HookElement setting("Level");
    QWidget panel;
    QLineEdit edit(&panel);
    setting.setControl(&edit);
    Dependency rules("Level", &setting);
    rules.constraints.push_back(ruleOn(Constraint::GatewayValidity, &mode, "on"));
    rules.constraints.push_back(ruleOn(Constraint::Other, &mode, "on"));
    setting.setDependency(&rules);

    QSignalSpy visible(&setting, &Element::visibleChanged);
    LogCapture log;
    QVERIFY(setting.checkConstraints(nullptr, false));
    QCOMPARE(setting.calls, QStringList{"prepare"});
    QVERIFY(edit.isEnabled());
    QCOMPARE(visible.size(), 0);
    QVERIFY(log.contains("checkConstraints - condition type: 4 for control:"));
    QVERIFY(log.contains("checkConstraints - condition type: 0 for control:"));
}

void TestElement::noDependencyIsFine()
{
    HookElement setting("Level");
    LogCapture log;
    QVERIFY(setting.checkConstraints(nullptr, true));
    QVERIFY(log.contains("Element::checkConstraints for:"));
    QVERIFY(setting.calls.isEmpty());
}

void TestElement::baseControlIsUnknownLabel()
{
    QWidget panel;
    panel.resize(300, 120);
    Element element("MAINTENANCE", nullptr, nullptr);
    element.setId("Clean");

    LogCapture log;
    QWidget *created = element.createControl(&panel);
    auto *label = qobject_cast<QLabel *>(created);
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), &panel);
    QCOMPARE(label->text(), QString("Unknown control type"));
    QCOMPARE(label->size(), QSize(300, 120));
    QCOMPARE(element.control(), created);
    QVERIFY(log.contains("Element::createControl:\n\tid\t = Clean"));

    QPointer<QWidget> watch(created);
    element.deleteControl();
    QVERIFY(watch.isNull());
    QCOMPARE(element.control(), nullptr);
    QVERIFY(log.contains("Element::deleteControl:\n\tid\t = Clean"));

    // Deleting again without a control is harmless.
    element.deleteControl();
    QCOMPARE(element.control(), nullptr);
}

void TestElement::controlDeletedByPanelIsForgotten()
{
    Element element("BUTTON", nullptr, nullptr);
    {
        QWidget panel;
        element.createControl(&panel);
        QVERIFY(element.control());
    }
    QCOMPARE(element.control(), nullptr);
    element.hideControl();
    element.deleteControl();
}

void TestElement::tempPropertyLogsAndStores()
{
    Element element("EDITBOX", nullptr, nullptr);
    element.setId("Name");
    LogCapture log;
    QVERIFY(element.setProperty("temp", QString("draft %s")));
    QCOMPARE(element.temp(), QString("draft %s"));
    QCOMPARE(element.property("temp").toString(), QString("draft %s"));
    QVERIFY(log.contains("setTemp for Name to draft %s"));
}

void TestElement::categoryDeletesElementsBeforeChildren()
{
    QStringList deleted;
    auto root = std::make_unique<NodeDesc>("Root", QString(), nullptr);
    NodeDesc *paper = root->addChild(std::make_unique<NodeDesc>("Paper", "PAPER", root.get()));
    NodeDesc *tray = paper->addChild(std::make_unique<NodeDesc>("Tray", "TRAY", paper));
    tray->addElement(std::make_unique<TracedElement>("TrayLock", &deleted));
    paper->addElement(std::make_unique<TracedElement>("Size", &deleted));
    root->addElement(std::make_unique<TracedElement>("Copies", &deleted));
    root->addElement(std::make_unique<TracedElement>("Collate", &deleted));

    QCOMPARE(tray->parent(), paper);
    QCOMPARE(root->children().size(), size_t(1));
    root.reset();
    QCOMPARE(deleted, (QStringList{"Copies", "Collate", "Size", "TrayLock"}));
}

void TestElement::categoryTexts()
{
    NodeDesc absent("Network", QString(), nullptr);
    QVERIFY(absent.string().isNull());
    QCOMPARE(absent.title(), QString(""));
    QVERIFY(!absent.title().isNull());
    QVERIFY(!absent.desc().isNull());

    ILocalizable &texts = absent;
    texts.setTitle("Netzwerk");
    texts.setDescription("Einstellungen");
    QCOMPARE(absent.title(), QString("Netzwerk"));
    QCOMPARE(absent.desc(), QString("Einstellungen"));
    QCOMPARE(absent.id(), QString("Network"));
}

void TestElement::parameterProperties()
{
    Parameter option;
    QVERIFY(option.id().isEmpty());
    QVERIFY(!option.id().isNull());
    QCOMPARE(option.property("visible").toBool(), true);

    QVERIFY(option.setProperty("description", QString("Letter size")));
    QCOMPARE(option.desc(), QString("Letter size"));
    QVERIFY(option.setProperty("visible", false));
    QVERIFY(!option.visible());
    QVERIFY(option.setProperty("id", QString("A4")));
    QCOMPARE(option.id(), QString("A4"));

    // Through the interface the localization walk uses.
    ILocalizable *texts = &option;
    texts->setTitle("A4 (210 x 297)");
    QCOMPARE(option.property("title").toString(), QString("A4 (210 x 297)"));
    QCOMPARE(option.metaObject()->className(), "Parameter");
}

void TestElement::paperSizeValues()
{
    PaperSizeParameter size;
    for (const char *name : {"maxtopmargin", "maxleftmargin", "linesportrait", "lineslandscape"})
        QCOMPARE(size.property(name).toString(), QString("0"));

    // The builder writes absent attributes as null, and null must survive.
    size.setLinesPortrait(QString());
    QVERIFY(size.property("linesportrait").toString().isNull());
    QVERIFY(size.setProperty("maxtopmargin", QString("42")));
    QCOMPARE(size.maxTopMargin(), QString("42"));
    QVERIFY(size.inherits("Parameter"));
    QCOMPARE(size.metaObject()->className(), "PaperSizeParameter");
}

QTEST_MAIN(TestElement)
#include "tst_element.moc"
