#include "description/nodedesc.h"
#include "elements/buttonelement.h"
#include "elements/complexelement.h"
#include "elements/enumerate.h"
#include "valuefixtures.h"

#include <QPointer>
#include <QTest>

namespace {

// A member whose control is a plain widget of a chosen height, so the group's
// row arithmetic can be checked without depending on style metrics.
class FixedHeightElement : public Element
{
public:
    FixedHeightElement(int height) : Element("BUTTON", nullptr, nullptr), m_height(height) {}
    QWidget *createControl(QWidget *parent) override
    {
        setControl(new QWidget(parent));
        control()->resize(parent->width(), m_height);
        return control();
    }

private:
    int m_height;
};

ConcreteElement *valueSetting(const QString &id, const QString &value = "1")
{
    return makeValueElement("EDITBOX", id, value).release();
}

ComplexElement *group(const QString &id)
{
    auto *element = new ComplexElement("GROUP", nullptr, nullptr);
    element->setId(id);
    return element;
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
    outer->addElement(valueSetting("A"));
    ComplexElement *inner = group("Inner");
    inner->addElement(valueSetting("B"));
    inner->addElement(valueSetting("C"));
    outer->addElement(inner);
    outer->addElement(nullptr); // ignored
    outer->addElement(valueSetting("D"));
    return outer;
}

} // namespace

class TestGroups : public QObject
{
    Q_OBJECT

private slots:
    void rowPlacement_data()
    {
        addColumns<QList<int>, QList<int>>({"heights", "expectedY"});
        QTest::newRow("edit, button, tall") << QList<int>{22, 24, 90} << QList<int>{0, 29, 58};
        QTest::newRow("exact row fits one row") << QList<int>{29, 29} << QList<int>{0, 29};
        QTest::newRow("one pixel over takes two rows") << QList<int>{30, 22} << QList<int>{0, 58};
        QTest::newRow("flat control still takes a row") << QList<int>{1, 1, 1} << QList<int>{0, 29, 58};
    }
    void rowPlacement()
    {
        QFETCH(QList<int>, heights);
        ComplexElement area("GROUP", nullptr, nullptr);
        for (int height : heights)
            area.addElement(new FixedHeightElement(height));
        QWidget panel;
        panel.resize(370, 145);
        QWidget *frame = area.createControl(&panel);
        QCOMPARE(frame->geometry(), QRect(0, 0, 370, 145));
        QList<int> y;
        for (Element *member : area.elements()) {
            QCOMPARE(member->control()->parentWidget(), frame);
            y << member->control()->y();
        }
        QTEST(y, "expectedY");
    }

    void membersLiveAndDieInTheFrame()
    {
        QPointer<ConcreteElement> width = valueSetting("Width", "210");
        {
            ComplexElement area("GROUP", nullptr, nullptr);
            area.addElement(width);
            Panel panel;
            QPointer<QWidget> frame = area.createControl(&panel);
            // The member's own row sits inside the frame.
            QCOMPARE(width->control()->parentWidget()->parentWidget(), frame.data());
            // Members forget their controls before the frame goes.
            area.deleteControl();
            QVERIFY(frame.isNull());
            QCOMPARE(width->control(), nullptr);
        }
        // Members are owned by their group.
        QVERIFY(width.isNull());
    }

    void hidingKeepsMembersOwnState()
    {
        TestValueElement mode("Mode", "off");
        ComplexElement area("GROUP", nullptr, nullptr);
        ConcreteElement *width = valueSetting("Width");
        ConcreteElement *height = valueSetting("Height");
        area.addElement(width);
        area.addElement(height);
        Panel panel;
        QWidget *frame = area.createControl(&panel);
        panel.show();
        height->hideControl();

        QSignalSpy visible(&area, &Element::visibleChanged);
        area.hideControl();
        QVERIFY(frame->isHidden());
        QVERIFY(!width->control()->isVisible());
        area.showControl();
        QCOMPARE(reported(visible), QStringList({"false", "true"}));
        QVERIFY(width->control()->isVisible());
        // Hidden by its own rule before, still hidden now.
        QVERIFY(!height->control()->isVisible());

        // A rule of the group's own shapes its new frame.
        Dependency rules("Area", &area);
        rules.constraints.push_back(ruleOn(Constraint::Hide, &mode, "off"));
        area.setDependency(&rules);
        area.deleteControl();
        QVERIFY(area.createControl(&panel)->isHidden());
    }

    void walks_data()
    {
        addColumns<bool, QString, QStringList>({"membersOnly", "stopAt", "visited"});
        const auto row = [](const char *name, bool membersOnly, const char *stopAt,
                            const QStringList &visited) {
            QTest::newRow(name) << membersOnly << QString(stopAt) << visited;
        };
        row("whole walk, group first", false, "", {"Outer", "A", "Inner", "B", "C", "D"});
        row("stop at the group itself", false, "Outer", {"Outer"});
        row("stop inside a nested group", false, "B", {"Outer", "A", "Inner", "B"});
        row("stop at a nested group", false, "Inner", {"Outer", "A", "Inner"});
        row("members only, flat", true, "", {"A", "Inner", "D"});
        row("members only, stop", true, "Inner", {"A", "Inner"});
    }
    void walks()
    {
        QFETCH(bool, membersOnly);
        QFETCH(QString, stopAt);
        auto outer = nestedGroups();
        Visits visits{{}, stopAt};
        const bool completed = membersOnly ? enumerateMembers(outer.get(), recordVisit, &visits)
                                           : enumerate(outer.get(), recordVisit, &visits);
        QCOMPARE(completed, stopAt.isEmpty());
        QTEST(visits.ids, "visited");
    }

    void nodeWalkStopsEverywhere()
    {
        // Root: X, Outer(...); Sub1: Y; Sub1/Deep: Z; Sub2: W.
        NodeDesc root("Root", "Root", nullptr);
        root.addElement(std::unique_ptr<Element>(valueSetting("X")));
        root.addElement(nestedGroups());
        NodeDesc *sub1 = root.addChild(std::make_unique<NodeDesc>("Sub1", "Sub1", &root));
        sub1->addElement(std::unique_ptr<Element>(valueSetting("Y")));
        NodeDesc *deep = sub1->addChild(std::make_unique<NodeDesc>("Deep", "Deep", sub1));
        deep->addElement(std::unique_ptr<Element>(valueSetting("Z")));
        NodeDesc *sub2 = root.addChild(std::make_unique<NodeDesc>("Sub2", "Sub2", &root));
        sub2->addElement(std::unique_ptr<Element>(valueSetting("W")));

        const QStringList order{"X", "Outer", "A", "Inner", "B", "C", "D", "Y", "Z", "W"};
        // A stop deep in a category or inside a group ends the whole walk.
        for (const QString &stopAt : {QString(), QString("Z"), QString("C")}) {
            Visits visits{{}, stopAt};
            QCOMPARE(enumerate(&root, recordVisit, &visits), stopAt.isNull());
            QCOMPARE(visits.ids, stopAt.isNull() ? order : order.mid(0, order.indexOf(stopAt) + 1));
        }
    }

    void commitKeepsNullAndCollectsHelp()
    {
        std::unique_ptr<ConcreteElement> subject(valueSetting("Subject", "Scan"));
        subject->setCurrent(QString());
        QVERIFY(AcceptCallback(subject.get(), nullptr));
        QVERIFY(subject->initial().isNull());

        ComplexElement area("GROUP", nullptr, nullptr);
        ConcreteElement *width = valueSetting("Width");
        width->setDescription("Scan width in mm");
        auto *button = new ButtonElement("BUTTON", nullptr, nullptr);
        button->setTitle("Reset");
        button->setDescription("Back to A4");
        area.addElement(width);
        area.addElement(button);
        QString text;
        QVERIFY(enumerateMembers(&area, CollectHelpCallback, &text));
        QCOMPARE(text, QString("*Width<br>Scan width in mm<br><br>*Reset<br>Back to A4<br><br>"));
    }
};

QTEST_MAIN(TestGroups)
#include "tst_groups.moc"
