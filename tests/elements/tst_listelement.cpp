#include "description/papersizeparameter.h"
#include "elements/attribute.h"
#include "elements/common.h"
#include "elements/listelement.h"
#include "valuefixtures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>

namespace {

const QStringList paperIds{"A4", "Letter", "Let", "Legal"};

// A list setting whose options are titled after their ids in lower case.
std::unique_ptr<ListElement> makeList(const QByteArray &controlName, const QString &current,
                                      const QString &factory = "A4", const QStringList &ids = paperIds)
{
    auto list = std::make_unique<ListElement>(controlName, nullptr, nullptr);
    list->setId("Paper");
    list->setTitle("Paper");
    for (const QString &id : ids) {
        list->addParameter(new Parameter(id));
        list->parameters().back()->setTitle(id.toLower());
    }
    list->setCurrent(current);
    list->setFactory(factory);
    return list;
}

// The options as the control offers them: combo texts or radio button names.
QStringList shownOptions(const ListElement &list)
{
    QStringList shown;
    if (auto *comboBox = qobject_cast<QComboBox *>(list.control())) {
        for (int i = 0; i < comboBox->count(); ++i)
            shown << comboBox->itemText(i);
    }
    for (const QRadioButton *button : list.control()->findChildren<QRadioButton *>())
        shown << button->objectName();
    return shown;
}

// The option the control shows as chosen.
QString shownChoice(const ListElement &list)
{
    if (auto *comboBox = qobject_cast<QComboBox *>(list.control()))
        return comboBox->currentText();
    if (auto *checkBox = qobject_cast<QCheckBox *>(list.control()))
        return checkBox->isChecked() ? "checked" : "unchecked";
    return list.buttonGroup()->checkedButton()->objectName();
}

// A restricting rule that holds while "Region" is "us" and offers only values.
std::unique_ptr<Constraint> usOnlyRule(IElement *region, const QStringList &values, bool selfChecked = true)
{
    auto rule = ruleOn(Constraint::Restrict, region, "us", selfChecked);
    rule->values = values;
    return rule;
}

} // namespace

class ListElementTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // A warning here means a pointer check fired where none was expected.
        QTest::failOnWarning(QRegularExpression("."));
    }

    void withdrawnCurrentFallsBack_data()
    {
        addColumns<QString, QString, QString, QString>({"current", "factory", "text", "chosen"});
        addRow("current offered", "Let", "Letter", "let", "Let");
        addRow("current withdrawn, factory offered", "A4", "Let", "let", "Let");
        addRow("current unknown, factory offered", "B5", "Let", "let", "Let");
        addRow("neither offered: first offered", "A4", "Legal", "Unknown parameter", "Letter");
    }
    void withdrawnCurrentFallsBack()
    {
        QFETCH(QString, current);
        QFETCH(QString, factory);
        QFETCH(QString, chosen);
        TestValueElement region("Region", "us");
        auto list = makeList("COMBOBOX", current, factory);
        // What the rule below withdraws, before any control exists.
        list->parameters()[0]->setVisible(false);
        list->parameters()[3]->setVisible(false);
        QTEST(list->currentText(), "text");
        Dependency rules("Paper", list.get());
        rules.constraints.push_back(usOnlyRule(&region, {"Letter"}));
        list->setDependency(&rules);

        // The self-check of a new control moves a withdrawn current on.
        Shown<ListElement> shown(std::move(list));
        QCOMPARE(shownOptions(*shown.element), QStringList({"letter", "let"}));
        QCOMPARE(shownChoice(*shown.element), chosen.toLower());
        QCOMPARE(shown.element->current(), chosen);
        QCOMPARE(reported(shown.changed), chosen == current ? QStringList() : QStringList{chosen});
        QCOMPARE(shown.dependent.sources.size(), chosen == current ? 0 : 1);
    }

    void restrictKeepsSubstringMatches_data()
    {
        addColumns<QString, bool, bool, bool>({"id", "visibleBefore", "withRule", "visibleAfter"});
        addRow("substring of an entry", "Let", true, true, true);
        addRow("case differs", "letter", true, true, false);
        addRow("withdrawn stays withdrawn", "Let", false, true, false);
        addRow("no rule offers again", "A4", false, false, true);
    }
    void restrictKeepsSubstringMatches()
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

    void checkBoxCountsOfferedOptionsOnly()
    {
        // With the first option withdrawn, "On" is the first one offered: off.
        auto list = makeList("CHECKBOX", "On", "Off", {"Off", "On"});
        list->parameters()[0]->setVisible(false);
        Panel panel;
        // The title goes on the box, the row's label stays empty.
        QCOMPARE(list->createControl(&panel)->findChild<QLabel *>("label")->text(), QString(""));
        QCOMPARE(qobject_cast<QCheckBox *>(list->control())->text(), QString("Paper"));
        QCOMPARE(shownChoice(*list), QString("unchecked"));
    }

    void clicksReportThePick_data()
    {
        addColumns<QByteArray, QStringList, QString, QStringList, int>(
            {"controlName", "ids", "shown", "reports", "checks"});
        // The check box switches between the first two options; any other
        // current shows as off.
        addRow("check box", QByteArray("CHECKBOX"), QStringList{"Off", "On"}, "unchecked",
               QStringList{"On", "Off"}, 2);
        // An unknown current shows the factory choice; the same pick again is
        // reported but does not disturb the dependents.
        addRow("radio buttons", QByteArray("RADIOBUTTON"), QStringList{"Draft", "Off", "Best"}, "Off",
               QStringList{"Best", "Best"}, 1);
    }
    void clicksReportThePick()
    {
        QFETCH(QByteArray, controlName);
        QFETCH(QStringList, ids);
        Shown<ListElement> shown(makeList(controlName, "Unknown", "Off", ids));
        shown.panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown.panel));
        QTEST(shownChoice(*shown.element), "shown");

        auto *button = qobject_cast<QAbstractButton *>(shown.element->control());
        if (!button)
            button = shown.element->control()->findChild<QRadioButton *>("Best");
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
        QTEST(reported(shown.changed), "reports");
        QCOMPARE(shown.element->current(), reported(shown.changed).last());
        QTEST(int(shown.dependent.sources.size()), "checks");
    }

    void comboKeysPickOfferedOption()
    {
        auto list = makeList("PAPERSIZE", "A4", "Letter", {"A4", "Letter", "Legal"});
        list->parameters()[1]->setVisible(false);
        Panel panel;
        list->createControl(&panel);
        auto *comboBox = qobject_cast<QComboBox *>(list->control());
        QVERIFY(!comboBox->isEditable());
        QCOMPARE(shownOptions(*list), QStringList({"a4", "legal"}));
        // The second item is the third option: withdrawn ones are skipped.
        QTest::keyClick(comboBox, Qt::Key_Down);
        QCOMPARE(list->current(), QString("Legal"));
        // Every option withdrawn behind the shown control's back: the factory value.
        for (const auto &option : list->parameters())
            option->setVisible(false);
        QTest::keyClick(comboBox, Qt::Key_Up);
        QCOMPARE(list->current(), QString("Letter"));
    }

    void setControlValueShowsWithoutReporting_data()
    {
        addColumns<QByteArray, QString>({"controlName", "shown"});
        addRow("combo box", QByteArray("COMBOBOX"), "letter");
        addRow("radio buttons", QByteArray("RADIOBUTTON"), "Letter");
        addRow("check box", QByteArray("CHECKBOX"), "checked");
    }
    void setControlValueShowsWithoutReporting()
    {
        QFETCH(QByteArray, controlName);
        Shown<ListElement> shown(makeList(controlName, "A4", "A4", {"A4", "Letter"}));
        shown.element->setControlValue("Letter");
        QTEST(shownChoice(*shown.element), "shown");
        QCOMPARE(shown.element->current(), QString("A4"));
        QCOMPARE(shown.changed.count(), 0);
        QCOMPARE(shown.dependent.sources, QStringList({"Paper"}));
    }

    void narrowingRebuildsOpenControl_data()
    {
        addColumns<QByteArray, QStringList, QStringList>({"controlName", "narrowed", "all"});
        addRow("combo box", QByteArray("COMBOBOX"), QStringList{"letter", "let"},
               QStringList{"a4", "letter", "let", "legal"});
        addRow("radio buttons", QByteArray("RADIOBUTTON"), QStringList{"Letter", "Let"}, paperIds);
    }
    void narrowingRebuildsOpenControl()
    {
        QFETCH(QByteArray, controlName);
        TestValueElement region("Region", "us");
        auto list = makeList(controlName, "Letter");
        Dependency rules("Paper", list.get());
        rules.constraints.push_back(usOnlyRule(&region, {"Letter"}, false));
        list->setDependency(&rules);
        region.addDependentElement(list.get());
        Panel panel;
        list->createControl(&panel);
        QSignalSpy changed(list.get(), &ListElement::valueChanged);

        region.checkDependencies();
        QTEST(shownOptions(*list), "narrowed");
        QCOMPARE(shownChoice(*list).toLower(), QString("letter"));
        // Once the rule no longer holds, everything is offered again.
        region.setCurrent("eu");
        region.checkDependencies();
        QTEST(shownOptions(*list), "all");
        QCOMPARE(changed.count(), 0);
    }

    void referenceThroughPaperSize()
    {
        // "TopMargin" (28, at most 30) takes its maximum from the top margin of
        // the paper size chosen in "Paper", through a two-step reference.
        ListElement paper("PAPERSIZE", nullptr, nullptr);
        paper.setId("Paper");
        for (const auto &[id, top] : {std::pair{"A4", "30"}, std::pair{"Letter", "25"}}) {
            paper.addParameter(new PaperSizeParameter(id));
            static_cast<PaperSizeParameter *>(paper.parameters().back().get())->setMaxTopMargin(top);
        }
        paper.setCurrent("A4");
        auto margin = makeNumeric("INTEGER", "28", "0", "30", "1");
        Dependency rules("Density", margin.get());
        // No value to compare: holds whatever paper size is chosen.
        auto rule = ruleOn(Constraint::Restrict, &paper, QString());
        auto attribute = std::make_unique<Attribute>("MAX", "Paper#current#maxtopmargin");
        attribute->isReference = true;
        attribute->source = &paper;
        attribute->path = QStringList{"current", "maxtopmargin"};
        rule->addAttribute(std::move(attribute));
        rules.constraints.push_back(std::move(rule));
        margin->setDependency(&rules);
        paper.addDependentElement(margin.get());

        QSignalSpy maxChanged(margin.get(), SIGNAL(maxChanged(QString)));
        Panel paperPanel;
        Panel marginPanel;
        paper.createControl(&paperPanel);
        margin->createControl(&marginPanel);
        QTest::keyClick(paper.control(), Qt::Key_Down);
        QCOMPARE(paper.current(), QString("Letter"));
        QCOMPARE(reported(maxChanged), QStringList{"25"});
        // The lowered maximum reaches the open spin box and pulls the value down.
        QCOMPARE(qobject_cast<QSpinBox *>(margin->control())->maximum(), 25);
        QCOMPARE(margin->current(), QString("25"));
    }
};

QTEST_MAIN(ListElementTest)
#include "tst_listelement.moc"
