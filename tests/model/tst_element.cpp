#include "model/attribute.h"
#include "model/listelement.h"
#include "model/nodedesc.h"
#include "model/papersizeparameter.h"
#include "model/refattribute.h"
#include "valuefixtures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QWidget>

namespace {

// A paper-size list whose options carry different top margins; "Legal" is
// not offered at the moment.
std::unique_ptr<ListElement> paperList(const QString &current)
{
    auto list = std::make_unique<ListElement>("PAPERSIZE", nullptr, nullptr);
    list->setId("PaperSize");
    for (const auto &[id, margin, visible] :
         {std::tuple{"A4", "12", true}, std::tuple{"Letter", "10", true}, std::tuple{"Legal", "8", false}}) {
        auto *option = new PaperSizeParameter(id);
        option->setMaxTopMargin(margin);
        option->setVisible(visible);
        list->addParameter(option);
    }
    list->setCurrent(current);
    return list;
}

// A list setting whose options are titled after their ids in lower case.
std::unique_ptr<ListElement> makeList(const QByteArray &controlName, const QString &current,
                                      const QString &factory, const QStringList &ids)
{
    auto list = std::make_unique<ListElement>(controlName, nullptr, nullptr);
    list->setId("Paper");
    for (const QString &id : ids) {
        list->addParameter(new Parameter(id));
        list->parameters().back()->setTitle(id.toLower());
    }
    list->setCurrent(current);
    list->setFactory(factory);
    return list;
}

QStringList comboTexts(const ListElement &list)
{
    auto *comboBox = qobject_cast<QComboBox *>(list.control());
    QStringList shown;
    for (int i = 0; i < comboBox->count(); ++i)
        shown << comboBox->itemText(i);
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

} // namespace

class TestElement : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // A warning here means a pointer check fired where none was expected.
        QTest::failOnWarning(QRegularExpression("."));
    }

    void ruleKinds_data()
    {
        addColumns<int, QString, bool, QString>({"kind", "mode", "enabledAfter", "visibleReports"});
        addRow("disable, condition holds", int(Constraint::Disable), "on", false, "");
        addRow("enable, condition fails", int(Constraint::Enable), "off", false, "");
        addRow("hide, condition holds", int(Constraint::Hide), "on", true, "false");
        addRow("hide, condition fails", int(Constraint::Hide), "off", true, "true");
    }
    void ruleKinds()
    {
        QFETCH(int, kind);
        QFETCH(QString, mode);
        QFETCH(QString, visibleReports);
        TestValueElement modeSetting("Mode", mode);
        TestValueElement setting("Level");
        Dependency rules("Level", &setting);
        rules.constraints.push_back(ruleOn(kind, &modeSetting, "on"));
        setting.setDependency(&rules);
        Panel panel;
        auto *edit = new QLineEdit(&panel);
        panel.show();
        setting.setControl(edit);
        QSignalSpy visible(&setting, &Element::visibleChanged);
        QVERIFY(setting.checkConstraints(&modeSetting, false));
        QCOMPARE(reported(visible).join(','), visibleReports);
        QTEST(edit->isEnabled(), "enabledAfter");
        QCOMPARE(edit->isVisible(), visibleReports != "false");
        // A setting whose control has gone takes its rules without harm.
        delete edit;
        QVERIFY(setting.checkConstraints(&modeSetting, false));
    }

    // The trace's dump of a setting: its texts, then its own and its
    // control's address in lower-case hex, "0x0" for none.
    void dumpNamesTheSettingAndItsAddresses()
    {
        Element button("BUTTON", nullptr, nullptr);
        button.setId("Clean");
        const QString address = QStringLiteral("0x") + QString::number(quintptr(&button), 16);
        QCOMPARE(button.dump(), QString("\tid\t = Clean\n\tstring\t = \n\ttitle\t = \n\tdesc\t = \n"
                                        "\taddr\t = %1\n\ttype\t = %2\n\tcontrol\t = 0x0\n")
                                    .arg(address, QLatin1String(button.typeName())));
        QWidget control;
        button.setControl(&control);
        QString line = QStringLiteral("before:");
        button.appendDump(line);
        QVERIFY(line.startsWith(QStringLiteral("before:\tid\t = Clean\n")));
        QVERIFY(line.endsWith(QStringLiteral("\n\tcontrol\t = 0x%1\n").arg(quintptr(&control), 0, 16)));
    }

    void writesKeepNullAndDeclaredProperties()
    {
        TestValueElement copies("Copies", "1");
        QVERIFY(Attribute("MAX", "99").apply(&copies));
        QCOMPARE(copies.max(), QString("99"));
        // A property the class does not declare is refused, not added.
        QVERIFY(!Attribute("Colour", "red").apply(&copies));
        QVERIFY(copies.dynamicPropertyNames().isEmpty());
        // Texts start empty but not null, except temp; an empty value written stays non-null.
        Element button("BUTTON", nullptr, nullptr);
        NodeDesc category("Network", QString(), nullptr);
        for (const QString &text : {button.id(), button.title(), button.desc(), category.title()})
            QVERIFY(!text.isNull() && text.isEmpty());
        QVERIFY(category.string().isNull());
        QVERIFY(button.temp().isNull());
        QVERIFY(Attribute("Temp", "").apply(&button));
        QVERIFY(!button.temp().isNull());
        // Paper sizes default to "0", but a null written by the builder stays null.
        PaperSizeParameter size;
        QCOMPARE(size.property("maxtopmargin").toString(), QString("0"));
        size.setLinesPortrait(QString());
        QVERIFY(size.property("linesportrait").toString().isNull());
        // A reference attribute writes to its target's property, never adding one.
        TestValueElement pages("Pages", "1");
        RefAttribute toPages("max", "7");
        toPages.target = &pages;
        QVERIFY(!toPages.apply(&copies));
        toPages.targetPath = QStringList{"max"};
        QVERIFY(toPages.apply(&copies));
        QCOMPARE(pages.max(), QString("7"));
        QVERIFY(pages.dynamicPropertyNames().isEmpty());
    }

    void references_data()
    {
        // source: 0 none, 1 a plain setting "66" with a dynamic property, 2 the paper list
        addColumns<int, QString, QStringList, bool, QString>({"source", "current", "path", "applied", "max"});
        addRow("one step from a setting", 1, "66", QStringList{"CURRENT"}, true, "66");
        addRow("two steps through the chosen option, any case", 2, "Letter",
               QStringList{"current", "MaxTopMargin"}, true, "10");
        addRow("no source", 0, "A4", QStringList{"current"}, false, "20");
        addRow("dynamic property on source is not read", 1, "A4", QStringList{"extra"}, false, "20");
        addRow("selected option not offered", 2, "Legal", QStringList{"current", "maxtopmargin"}, false,
               "20");
        addRow("option lacks the property", 2, "A4", QStringList{"current", "maxbottommargin"}, false, "20");
    }
    void references()
    {
        QFETCH(int, source);
        QFETCH(QString, current);
        auto paper = paperList(current);
        TestValueElement plain("Lines", current);
        plain.setProperty("extra", QString("7"));
        IElement *sources[] = {nullptr, &plain, paper.get()};
        TestValueElement margin("TopMargin", "3");
        margin.setMax("20");
        Attribute attribute("max", "x");
        attribute.isReference = true;
        attribute.source = sources[source];
        QFETCH(QStringList, path);
        attribute.path = path;
        QTEST(attribute.apply(&margin), "applied");
        QTEST(margin.max(), "max");
    }

    void narrowingFallsBackAndWidensAgain_data()
    {
        addColumns<QString, QString, QString, QString>({"current", "factory", "text", "chosen"});
        addRow("current offered", "Let", "Letter", "let", "Let");
        addRow("current withdrawn, factory offered", "A4", "Let", "let", "Let");
        addRow("neither offered: first offered", "A4", "Legal", "Unknown parameter", "Letter");
    }
    void narrowingFallsBackAndWidensAgain()
    {
        QFETCH(QString, current);
        QFETCH(QString, chosen);
        TestValueElement region("Region", "us");
        QFETCH(QString, factory);
        auto list = makeList("COMBOBOX", current, factory, {"A4", "Letter", "Let", "Legal"});
        // What the rule below withdraws (all but what contains "Letter"), before any control exists.
        list->parameters()[0]->setVisible(false);
        list->parameters()[3]->setVisible(false);
        QTEST(list->currentText(), "text");
        Dependency rules("Paper", list.get());
        rules.constraints.push_back(ruleOn(Constraint::Restrict, &region, "us"));
        rules.constraints.back()->values = QStringList{"Letter"};
        list->setDependency(&rules);
        region.addDependentElement(list.get());

        // The self-check of a new control moves a withdrawn current on.
        Shown<ListElement> shown(std::move(list));
        QCOMPARE(comboTexts(*shown.element), QStringList({"letter", "let"}));
        QCOMPARE(shownChoice(*shown.element), chosen.toLower());
        QCOMPARE(shown.element->current(), chosen);
        QCOMPARE(reported(shown.changed), chosen == current ? QStringList() : QStringList{chosen});
        QCOMPARE(shown.dependent.sources.size(), chosen == current ? 0 : 1);
        // Once the rule no longer holds, the open control offers everything again.
        region.setCurrent("eu");
        region.checkDependencies();
        QCOMPARE(comboTexts(*shown.element), QStringList({"a4", "letter", "let", "legal"}));
        QCOMPARE(shown.element->current(), chosen);
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
        // The second item is the third option: withdrawn ones are skipped.
        QTest::keyClick(comboBox, Qt::Key_Down);
        QCOMPARE(list->current(), QString("Legal"));
        // Every option withdrawn behind the shown control's back: the factory value.
        for (const auto &option : list->parameters())
            option->setVisible(false);
        QTest::keyClick(comboBox, Qt::Key_Up);
        QCOMPARE(list->current(), QString("Letter"));
    }

    void referenceThroughPaperSize()
    {
        // "TopMargin" (11, at most 12) takes its maximum from the top margin of
        // the paper size chosen, through a two-step reference.
        auto paper = paperList("A4");
        auto margin = makeNumeric("INTEGER", "11", "0", "12", "1");
        Dependency rules("Density", margin.get());
        // No value to compare: holds whatever paper size is chosen.
        auto rule = ruleOn(Constraint::Restrict, paper.get(), QString());
        auto attribute = std::make_unique<Attribute>("MAX", "PaperSize#current#maxtopmargin");
        attribute->isReference = true;
        attribute->source = paper.get();
        attribute->path = QStringList{"current", "maxtopmargin"};
        rule->addAttribute(std::move(attribute));
        rules.constraints.push_back(std::move(rule));
        margin->setDependency(&rules);
        paper->addDependentElement(margin.get());
        Panel panel;
        paper->createControl(&panel);
        margin->createControl(&panel);
        QTest::keyClick(paper->control(), Qt::Key_Down);
        QCOMPARE(paper->current(), QString("Letter"));
        // The lowered maximum reaches the open spin box and pulls the value down.
        QCOMPARE(qobject_cast<QSpinBox *>(margin->control())->maximum(), 10);
        QCOMPARE(margin->current(), QString("10"));
    }
};

QTEST_MAIN(TestElement)
#include "tst_element.moc"
