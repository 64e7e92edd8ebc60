#include "common/messageboxrecorder.h"
#include "elements/attribute.h"
#include "valuefixtures.h"
#include "window/ipcontrol.h"
#include "window/spinbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>

namespace {

const QString WrongEntry = QStringLiteral("'%1' is not a valid entry for '%2'. Please specify another value");

QLineEdit *editorOf(const ConcreteElement &element)
{
    return qobject_cast<QLineEdit *>(element.control());
}

// What the control shows; a slider's value label must agree with the slider.
QString shownValue(const ConcreteElement &element)
{
    QWidget *control = element.control();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
        return spin->text();
    const QString value = QString::number(qobject_cast<QSlider *>(control)->value());
    const QString label = control->window()->findChild<QLabel *>("valueLabel")->text();
    return label == value ? value : "label shows " + label;
}

// An address input showing current, with a dependent that counts re-checks.
struct AddressInput
{
    AddressInput(const QString &kind, const QString &current)
        : element(makeValueElement(kind.toLatin1(), "Address", current))
    {
        element->addDependentElement(&dependent);
        panel.show();
        element->createControl(&panel);
        input = qobject_cast<IPControl *>(element->control());
    }
    std::unique_ptr<ConcreteElement> element;
    CountingDependent dependent{"Route"};
    Panel panel;
    IPControl *input;
};

} // namespace

class TestEditElements : public QObject
{
    Q_OBJECT

private slots:
    void rowLifeCycle_data()
    {
        addColumns<QString, int, int, QString, bool>(
            {"kind", "panelHeight", "rowHeight", "editorClass", "selfChecked"});
        addRow("edit box", "EDITBOX", 120, 22, "QLineEdit", true);
        addRow("dial string, not self-checked", "DIALEDITBOX", 120, 22, "QLineEdit", false);
        addRow("address", "IPADDRESS", 120, 22, "IPControl", true);
        addRow("static text is lower", "STATICTEXT", 120, 20, "QLabel", true);
        addRow("float, not self-checked", "FLOAT", 120, 22, "FloatSpinBox", false);
        addRow("low panel limits the row", "EDITBOX", 15, 15, "QLineEdit", true);
    }
    void rowLifeCycle()
    {
        QFETCH(QString, kind);
        QFETCH(int, panelHeight);
        QFETCH(bool, selfChecked);
        // A rule that holds disables the new control when it takes part in the self-check.
        TestValueElement mode("Mode", "off");
        auto element = makeValueElement(kind.toLatin1(), "Copies", "10.0.0.1");
        Dependency dependency(element->id(), element.get());
        dependency.constraints.push_back(ruleOn(Constraint::Disable, &mode, "off", selfChecked));
        element->setDependency(&dependency);
        Panel panel;
        panel.resize(320, panelHeight);
        QWidget *row = element->createControl(&panel);
        panel.show();

        QCOMPARE(row->objectName(), QString("hbox"));
        QTEST(row->height(), "rowHeight");
        QCOMPARE(row->findChild<QLabel *>("label", Qt::FindDirectChildrenOnly)->text(), QString("Copies : "));
        // The control is the editor inside the row, not the row itself.
        QWidget *editor = element->control();
        QCOMPARE(editor->parentWidget(), row);
        QTEST(QString(editor->metaObject()->className()), "editorClass");
        QCOMPARE(editor->isEnabled(), !selfChecked);

        QSignalSpy visible(element.get(), &Element::visibleChanged);
        element->hideControl();
        // The row itself stays; what it shows goes.
        for (QWidget *widget : row->findChildren<QWidget *>())
            QVERIFY(!widget->isVisible());
        element->showControl();
        QVERIFY(editor->isVisible());
        QCOMPARE(reported(visible), QStringList({"false", "true"}));
    }

    void setControlValueShowsWithoutEditing_data()
    {
        addColumns<QString, QString, QString, QString>({"kind", "current", "value", "shown"});
        addRow("address", "IPADDRESS", "192.168.1.1", "10.1.1.1", "10.1.1.1");
        addRow("edit box", "EDITBOX", "old", "new", "new");
        addRow("integer", "INTEGER", "3", "7", "7");
        addRow("float", "FLOAT", "1.0", "2.5", "2.50");
        addRow("slider", "SLIDER", "7", "2", "2");
    }
    void setControlValueShowsWithoutEditing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, current);
        QFETCH(QString, value);
        Shown<ConcreteElement> shown(
            makeNumeric(kind.toLatin1(), current, "0", "10", "1", kind == "FLOAT" ? "2" : QString()));
        static_cast<FactoryElement *>(shown.element.get())->setControlValue(value);
        QTEST(shownValue(*shown.element), "shown");
        QCOMPARE(shown.element->current(), current);
        QCOMPARE(shown.changed.count(), 0);
        QCOMPARE(shown.dependent.sources, QStringList{"Density"});
    }

    void typingEmitsAndRechecksOnlyOnChange()
    {
        Shown<ConcreteElement> shown(makeValueElement("EDITBOX", "Name", ""));
        QLineEdit *editor = editorOf(*shown.element);
        QTest::keyClicks(editor, "ab");
        QCOMPARE(shown.dependent.sources, (QStringList{"Name", "Name"}));
        // Overtyping the last letter with itself reports the text again, but
        // nothing changed for the settings that depend on it.
        editor->setSelection(1, 1);
        QTest::keyClick(editor, Qt::Key_B);
        QCOMPARE(reported(shown.changed), QStringList({"a", "ab", "ab"}));
        QCOMPARE(shown.dependent.sources.size(), 2);
    }

    void characterFilter_data()
    {
        addColumns<QString, QString, QString>({"kind", "typed", "shown"});
        addRow("dial: plus, blanks and digits", "DIALEDITBOX", "+49 30 1234", "+49 30 1234");
        addRow("dial: punctuation, pause and letters refused", "DIALEDITBOX", "+1 (555) 12-3,w*#0",
               "+1 555 1230");
        addRow("edit: e-mail, range + to . and more", "EDITBOX", "ann.lee@ex.com a+b,c-d O'Neil & S/#2",
               "ann.lee@ex.com a+b,c-d O'Neil & S/#2");
        addRow("edit: other characters refused", "EDITBOX", "x<y>!;z?", "xyz");
    }
    void characterFilter()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        auto element = makeValueElement(kind.toLatin1(), "Fax", "");
        Panel panel;
        element->createControl(&panel);
        QTest::keyClicks(editorOf(*element), typed);
        QTEST(editorOf(*element)->text(), "shown");
        QTEST(element->current(), "shown");
    }

    void maxFromDeviceText_data()
    {
        addColumns<QString, int, QString>({"max", "maxLength", "cut"});
        addRow("plain number", "3", 3, "abc");
        addRow("blanks around", " 7 ", 7, "abcdef");
        addRow("zero", "0", 0, "");
        addRow("negative is no room", "-4", 0, "");
        addRow("not a number counts as 0", "abc", 0, "");
        addRow("above the editor's limit", "40000", 32767, "abcdef");
        addRow("too long for any integer", "99999999999999999999999", 32767, "abcdef");
    }
    void maxFromDeviceText()
    {
        QFETCH(QString, max);
        QFETCH(int, maxLength);
        QFETCH(QString, cut);
        // Given before the control: only the editor is bounded; the device's value is kept.
        auto element = makeValueElement("EDITBOX", "Header", "abcdefghijkl");
        element->setProperty("max", max);
        Panel panel;
        element->createControl(&panel);
        QCOMPARE(element->current(), QString("abcdefghijkl"));
        QCOMPARE(editorOf(*element)->maxLength(), maxLength);
        QCOMPARE(editorOf(*element)->text(), QString("abcdefghijkl").left(maxLength));

        // Given to an open control: the value is cut as well, and once only.
        auto open = makeValueElement("EDITBOX", "Header", "abcdef");
        open->setProperty("max", "10");
        open->createControl(&panel);
        QSignalSpy changed(open.get(), &ConcreteElement::valueChanged);
        open->setProperty("max", max);
        QCOMPARE(editorOf(*open)->text(), cut);
        QCOMPARE(reported(changed), cut == "abcdef" ? QStringList() : QStringList{cut});
        const int shownLength = editorOf(*open)->maxLength();
        QVERIFY(shownLength >= 0);
        // Raising it again gives nothing back and leaves the editor alone.
        open->setProperty("max", "20");
        QCOMPARE(open->current(), cut);
        QCOMPARE(editorOf(*open)->maxLength(), shownLength);
        // After the control has gone, a lower bound still cuts the value.
        open->deleteControl();
        open->setProperty("max", "2");
        QCOMPARE(open->current(), cut.left(2));
    }

    void addressPasted_data()
    {
        // wrong: the text the box names, empty for no box
        addColumns<QString, QString, bool, QString, int>({"kind", "pasted", "accepted", "wrong", "section"});
        addRow("address", "IPADDRESS", "10.0.0.138", true, "", 0);
        addRow("half-typed address", "IPADDRESS", "10.0..", true, "", 0);
        addRow("all zeros", "IPADDRESS", "0.0.0.0", false, "0.0.0.0", 0);
        addRow("broadcast", "IPADDRESS", "255.255.255.255", false, "255.255.255.255", 0);
        addRow("last section over 255", "IPADDRESS", "10.1.1.256", false, "256", 3);
        addRow("two dots are put back by the input itself", "IPADDRESS", "10.1.1", false, "", 0);
        addRow("mask", "SUBNETMASK", "255.255.0.0", true, "", 0);
        addRow("mask byte that is no mask", "SUBNETMASK", "255.255.253.0", false, "253", 2);
        addRow("mask of all ones", "SUBNETMASK", "255.255.255.255", false, "255.255.255.255", 0);
    }
    void addressPasted()
    {
        QFETCH(QString, kind);
        QFETCH(QString, pasted);
        QFETCH(bool, accepted);
        QFETCH(QString, wrong);
        const QString before = kind == "SUBNETMASK" ? "255.255.255.0" : "192.168.1.1";
        AddressInput address(kind, before);
        address.input->setFocusedSection(2);
        QSignalSpy changed(address.element.get(), &ConcreteElement::valueChanged);
        MessageBoxRecorder boxes;

        address.input->setText(pasted);
        // Address inputs never re-check their dependents while they are typed in.
        QVERIFY(address.dependent.sources.isEmpty());
        QTEST(address.input->focusedSection(), "section");
        const QString kept = accepted ? pasted : before;
        QCOMPARE(address.element->current(), kept);
        QCOMPARE(address.input->text(), kept);
        for (const QString &value : reported(changed))
            QCOMPARE(value, kept);
        if (accepted || !wrong.isEmpty())
            QCOMPARE(changed.count(), accepted ? 1 : 0);
        QCOMPARE(boxes.count(), wrong.isEmpty() ? 0 : 1);
        if (!wrong.isEmpty()) {
            QCOMPARE(boxes.last().icon, QMessageBox::Warning);
            QCOMPARE(boxes.last().caption, QString("Error"));
            QCOMPARE(boxes.last().text, WrongEntry.arg(wrong, "Address"));
        }
    }

    void addressTypedKeyByKey_data()
    {
        QTest::addColumn<QString>("current");
        // A value the four cells cannot hold is shown as an empty address, so
        // that the user can still type one.
        QTest::newRow("empty address") << "...";
        QTest::newRow("empty") << "";
        QTest::newRow("absent") << QString();
        QTest::newRow("two dots") << "10.0.1";
    }
    void addressTypedKeyByKey()
    {
        QFETCH(QString, current);
        AddressInput address("IPADDRESS", current);
        QCOMPARE(address.input->text(), QString("..."));
        QCOMPARE(address.element->current(), current);
        address.input->setFocus();
        QTest::keyClick(address.input, Qt::Key_Home);
        MessageBoxRecorder boxes;

        QTest::keyClicks(address.input, "1.30");
        QCOMPARE(address.element->current(), QString("1.30.."));
        QCOMPARE(boxes.count(), 0);
        // The third digit makes the section 300: refused as it is typed.
        QTest::keyClick(address.input, Qt::Key_0);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, WrongEntry.arg("300", "Address"));
        QCOMPARE(address.element->current(), QString("1.30.."));
        QCOMPARE(address.input->text(), QString("1.30.."));
        QCOMPARE(address.input->focusedSection(), 1);
    }

    void addressIsValid_data()
    {
        // The address rules themselves are the input's; these rows show the
        // element's own ones: completeness and the mask's run of ones.
        addColumns<QString, QString, bool>({"kind", "current", "valid"});
        addRow("address", "IPADDRESS", "192.168.1.10", true);
        addRow("address incomplete", "IPADDRESS", "192.168.1.", false);
        addRow("mask", "SUBNETMASK", "255.255.252.0", true);
        addRow("mask with a gap", "SUBNETMASK", "255.0.255.0", false);
        addRow("mask all zeros", "SUBNETMASK", "0.0.0.0", false);
    }
    void addressIsValid()
    {
        QFETCH(QString, kind);
        QFETCH(QString, current);
        QFETCH(bool, valid);
        auto element = makeValueElement(kind.toLatin1(), "Mask", current);
        MessageBoxRecorder boxes;
        QCOMPARE(element->isValid(), valid);
        QCOMPARE(boxes.count(), valid ? 0 : 1);
        if (!valid)
            QCOMPARE(boxes.last().text,
                     QString("'%1' is not a valid entry. Please specify another value").arg(current));
    }

    void gatewayValidityReportsAndFocuses()
    {
        TestValueElement mask("SubnetMask", "255.255.255.0");
        TestValueElement address("IPAddress", "192.168.1.10");
        auto gateway = makeValueElement("IPADDRESS", "Gateway", "192.168.1.1");
        Dependency dependency(gateway->id(), gateway.get());
        dependency.constraints.push_back(gatewayRule(&mask, &address));
        gateway->setDependency(&dependency);
        Panel panel;
        QLineEdit other(&panel);
        other.move(0, 60);
        panel.show();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        MessageBoxRecorder boxes;
        gateway->createControl(&panel);
        other.setFocus();
        QVERIFY(gateway->isValid());
        QCOMPARE(boxes.count(), 0);

        // The gateway leaves the address's subnet.
        gateway->setCurrent("192.168.2.1");
        QVERIFY(!gateway->isValid());
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, WrongEntry.arg("192.168.2.1", "Gateway"));
        QTRY_VERIFY(gateway->control()->hasFocus());
        QVERIFY(!gateway->checkConstraints(&address, false));
        QCOMPARE(boxes.count(), 2);
    }

    void restrictRuleSetsValueThenAttributes()
    {
        TestValueElement paper("Paper", "A5");
        auto element = makeValueElement("EDITBOX", "Footer", "original footer");
        Dependency dependency(element->id(), element.get());
        auto rule = ruleOn(Constraint::Restrict, &paper, "A5");
        rule->values = QStringList{"preset", "other"};
        rule->addAttribute(std::make_unique<Attribute>("MAX", "3"));
        rule->addAttribute(std::make_unique<Attribute>("NOSUCHPROPERTY", "1"));
        dependency.constraints.push_back(std::move(rule));
        // Without values or attributes a rule leaves the value alone.
        dependency.constraints.push_back(ruleOn(Constraint::Restrict, &paper, "A5"));
        element->setDependency(&dependency);
        QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

        // The self-check of a new control applies the rule: first value, then
        // the bound, which cuts the value in the editor too.
        Panel panel;
        element->createControl(&panel);
        QCOMPARE(reported(changed), QStringList({"preset", "pre"}));
        QCOMPARE(editorOf(*element)->text(), QString("pre"));
        QCOMPARE(editorOf(*element)->maxLength(), 3);
        QVERIFY(element->dynamicPropertyNames().isEmpty());
        // When the condition no longer holds nothing is applied.
        paper.setCurrent("A4");
        element->checkConstraints(&paper, false);
        QCOMPARE(changed.count(), 2);
    }

    void textLabel_data()
    {
        addColumns<QString, QString, QString>({"format", "current", "shown"});
        addRow("value in a sentence, percent sign", "Ink level %s%%", "40", "Ink level 40%");
        addRow("hostile conversions shown as text", "%n%s%x%s", "42", "%n42%x%s");
        addRow("width and precision not expanded", "%5s|%.2f|%d", "7", "%5s|%.2f|%d");
        addRow("lone percent at the end", "%s %", "7", "7 %");
        addRow("escaped s after percent pair", "%%s %s", "7", "%s 7");
        addRow("value with percent is not re-read", "%s", "%n%n", "%n%n");
        addRow("no format shows the value", QString(), "ready", "ready");
        addRow("empty format shows nothing", "", "ready", "");
        addRow("markup stays text", "<b>%s</b>", "x", "<b>x</b>");
    }
    void textLabel()
    {
        QFETCH(QString, format);
        QFETCH(QString, current);
        auto element = makeValueElement("STATICTEXT", "Counter", current);
        QVERIFY(element->setProperty("format", format));
        Panel panel;
        element->createControl(&panel);
        auto *label = qobject_cast<QLabel *>(element->control());
        QTEST(label->text(), "shown");
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
};

QTEST_MAIN(TestEditElements)
#include "tst_editelements.moc"
