#include "common/logcapture.h"
#include "common/testelements.h"
#include "description/condition.h"
#include "description/conditionnode.h"
#include "description/constraint.h"
#include "description/dependency.h"
#include "description/papersizeparameter.h"
#include "elements/attribute.h"
#include "elements/common.h"
#include "elements/listelement.h"
#include "elements/numericelement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

// A list setting whose options are titled after their ids in lower case.
std::unique_ptr<ListElement> makeList(const QByteArray &controlName, const QStringList &ids,
                                      const QString &current, const QString &factory = QString("A4"))
{
    auto list = std::make_unique<ListElement>(controlName, nullptr, nullptr);
    list->setId("Paper");
    list->setTitle("Paper");
    for (const QString &id : ids) {
        auto *option = new Parameter(id);
        option->setTitle(id.toLower());
        list->addParameter(option);
    }
    list->setCurrent(current);
    list->setFactory(factory);
    return list;
}

QStringList offeredIds(const ListElement &list)
{
    QStringList ids;
    for (const auto &option : list.parameters()) {
        if (option->visible())
            ids << option->id();
    }
    return ids;
}

QStringList comboItems(const QComboBox *comboBox)
{
    QStringList items;
    for (int i = 0; i < comboBox->count(); ++i)
        items << comboBox->itemText(i);
    return items;
}

QStringList radioNames(const QWidget *groupBox)
{
    QStringList names;
    for (const QRadioButton *button : groupBox->findChildren<QRadioButton *>())
        names << button->objectName();
    return names;
}

// A kind-3 rule that holds while "Region" is "us" and offers only values.
std::unique_ptr<Constraint> usOnlyRule(IElement *region, const QStringList &values, bool selfChecked = true)
{
    auto rule = Constraint::create(Constraint::Restrict);
    rule->values = values;
    rule->selfChecked = selfChecked;
    auto condition = std::make_unique<Condition>();
    condition->addNode(std::make_unique<ConditionNode>("Region", "us", region, ConditionNode::Equal));
    rule->addCondition(std::move(condition));
    return rule;
}

// Counts the checks its sources ask of it.
class Dependent : public TestValueElement
{
public:
    using TestValueElement::TestValueElement;
    bool checkConstraints(IElement *source, bool selfCheck) override
    {
        sources << (source ? source->id() : QString());
        return TestValueElement::checkConstraints(source, selfCheck);
    }
    QStringList sources;
};

const QStringList paperIds{"A4", "Letter", "Let", "Legal"};

// "TopMargin" (28, at most 30) takes its maximum from the top margin of the
// paper size chosen in "Paper", through a two-step reference, whenever
// "Paper" changes.
struct MarginFollowsPaper
{
    MarginFollowsPaper()
    {
        paper.setId("Paper");
        for (const auto &[id, top] : {std::pair{"A4", "30"}, std::pair{"Letter", "25"}}) {
            auto *option = new PaperSizeParameter(id);
            option->setTitle(id);
            option->setMaxTopMargin(top);
            paper.addParameter(option);
        }
        paper.setCurrent("A4");
        margin.setId("TopMargin");
        margin.setMin("0");
        margin.setMax("30");
        margin.setCurrent("28");

        auto rule = Constraint::create(Constraint::Restrict);
        auto condition = std::make_unique<Condition>();
        // No value to compare: holds whatever paper size is chosen.
        condition->addNode(std::make_unique<ConditionNode>("Paper", QString(), &paper, ConditionNode::Equal));
        rule->addCondition(std::move(condition));
        auto attribute = std::make_unique<Attribute>();
        attribute->name = "MAX";
        attribute->isReference = true;
        attribute->source = &paper;
        attribute->path = QStringList{"current", "maxtopmargin"};
        rule->addAttribute(std::move(attribute));
        rules.constraints.push_back(std::move(rule));
        margin.setDependency(&rules);
        paper.addDependentElement(&margin);
    }

    ListElement paper{"PAPERSIZE", nullptr, nullptr};
    NumericElement margin{"INTEGER", nullptr, nullptr};
    Dependency rules{"TopMargin", &margin};
};

} // namespace

class ListElementTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void currentTextFallsBack_data();
    void currentTextFallsBack();
    void restrictKeepsSubstringMatches_data();
    void restrictKeepsSubstringMatches();
    void nullArgumentsWarnAndDoNothing();

    void checkBoxState_data();
    void checkBoxState();
    void checkBoxClicksPickFirstTwoOptions();
    void radioIdsAreChecksums_data();
    void radioIdsAreChecksums();
    void radioClickReportsButtonName();
    void comboKeysPickOfferedOption();
    void comboPickWithoutOptionFallsBackToFactory();
    void setControlValueShowsWithoutReporting_data();
    void setControlValueShowsWithoutReporting();
    void deleteControlEmptiesPanel_data();
    void deleteControlEmptiesPanel();

    void narrowingRebuildsControl_data();
    void narrowingRebuildsControl();
    void withdrawnCurrentMovesOn_data();
    void withdrawnCurrentMovesOn();
    void selfCheckShapesNewControl();

    void referenceThroughPaperSize();
    void referenceFailsForUnofferedValue_data();
    void referenceFailsForUnofferedValue();
};

void ListElementTest::init()
{
    // A warning here means a pointer check fired where none was expected.
    QTest::failOnWarning(QRegularExpression("."));
}

void ListElementTest::currentTextFallsBack_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("factory");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("errorLogged");

    QTest::newRow("current offered") << "Legal"
                                     << "A4"
                                     << "legal" << false;
    QTest::newRow("current withdrawn, factory offered") << "Letter"
                                                        << "A4"
                                                        << "a4" << true;
    QTest::newRow("current unknown, factory offered") << "B5"
                                                      << "A4"
                                                      << "a4" << true;
    QTest::newRow("neither offered") << "B5"
                                     << "Letter"
                                     << "Unknown parameter" << true;
}

void ListElementTest::currentTextFallsBack()
{
    QFETCH(QString, current);
    QFETCH(QString, factory);
    auto list = makeList("COMBOBOX", {"A4", "Letter", "Legal"}, current, factory);
    list->parameters()[1]->setVisible(false);

    LogCapture log;
    QTEST(list->currentText(), "text");
    QTEST(log.contains("Error: can't find current parameter description for listElement: \n\tid\t = Paper"),
          "errorLogged");
}

void ListElementTest::restrictKeepsSubstringMatches_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("visibleBefore");
    QTest::addColumn<bool>("withRule");
    QTest::addColumn<bool>("visibleAfter");

    QTest::newRow("exact entry") << "Letter" << true << true << true;
    QTest::newRow("substring of an entry") << "Let" << true << true << true;
    QTest::newRow("case differs") << "letter" << true << true << false;
    QTest::newRow("in no entry") << "A4" << true << true << false;
    QTest::newRow("withdrawn stays withdrawn") << "Let" << false << true << false;
    QTest::newRow("no rule offers again") << "A4" << false << false << true;
}

void ListElementTest::restrictKeepsSubstringMatches()
{
    QFETCH(QString, id);
    QFETCH(bool, visibleBefore);
    QFETCH(bool, withRule);
    Parameter option(id);
    option.setVisible(visibleBefore);
    Constraint rule(Constraint::Restrict);
    rule.values = QStringList{"Legal", "Letter"};

    Restrict(&option, withRule ? &rule : nullptr);
    QTEST(option.visible(), "visibleAfter");
}

void ListElementTest::nullArgumentsWarnAndDoNothing()
{
    const QRegularExpression warning("^In file common\\.cpp, line \\d+: Out of memory$");
    Parameter option("A4");
    QComboBox comboBox;
    auto list = makeList("RADIOBUTTON", {"A4"}, "A4");

    QTest::ignoreMessage(QtWarningMsg, warning);
    AddComboItem(&option, nullptr);
    QTest::ignoreMessage(QtWarningMsg, warning);
    AddComboItem(nullptr, &comboBox);
    QTest::ignoreMessage(QtWarningMsg, warning);
    Restrict(nullptr, nullptr);
    QTest::ignoreMessage(QtWarningMsg, warning);
    AddRadioButton(&option, nullptr);
    // A radio list without its group yet: nothing to add the button to.
    QTest::ignoreMessage(QtWarningMsg, warning);
    AddRadioButton(&option, list.get());
    QCOMPARE(comboBox.count(), 0);
}

void ListElementTest::checkBoxState_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("firstOffered");
    QTest::addColumn<bool>("checked");

    QTest::newRow("first option is off") << "Off" << true << false;
    QTest::newRow("second option is on") << "On" << true << true;
    QTest::newRow("other value is off") << "Auto" << true << false;
    QTest::newRow("second counted among offered only") << "On" << false << false;
}

void ListElementTest::checkBoxState()
{
    QFETCH(QString, current);
    QFETCH(bool, firstOffered);
    auto list = makeList("CHECKBOX", {"Off", "On"}, current, "Off");
    list->parameters()[0]->setVisible(firstOffered);
    QWidget panel;
    panel.resize(300, 100);

    QWidget *row = list->createControl(&panel);
    auto *checkBox = qobject_cast<QCheckBox *>(list->control());
    QVERIFY(checkBox);
    QCOMPARE(row->objectName(), QString("hbox"));
    QCOMPARE(checkBox->text(), QString("Paper"));
    QCOMPARE(row->findChild<QLabel *>("label")->text(), QString(""));
    QTEST(checkBox->isChecked(), "checked");
}

void ListElementTest::checkBoxClicksPickFirstTwoOptions()
{
    auto list = makeList("CHECKBOX", {"Off", "On"}, "Off", "Off");
    Dependent watcher("Watcher");
    list->addDependentElement(&watcher);
    QWidget panel;
    panel.resize(300, 100);
    list->createControl(&panel);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy changed(list.get(), &ListElement::valueChanged);

    auto *checkBox = qobject_cast<QCheckBox *>(list->control());
    QTest::mouseClick(checkBox, Qt::LeftButton, {}, QPoint(5, checkBox->height() / 2));
    QCOMPARE(list->current(), QString("On"));
    QTest::mouseClick(checkBox, Qt::LeftButton, {}, QPoint(5, checkBox->height() / 2));
    QCOMPARE(list->current(), QString("Off"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toString(), QString("On"));
    QCOMPARE(watcher.sources, QStringList({"Paper", "Paper"}));
}

void ListElementTest::radioIdsAreChecksums_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QList<int>>("buttonIds");

    QTest::newRow("ISO 3309 check value above 32767") << QStringList{"123456789"} << QList<int>{36974};
    QTest::newRow("plain option ids") << QStringList{"A4", "Letter"} << QList<int>{10078, 49957};
    QTest::newRow("equal checksums share an id")
        << QStringList{"Tray9A", "TrayCRA"} << QList<int>{3991, 3991};
}

void ListElementTest::radioIdsAreChecksums()
{
    QFETCH(QStringList, ids);
    QFETCH(QList<int>, buttonIds);
    auto list = makeList("RADIOBUTTON", ids, ids.first());
    QWidget panel;
    panel.resize(300, 200);
    list->createControl(&panel);

    QButtonGroup *group = list->buttonGroup();
    QVERIFY(group && group->exclusive());
    for (int i = 0; i < ids.size(); ++i) {
        auto *button = list->control()->findChild<QRadioButton *>(ids.at(i));
        QVERIFY(button);
        QCOMPARE(button->text(), ids.at(i).toLower());
        QCOMPARE(group->id(button), buttonIds.at(i));
        QCOMPARE(RadioButtonId(ids.at(i)), buttonIds.at(i));
    }
}

void ListElementTest::radioClickReportsButtonName()
{
    auto list = makeList("RADIOBUTTON", {"Draft", "Normal", "Best"}, "Unknown", "Normal");
    Dependent watcher("Watcher");
    list->addDependentElement(&watcher);
    QWidget panel;
    panel.resize(300, 200);
    list->createControl(&panel);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    // An unknown current shows the factory choice.
    QCOMPARE(list->buttonGroup()->checkedButton()->objectName(), QString("Normal"));
    QSignalSpy changed(list.get(), &ListElement::valueChanged);

    auto *best = list->control()->findChild<QRadioButton *>("Best");
    QTest::mouseClick(best, Qt::LeftButton, {}, QPoint(5, best->height() / 2));
    QCOMPARE(list->current(), QString("Best"));
    // The same pick again is reported but does not disturb the dependents.
    QTest::mouseClick(best, Qt::LeftButton, {}, QPoint(5, best->height() / 2));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toString(), QString("Best"));
    QCOMPARE(watcher.sources, QStringList({"Paper"}));
}

void ListElementTest::comboKeysPickOfferedOption()
{
    auto list = makeList("PAPERSIZE", {"A4", "Letter", "Legal"}, "A4");
    list->parameters()[1]->setVisible(false);
    QWidget panel;
    panel.resize(300, 100);
    list->createControl(&panel);
    auto *comboBox = qobject_cast<QComboBox *>(list->control());
    QVERIFY(comboBox && !comboBox->isEditable());
    QCOMPARE(comboItems(comboBox), QStringList({"a4", "legal"}));
    QSignalSpy changed(list.get(), &ListElement::valueChanged);

    LogCapture log;
    QTest::keyClick(comboBox, Qt::Key_Down);
    QCOMPARE(list->current(), QString("Legal"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(log.contains("[DEBUG]: ListElement::OnClick(): item=1"));
    QVERIFY(log.contains("[DEBUG]: ListElement::OnClick(): newValue=Legal; parameter is found=yes"));
}

void ListElementTest::comboPickWithoutOptionFallsBackToFactory()
{
    auto list = makeList("COMBOBOX", {"A4", "Letter", "Legal"}, "A4", "Letter");
    QWidget panel;
    panel.resize(300, 100);
    list->createControl(&panel);
    // Every option withdrawn behind the shown control's back.
    for (const auto &option : list->parameters())
        option->setVisible(false);

    LogCapture log;
    QTest::keyClick(list->control(), Qt::Key_Down);
    QCOMPARE(list->current(), QString("Letter"));
    QVERIFY(log.contains("[DEBUG]: ListElement::OnClick(): newValue=Letter; parameter is found=no"));
}

void ListElementTest::setControlValueShowsWithoutReporting_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::newRow("combo box") << QByteArray("COMBOBOX");
    QTest::newRow("radio buttons") << QByteArray("RADIOBUTTON");
    QTest::newRow("check box") << QByteArray("CHECKBOX");
}

void ListElementTest::setControlValueShowsWithoutReporting()
{
    QFETCH(QByteArray, controlName);
    auto list = makeList(controlName, {"A4", "Letter"}, "A4");
    Dependent watcher("Watcher");
    list->addDependentElement(&watcher);
    QWidget panel;
    panel.resize(300, 200);
    list->createControl(&panel);
    QSignalSpy changed(list.get(), &ListElement::valueChanged);

    list->setControlValue("Letter");
    QWidget *control = list->control();
    if (auto *comboBox = qobject_cast<QComboBox *>(control))
        QCOMPARE(comboBox->currentIndex(), 1);
    else if (auto *checkBox = qobject_cast<QCheckBox *>(control))
        QVERIFY(checkBox->isChecked());
    else
        QCOMPARE(list->buttonGroup()->checkedButton()->objectName(), QString("Letter"));
    QCOMPARE(list->current(), QString("A4"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(watcher.sources, QStringList({"Paper"}));
}

void ListElementTest::deleteControlEmptiesPanel_data()
{
    setControlValueShowsWithoutReporting_data();
}

void ListElementTest::deleteControlEmptiesPanel()
{
    QFETCH(QByteArray, controlName);
    auto list = makeList(controlName, {"A4", "Letter"}, "A4");
    QWidget panel;
    list->createControl(&panel);
    QVERIFY(!panel.findChildren<QWidget *>().isEmpty());

    list->deleteControl();
    QCOMPARE(list->control(), nullptr);
    QVERIFY(panel.findChildren<QWidget *>().isEmpty());
}

void ListElementTest::narrowingRebuildsControl_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::newRow("combo box") << QByteArray("COMBOBOX");
    QTest::newRow("radio buttons") << QByteArray("RADIOBUTTON");
}

void ListElementTest::narrowingRebuildsControl()
{
    QFETCH(QByteArray, controlName);
    TestValueElement region("Region", "us");
    auto list = makeList(controlName, paperIds, "Letter");
    Dependency rules("Paper", list.get());
    rules.constraints.push_back(usOnlyRule(&region, {"Letter"}, false));
    list->setDependency(&rules);
    region.addDependentElement(list.get());
    QWidget panel;
    panel.resize(300, 200);
    list->createControl(&panel);
    QSignalSpy changed(list.get(), &ListElement::valueChanged);

    region.checkDependencies();
    QCOMPARE(offeredIds(*list), QStringList({"Letter", "Let"}));
    if (auto *comboBox = qobject_cast<QComboBox *>(list->control())) {
        QCOMPARE(comboItems(comboBox), QStringList({"letter", "let"}));
        QCOMPARE(comboBox->currentIndex(), 0);
    } else {
        QCOMPARE(radioNames(list->control()), QStringList({"Letter", "Let"}));
        QCOMPARE(list->buttonGroup()->checkedButton()->objectName(), QString("Letter"));
    }

    // Once the rule no longer holds, everything is offered again.
    region.setCurrent("eu");
    region.checkDependencies();
    QCOMPARE(offeredIds(*list), paperIds);
    if (auto *comboBox = qobject_cast<QComboBox *>(list->control()))
        QCOMPARE(comboBox->count(), 4);
    else
        QCOMPARE(radioNames(list->control()), paperIds);
    QCOMPARE(changed.count(), 0);
}

void ListElementTest::withdrawnCurrentMovesOn_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("factory");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("current still offered") << "Let"
                                           << "Letter"
                                           << "Let";
    QTest::newRow("to the factory value") << "A4"
                                          << "Let"
                                          << "Let";
    QTest::newRow("factory withdrawn too: first offered") << "A4"
                                                          << "Legal"
                                                          << "Letter";
}

void ListElementTest::withdrawnCurrentMovesOn()
{
    QFETCH(QString, current);
    QFETCH(QString, chosen);
    TestValueElement region("Region", "us");
    QFETCH(QString, factory);
    auto list = makeList("COMBOBOX", paperIds, current, factory);
    Dependency rules("Paper", list.get());
    rules.constraints.push_back(usOnlyRule(&region, {"Letter"}));
    list->setDependency(&rules);
    Dependent watcher("Watcher");
    list->addDependentElement(&watcher);
    QSignalSpy changed(list.get(), &ListElement::valueChanged);

    LogCapture log;
    list->checkConstraints(&region, false);
    QCOMPARE(list->current(), chosen);
    const bool moved = chosen != current;
    QCOMPARE(changed.count(), moved ? 1 : 0);
    QCOMPARE(watcher.sources.size(), moved ? 1 : 0);
    QCOMPARE(log.contains(QString("[DEBUG]: ListElement::applyConstraintValues() val=%1, current()=%2")
                              .arg(chosen, current)),
             moved);
    QVERIFY(log.contains("ListElement::applyConstraintValues() value=Letter"));
}

void ListElementTest::selfCheckShapesNewControl()
{
    TestValueElement region("Region", "us");
    auto list = makeList("COMBOBOX", paperIds, "Legal", "A4");
    Dependency rules("Paper", list.get());
    rules.constraints.push_back(usOnlyRule(&region, {"Letter", "Legal"}));
    list->setDependency(&rules);
    QWidget panel;
    panel.resize(300, 100);

    list->createControl(&panel);
    auto *comboBox = qobject_cast<QComboBox *>(list->control());
    QCOMPARE(comboItems(comboBox), QStringList({"letter", "let", "legal"}));
    QCOMPARE(comboBox->currentText(), QString("legal"));
}

void ListElementTest::referenceThroughPaperSize()
{
    MarginFollowsPaper fixture;
    QSignalSpy maxChanged(&fixture.margin, &NumericElement::maxChanged);
    QWidget paperPanel;
    QWidget marginPanel;
    paperPanel.resize(300, 100);
    marginPanel.resize(300, 100);
    fixture.paper.createControl(&paperPanel);
    fixture.margin.createControl(&marginPanel);
    auto *spinBox = qobject_cast<QSpinBox *>(fixture.margin.control());
    QVERIFY(spinBox);

    QTest::keyClick(fixture.paper.control(), Qt::Key_Down);
    QCOMPARE(fixture.paper.current(), QString("Letter"));
    QCOMPARE(fixture.margin.max(), QString("25"));
    QCOMPARE(maxChanged.count(), 1);
    // The lowered maximum reaches the open spin box and pulls the value down.
    QCOMPARE(spinBox->maximum(), 25);
    QCOMPARE(fixture.margin.current(), QString("25"));
}

void ListElementTest::referenceFailsForUnofferedValue_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("withdrawLetter");

    QTest::newRow("value is no option") << "Legal" << false;
    QTest::newRow("option withdrawn") << "Letter" << true;
}

void ListElementTest::referenceFailsForUnofferedValue()
{
    QFETCH(QString, current);
    QFETCH(bool, withdrawLetter);
    MarginFollowsPaper fixture;
    fixture.paper.setCurrent(current);
    fixture.paper.parameters()[1]->setVisible(!withdrawLetter);
    QSignalSpy maxChanged(&fixture.margin, &NumericElement::maxChanged);

    LogCapture log;
    fixture.paper.checkDependencies();
    QCOMPARE(fixture.margin.max(), QString("30"));
    QCOMPARE(fixture.margin.current(), QString("28"));
    QCOMPARE(maxChanged.count(), 0);
    QVERIFY(log.contains(QString("Attribute::apply(): Error: referenced attribute has dept 2 but can't get "
                                 "specified parameter\n\tcontrol id: Paper\n\tvalue: %1\n")
                             .arg(current)));
}

QTEST_MAIN(ListElementTest)
#include "tst_listelement.moc"
