#include "common/logcapture.h"
#include "common/messageboxrecorder.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/dependency.h"
#include "description/nodedesc.h"
#include "elements/buttonelement.h"
#include "elements/complexelement.h"
#include "elements/concreteelement.h"
#include "elements/enumerate.h"
#include "elements/factoryelement.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

// A member whose control is a plain widget of a chosen height, so the group's
// row arithmetic can be checked without depending on style metrics.
class FixedHeightElement : public Element
{
public:
    FixedHeightElement(const QString &id, int height) : Element("BUTTON", nullptr, nullptr), m_height(height)
    {
        setId(id);
    }
    QWidget *createControl(QWidget *parent) override
    {
        auto *widget = new QWidget(parent);
        widget->resize(parent->width(), m_height);
        setControl(widget);
        return widget;
    }

private:
    int m_height;
};

// Counts the control updates that resetting to factory values asks for.
class CountingFactoryElement : public FactoryElement
{
public:
    CountingFactoryElement(const QString &id, const QString &current)
        : FactoryElement("EDITBOX", nullptr, nullptr)
    {
        setId(id);
        setInitial(current);
        setCurrent(current);
    }
    void setControlValue(const QString &value) override
    {
        controlValues << value;
        FactoryElement::setControlValue(value);
    }
    QStringList controlValues;
};

ConcreteElement *valueSetting(const QString &id, const QString &value, const QByteArray &type = "EDITBOX")
{
    auto *setting = new ConcreteElement(type, nullptr, nullptr);
    setting->setId(id);
    setting->setTitle(id + " title");
    setting->setInitial(value);
    setting->setCurrent(value);
    return setting;
}

ComplexElement *group(const QString &id)
{
    auto *element = new ComplexElement("GROUP", nullptr, nullptr);
    element->setId(id);
    return element;
}

// A self-checked Hide rule that holds while tested's current value is value.
std::unique_ptr<Constraint> hideWhen(IElement *tested, const QString &value)
{
    auto rule = Constraint::create(Constraint::Hide);
    auto condition = std::make_unique<Condition>();
    condition->addNode(std::make_unique<ConditionNode>(tested->id(), value, tested, ConditionNode::Equal));
    rule->addCondition(std::move(condition));
    return rule;
}

// Records the ids a walk visits; stops at stopAt.
struct Visits
{
    QStringList ids;
    QString stopAt;
};

bool recordVisit(Element *element, void *argument)
{
    auto *visits = static_cast<Visits *>(argument);
    visits->ids << element->id();
    return element->id() != visits->stopAt;
}

// Group "Outer": A, Inner(B, C), D.
std::unique_ptr<ComplexElement> nestedGroups()
{
    std::unique_ptr<ComplexElement> outer(group("Outer"));
    outer->addElement(valueSetting("A", "1"));
    ComplexElement *inner = group("Inner");
    inner->addElement(valueSetting("B", "2"));
    inner->addElement(valueSetting("C", "3"));
    outer->addElement(inner);
    outer->addElement(valueSetting("D", "4"));
    return outer;
}

} // namespace

class TestGroups : public QObject
{
    Q_OBJECT

private slots:
    void rowPlacement_data();
    void rowPlacement();
    void membersLiveInTheFrame();
    void deleteControlRemovesMembersFirst();
    void hidingKeepsMembersAndTheirOwnState();
    void selfCheckShapesTheNewFrame();
    void membersAreDeletedWithTheGroup();

    void elementWalkOrder();
    void elementWalkStops_data();
    void elementWalkStops();
    void memberWalkIsFlat();
    void nodeWalk();

    void validateCallback();
    void acceptAndRestoreCallbacks();
    void resetToFactoryCallback();
    void collectHelpCallback();
};

void TestGroups::rowPlacement_data()
{
    QTest::addColumn<QList<int>>("heights");
    QTest::addColumn<QList<int>>("expectedY");

    QTest::newRow("edit, button, tall") << QList<int>{22, 24, 90} << QList<int>{0, 29, 58};
    QTest::newRow("exact row fits one row") << QList<int>{29, 29} << QList<int>{0, 29};
    QTest::newRow("one pixel over takes two rows") << QList<int>{30, 22} << QList<int>{0, 58};
    QTest::newRow("flat control still takes a row") << QList<int>{1, 1, 1} << QList<int>{0, 29, 58};
}

void TestGroups::rowPlacement()
{
    QFETCH(QList<int>, heights);
    QFETCH(QList<int>, expectedY);

    ComplexElement area("GROUP", nullptr, nullptr);
    QList<Element *> members;
    for (int i = 0; i < heights.size(); ++i) {
        auto *member = new FixedHeightElement(QString("m%1").arg(i), heights.at(i));
        area.addElement(member);
        members << member;
    }
    QWidget panel;
    panel.resize(370, 145);
    QWidget *frame = area.createControl(&panel);

    QCOMPARE(frame->geometry(), QRect(0, 0, 370, 145));
    QList<int> y;
    for (Element *member : members) {
        QCOMPARE(member->control()->parentWidget(), frame);
        y << member->control()->y();
    }
    QCOMPARE(y, expectedY);
}

void TestGroups::membersLiveInTheFrame()
{
    ComplexElement area("GROUP", nullptr, nullptr);
    ConcreteElement *width = valueSetting("Width", "210");
    area.addElement(width);
    QWidget panel;
    panel.resize(370, 145);
    QWidget *frame = area.createControl(&panel);
    QCOMPARE(area.control(), frame);
    QVERIFY(frame->objectName().isEmpty());

    // The member's own row sits inside the frame and still reports edits.
    auto *widthEdit = qobject_cast<QLineEdit *>(width->control());
    QVERIFY(widthEdit);
    QCOMPARE(widthEdit->parentWidget()->parentWidget(), frame);
    QSignalSpy changed(width, &ConcreteElement::valueChanged);
    QTest::keyClick(widthEdit, Qt::Key_Backspace);
    QCOMPARE(width->current(), QString("21"));
    QCOMPARE(changed.size(), 1);
}

void TestGroups::deleteControlRemovesMembersFirst()
{
    ComplexElement area("GROUP", nullptr, nullptr);
    area.setId("ScanArea");
    ConcreteElement *width = valueSetting("Width", "210");
    area.addElement(width);
    QWidget panel;
    panel.resize(370, 145);
    QPointer<QWidget> frame = area.createControl(&panel);
    QPointer<QWidget> row = width->control()->parentWidget();

    LogCapture log;
    area.deleteControl();
    QVERIFY(frame.isNull());
    QVERIFY(row.isNull());
    QCOMPARE(area.control(), nullptr);
    QCOMPARE(width->control(), nullptr);
    const QStringList lines = log.lines().filter("Element::deleteControl:");
    QCOMPARE(lines.size(), 2);
    QVERIFY(log.lines().indexOf(QRegularExpression("(?s).*id\t = Width.*")) <
            log.lines().indexOf(QRegularExpression("(?s).*id\t = ScanArea.*")));

    // Without a control nothing is asked of the members, and the group only logs.
    log.clear();
    area.deleteControl();
    QCOMPARE(log.count("Element::deleteControl:"), 1);
}

void TestGroups::hidingKeepsMembersAndTheirOwnState()
{
    ComplexElement area("GROUP", nullptr, nullptr);
    ConcreteElement *width = valueSetting("Width", "210");
    ConcreteElement *height = valueSetting("Height", "297");
    area.addElement(width);
    area.addElement(height);
    QWidget panel;
    panel.resize(370, 145);
    QWidget *frame = area.createControl(&panel);
    panel.show();
    height->hideControl();

    QSignalSpy visible(&area, &Element::visibleChanged);
    area.hideControl();
    QVERIFY(frame->isHidden());
    QVERIFY(!width->control()->isVisible());
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.at(0).at(0).toBool(), false);

    area.showControl();
    QCOMPARE(visible.size(), 2);
    QCOMPARE(visible.at(1).at(0).toBool(), true);
    QVERIFY(frame->isVisible());
    QVERIFY(width->control()->isVisible());
    // Hidden by its own rule before, still hidden now.
    QVERIFY(!height->control()->isVisible());
}

void TestGroups::selfCheckShapesTheNewFrame()
{
    ConcreteElement *mode = valueSetting("Mode", "off");
    std::unique_ptr<ConcreteElement> modeOwner(mode);
    ComplexElement area("GROUP", nullptr, nullptr);
    area.setId("Area");
    Dependency rules("Area", &area);
    rules.constraints.push_back(hideWhen(mode, "off"));
    area.setDependency(&rules);

    QWidget panel;
    panel.resize(370, 145);
    QSignalSpy visible(&area, &Element::visibleChanged);
    QWidget *frame = area.createControl(&panel);
    QVERIFY(frame->isHidden());
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible.at(0).at(0).toBool(), false);
}

void TestGroups::membersAreDeletedWithTheGroup()
{
    QPointer<ConcreteElement> member = valueSetting("Width", "1");
    {
        ComplexElement area("GROUP", nullptr, nullptr);
        area.addElement(member);
        area.addElement(nullptr); // ignored
        QCOMPARE(area.elements().size(), 1);
        QVERIFY(area.isComplex());
    }
    QVERIFY(member.isNull());
}

void TestGroups::elementWalkOrder()
{
    auto outer = nestedGroups();
    Visits visits;
    LogCapture log;
    QVERIFY(enumerate(outer.get(), recordVisit, &visits));
    QCOMPARE(visits.ids, (QStringList{"Outer", "A", "Inner", "B", "C", "D"}));
    const QStringList lines = log.lines();
    QVERIFY(lines.contains(" enumerate Outer"));
    QVERIFY(lines.contains(" enumerate Inner"));
    QVERIFY(lines.contains("elements().count() = 3"));
    QVERIFY(lines.contains("elements().count() = 2"));
    QVERIFY(lines.contains("retcode = true for 'Inner'"));
    QCOMPARE(lines.last(), QString("retcode = true for 'Outer'"));
}

void TestGroups::elementWalkStops_data()
{
    QTest::addColumn<QString>("stopAt");
    QTest::addColumn<QStringList>("visited");
    QTest::addColumn<QStringList>("stopLines");

    QTest::newRow("at the group itself")
        << "Outer" << QStringList{"Outer"} << QStringList{"retcode = false for 'Outer'"};
    QTest::newRow("at a direct member")
        << "A" << QStringList{"Outer", "A"} << QStringList{"retcode = false for 'A'"};
    QTest::newRow("inside a nested group")
        << "B" << QStringList{"Outer", "A", "Inner", "B"}
        << QStringList{"retcode = false for 'B'", "retcode = false for 'Inner'"};
    QTest::newRow("at a nested group")
        << "Inner" << QStringList{"Outer", "A", "Inner"}
        << QStringList{"retcode = false for 'Inner'", "retcode = false for 'Inner'"};
}

void TestGroups::elementWalkStops()
{
    QFETCH(QString, stopAt);
    QFETCH(QStringList, visited);
    QFETCH(QStringList, stopLines);

    auto outer = nestedGroups();
    Visits visits{{}, stopAt};
    LogCapture log;
    QVERIFY(!enumerate(outer.get(), recordVisit, &visits));
    QCOMPARE(visits.ids, visited);
    QCOMPARE(log.lines().filter("retcode = "), stopLines);
}

void TestGroups::memberWalkIsFlat()
{
    auto outer = nestedGroups();
    Visits visits;
    QVERIFY(enumerateMembers(outer.get(), recordVisit, &visits));
    QCOMPARE(visits.ids, (QStringList{"A", "Inner", "D"}));

    Visits stopped{{}, "Inner"};
    LogCapture log;
    QVERIFY(!enumerateMembers(outer.get(), recordVisit, &stopped));
    QCOMPARE(stopped.ids, (QStringList{"A", "Inner"}));
    QCOMPARE(log.lines().filter("retcode"), QStringList{"retcode = false for 'Inner'"});
}

void TestGroups::nodeWalk()
{
    // Root: X, Outer(...); Sub1: Y; Sub1/Deep: Z; Sub2: W.
    NodeDesc root("Root", "Root", nullptr);
    root.addElement(std::unique_ptr<Element>(valueSetting("X", "")));
    root.addElement(nestedGroups());
    NodeDesc *sub1 = root.addChild(std::make_unique<NodeDesc>("Sub1", "Sub1", &root));
    sub1->addElement(std::unique_ptr<Element>(valueSetting("Y", "")));
    NodeDesc *deep = sub1->addChild(std::make_unique<NodeDesc>("Deep", "Deep", sub1));
    deep->addElement(std::unique_ptr<Element>(valueSetting("Z", "")));
    NodeDesc *sub2 = root.addChild(std::make_unique<NodeDesc>("Sub2", "Sub2", &root));
    sub2->addElement(std::unique_ptr<Element>(valueSetting("W", "")));

    Visits all;
    LogCapture log;
    QVERIFY(enumerate(&root, recordVisit, &all));
    QCOMPARE(all.ids, (QStringList{"X", "Outer", "A", "Inner", "B", "C", "D", "Y", "Z", "W"}));
    QCOMPARE(log.lines().filter(QRegularExpression("^enumerate ")),
             (QStringList{"enumerate Root", "enumerate Sub1", "enumerate Deep", "enumerate Sub2"}));

    Visits stopped{{}, "Z"};
    QVERIFY(!enumerate(&root, recordVisit, &stopped));
    QCOMPARE(stopped.ids.last(), QString("Z"));
    QVERIFY(!stopped.ids.contains("W"));

    Visits inGroup{{}, "C"};
    QVERIFY(!enumerate(&root, recordVisit, &inGroup));
    QCOMPARE(inGroup.ids.last(), QString("C"));
    QVERIFY(!inGroup.ids.contains("D"));
    QVERIFY(!inGroup.ids.contains("Y"));
}

void TestGroups::validateCallback()
{
    MessageBoxRecorder boxes;
    std::unique_ptr<ConcreteElement> good(valueSetting("Host", "10.0.0.1", "IPADDRESS"));
    std::unique_ptr<ConcreteElement> bad(valueSetting("Gateway", "0.0.0.0", "IPADDRESS"));
    ButtonElement button("BUTTON", nullptr, nullptr);
    button.setId("Reset");

    LogCapture log;
    QVERIFY(ValidateCallback(good.get(), nullptr));
    QVERIFY(ValidateCallback(&button, nullptr));
    QCOMPARE(boxes.count(), 0);
    QVERIFY(!ValidateCallback(bad.get(), nullptr));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(log.lines().filter("validateChanges for"),
             (QStringList{"validateChanges for 'Host'", "validateChanges for 'Reset'",
                          "validateChanges for 'Gateway'"}));

    // A walk over a group stops at the invalid member and leaves the rest alone.
    ComplexElement form("GROUP", nullptr, nullptr);
    form.setId("Network");
    form.addElement(bad.release());
    form.addElement(good.release());
    log.clear();
    QVERIFY(!enumerate(&form, ValidateCallback, nullptr));
    QVERIFY(!log.contains("validateChanges for 'Host'"));
}

void TestGroups::acceptAndRestoreCallbacks()
{
    std::unique_ptr<ConcreteElement> subject(valueSetting("Subject", "Scan"));
    subject->setObjectName("Scan");
    subject->setCurrent("Invoice");
    ButtonElement button("BUTTON", nullptr, nullptr);

    LogCapture log;
    QVERIFY(AcceptCallback(subject.get(), nullptr));
    QVERIFY(AcceptCallback(&button, nullptr));
    QCOMPARE(subject->initial(), QString("Invoice"));
    QCOMPARE(subject->objectName(), QString("Invoice"));
    QVERIFY(log.contains("id: Subject\n\tvalue: Invoice\n\tinit: Invoice"));

    subject->setCurrent("Receipt");
    QSignalSpy changed(subject.get(), &ConcreteElement::valueChanged);
    QVERIFY(RestoreCallback(subject.get(), nullptr));
    QVERIFY(RestoreCallback(&button, nullptr));
    QCOMPARE(subject->current(), QString("Invoice"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QString("Invoice"));

    // Restoring an unchanged value still reports it, so every row is redrawn.
    QVERIFY(RestoreCallback(subject.get(), nullptr));
    QCOMPARE(changed.size(), 2);

    // A null value stays null through a commit.
    subject->setCurrent(QString());
    QVERIFY(AcceptCallback(subject.get(), nullptr));
    QVERIFY(subject->initial().isNull());
    QVERIFY(subject->objectName().isEmpty());
}

void TestGroups::resetToFactoryCallback()
{
    CountingFactoryElement changed("Copies", "3");
    changed.setFactory("1");
    CountingFactoryElement same("Darkness", "5");
    same.setFactory("5");
    CountingFactoryElement noFactory("Title", "x");
    std::unique_ptr<ConcreteElement> plain(valueSetting("Plain", "y"));

    QWidget panel;
    panel.resize(370, 145);
    changed.createControl(&panel);
    QSignalSpy changedSpy(&changed, &ConcreteElement::valueChanged);
    QSignalSpy sameSpy(&same, &ConcreteElement::valueChanged);
    QSignalSpy noFactorySpy(&noFactory, &ConcreteElement::valueChanged);

    for (Element *element : {static_cast<Element *>(&changed), static_cast<Element *>(&same),
                             static_cast<Element *>(&noFactory), static_cast<Element *>(plain.get())})
        QVERIFY(ResetToFactoryCallback(element, nullptr));

    QCOMPARE(changed.current(), QString("1"));
    QCOMPARE(changed.controlValues, QStringList{"1"});
    QCOMPARE(changedSpy.size(), 1);
    QCOMPARE(qobject_cast<QLineEdit *>(changed.control())->text(), QString("1"));
    QVERIFY(same.controlValues.isEmpty());
    QCOMPARE(sameSpy.size(), 0);
    QCOMPARE(noFactory.current(), QString("x"));
    QVERIFY(noFactory.controlValues.isEmpty());
    QCOMPARE(noFactorySpy.size(), 0);
    QCOMPARE(plain->current(), QString("y"));

    // An empty factory value is a value: it replaces the current text.
    CountingFactoryElement emptyFactory("Note", "abc");
    emptyFactory.setFactory("");
    QVERIFY(ResetToFactoryCallback(&emptyFactory, nullptr));
    QCOMPARE(emptyFactory.current(), QString(""));
    QCOMPARE(emptyFactory.controlValues, QStringList{""});
}

void TestGroups::collectHelpCallback()
{
    ComplexElement area("GROUP", nullptr, nullptr);
    ConcreteElement *width = valueSetting("Width", "1");
    width->setTitle("Width");
    width->setDescription("Scan width in mm");
    ButtonElement *button = new ButtonElement("BUTTON", nullptr, nullptr);
    button->setTitle("Reset");
    button->setDescription("Back to A4");
    area.addElement(width);
    area.addElement(button);

    QString text;
    QVERIFY(enumerateMembers(&area, CollectHelpCallback, &text));
    QCOMPARE(text, QString("*Width<br>Scan width in mm<br><br>*Reset<br>Back to A4<br><br>"));
}

QTEST_MAIN(TestGroups)
#include "tst_groups.moc"
