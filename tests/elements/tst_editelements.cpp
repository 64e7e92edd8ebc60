#include "common/logcapture.h"
#include "common/messageboxrecorder.h"
#include "elements/attribute.h"
#include "valuefixtures.h"
#include "window/ipcontrol.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

Q_DECLARE_METATYPE(IElement *)

namespace {

const QString WrongEntry = QStringLiteral("'%1' is not a valid entry for '%2'. Please specify another value");

QLineEdit *editorOf(const ConcreteElement &element)
{
    return qobject_cast<QLineEdit *>(element.control());
}

} // namespace

class TestEditElements : public QObject
{
    Q_OBJECT

private slots:
    void rowLayout_data();
    void rowLayout();
    void hideShowAndDeleteTheRow();
    void selfCheckAfterCreateAppliesDisable_data();
    void selfCheckAfterCreateAppliesDisable();

    void typingEmitsAndRechecksOnlyOnChange();
    void characterFilter_data();
    void characterFilter();
    void loweringMaxTruncatesValueAndEditor();
    void maxLengthFromDeviceText_data();
    void maxLengthFromDeviceText();
    void maxChangeWithDeviceText_data();
    void maxChangeWithDeviceText();

    void addressInput_data();
    void addressInput();
    void addressTypedKeyByKey();
    void addressInputWithoutAddressForm_data();
    void addressInputWithoutAddressForm();
    void addressIsValid_data();
    void addressIsValid();
    void gatewayValidityReportsAndFocuses();
    void setControlValueShowsWithoutEditing();
    void restrictRuleSetsValueThenAttributes();
    void restrictRuleWithEmptyLists();

    void textLabel_data();
    void textLabel();
};

void TestEditElements::rowLayout_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::addColumn<int>("panelHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::addColumn<QString>("editorClass");

    QTest::newRow("edit box") << QByteArray("EDITBOX") << 120 << 22 << "QLineEdit";
    QTest::newRow("dial string") << QByteArray("DIALEDITBOX") << 120 << 22 << "QLineEdit";
    QTest::newRow("address") << QByteArray("IPADDRESS") << 120 << 22 << "IPControl";
    QTest::newRow("subnet mask") << QByteArray("SUBNETMASK") << 120 << 22 << "IPControl";
    QTest::newRow("static text is lower") << QByteArray("STATICTEXT") << 120 << 20 << "QLabel";
    QTest::newRow("integer") << QByteArray("INTEGER") << 120 << 22 << "SpinBox";
    QTest::newRow("float") << QByteArray("FLOAT") << 120 << 22 << "FloatSpinBox";
    QTest::newRow("low panel limits the row") << QByteArray("EDITBOX") << 15 << 15 << "QLineEdit";
}

void TestEditElements::rowLayout()
{
    QFETCH(QByteArray, controlName);
    QFETCH(int, panelHeight);
    QFETCH(int, rowHeight);
    QFETCH(QString, editorClass);

    auto element = makeValueElement(controlName, "Copies", "1");
    Panel panel;
    panel.resize(320, panelHeight);
    QWidget *row = element->createControl(&panel);

    QVERIFY(row);
    QCOMPARE(row->objectName(), QString("hbox"));
    QCOMPARE(row->parentWidget(), &panel);
    QCOMPARE(row->size(), QSize(320, rowHeight));
    auto *label = row->findChild<QLabel *>("label", Qt::FindDirectChildrenOnly);
    QVERIFY(label);
    QCOMPARE(label->text(), QString("Copies : "));
    QCOMPARE(label->alignment(), Qt::AlignRight | Qt::AlignVCenter);

    // The control is the editor inside the row, not the row itself.
    QWidget *editor = element->control();
    QVERIFY(editor);
    QCOMPARE(editor->parentWidget(), row);
    QCOMPARE(QString(editor->metaObject()->className()), editorClass);
}

void TestEditElements::hideShowAndDeleteTheRow()
{
    auto element = makeValueElement("EDITBOX", "Name", "abc");
    Panel panel;
    QPointer<QWidget> row = element->createControl(&panel);
    panel.show();
    QPointer<QLabel> label = row->findChild<QLabel *>("label");
    QPointer<QWidget> editor = element->control();
    QSignalSpy visible(element.get(), &Element::visibleChanged);

    element->hideControl();
    QVERIFY(!label->isVisible());
    QVERIFY(!editor->isVisible());
    element->showControl();
    QVERIFY(label->isVisible());
    QVERIFY(editor->isVisible());
    QCOMPARE(visible.count(), 2);
    QCOMPARE(visible.at(0).at(0).toBool(), false);
    QCOMPARE(visible.at(1).at(0).toBool(), true);

    LogCapture log;
    element->deleteControl();
    QVERIFY(log.contains("Element::deleteControl:\n"));
    QVERIFY(!row);
    QVERIFY(!label);
    QVERIFY(!editor);
    QCOMPARE(element->control(), nullptr);
    QVERIFY(panel.findChildren<QWidget *>().isEmpty());
}

void TestEditElements::selfCheckAfterCreateAppliesDisable_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("selfChecked");

    for (const char *kind :
         {"EDITBOX", "DIALEDITBOX", "IPADDRESS", "SUBNETMASK", "STATICTEXT", "INTEGER", "FLOAT", "SLIDER"}) {
        const QString value = QByteArray(kind).endsWith("ADDRESS") ? "10.0.0.1" : "5";
        QTest::newRow(qPrintable(QString("%1 self-checked").arg(kind))) << QByteArray(kind) << value << true;
        QTest::newRow(qPrintable(QString("%1 not self-checked").arg(kind)))
            << QByteArray(kind) << value << false;
    }
}

void TestEditElements::selfCheckAfterCreateAppliesDisable()
{
    QFETCH(QByteArray, controlName);
    QFETCH(QString, current);
    QFETCH(bool, selfChecked);

    TestValueElement mode("Mode", "off");
    auto element = makeValueElement(controlName, "Setting", current);
    Dependency dependency(element->id(), element.get());
    dependency.constraints.push_back(ruleOn(Constraint::Disable, &mode, "off", selfChecked));
    element->setDependency(&dependency);

    Panel panel;
    element->createControl(&panel);
    QVERIFY(element->control());
    QCOMPARE(element->control()->isEnabled(), !selfChecked);
}

void TestEditElements::typingEmitsAndRechecksOnlyOnChange()
{
    auto element = makeValueElement("EDITBOX", "Name", "");
    CountingDependent dependent("Greeting");
    element->addDependentElement(&dependent);
    Panel panel;
    element->createControl(&panel);
    QLineEdit *editor = editorOf(*element);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    QTest::keyClicks(editor, "ab");
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toString(), QString("ab"));
    QCOMPARE(element->current(), QString("ab"));
    QCOMPARE(dependent.checks, 2);
    QCOMPARE(dependent.lastSource, static_cast<IElement *>(element.get()));

    // Overtyping the last letter with itself reports the text again, but
    // nothing changed for the settings that depend on it.
    editor->setSelection(1, 1);
    QTest::keyClick(editor, Qt::Key_B);
    QCOMPARE(editor->text(), QString("ab"));
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.at(2).at(0).toString(), QString("ab"));
    QCOMPARE(dependent.checks, 2);
}

void TestEditElements::characterFilter_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("dial: plus, blanks and digits") << QByteArray("DIALEDITBOX") << "+49 30 1234"
                                                   << "+49 30 1234";
    QTest::newRow("dial: punctuation refused") << QByteArray("DIALEDITBOX") << "+1 (555) 123-4567"
                                               << "+1 555 1234567";
    QTest::newRow("dial: pause and letters refused") << QByteArray("DIALEDITBOX") << "9,w*#0"
                                                     << "90";
    QTest::newRow("edit: e-mail address") << QByteArray("EDITBOX") << "ann.lee@example.com"
                                          << "ann.lee@example.com";
    QTest::newRow("edit: range + to . admits comma and hyphen") << QByteArray("EDITBOX") << "a+b,c-d.e"
                                                                << "a+b,c-d.e";
    QTest::newRow("edit: name with apostrophe and ampersand") << QByteArray("EDITBOX") << "O'Neil & Sons/#2"
                                                              << "O'Neil & Sons/#2";
    QTest::newRow("edit: other characters refused") << QByteArray("EDITBOX") << "x<y>!;z?"
                                                    << "xyz";
}

void TestEditElements::characterFilter()
{
    QFETCH(QByteArray, controlName);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    auto element = makeValueElement(controlName, "Fax", "");
    Panel panel;
    element->createControl(&panel);
    QTest::keyClicks(editorOf(*element), typed);
    QCOMPARE(editorOf(*element)->text(), shown);
    QCOMPARE(element->current(), shown);
}

void TestEditElements::loweringMaxTruncatesValueAndEditor()
{
    auto element = makeValueElement("EDITBOX", "Header", "hello world");
    element->setProperty("max", "20");
    Panel panel;
    element->createControl(&panel);
    QLineEdit *editor = editorOf(*element);
    QCOMPARE(editor->maxLength(), 20);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    QVERIFY(element->setProperty("max", "5"));
    QCOMPARE(element->current(), QString("hello"));
    QCOMPARE(editor->text(), QString("hello"));
    QCOMPARE(editor->maxLength(), 5);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QString("hello"));

    // Raising it again gives nothing back and leaves the editor alone.
    QVERIFY(element->setProperty("max", "8"));
    QCOMPARE(element->current(), QString("hello"));
    QCOMPARE(editor->maxLength(), 5);
    QCOMPARE(changed.count(), 1);

    // After the control has gone, a lower bound still cuts the value.
    element->deleteControl();
    QVERIFY(element->setProperty("max", "2"));
    QCOMPARE(element->current(), QString("he"));
}

void TestEditElements::maxLengthFromDeviceText_data()
{
    QTest::addColumn<QString>("max");
    QTest::addColumn<int>("maxLength");

    QTest::newRow("plain number") << "12" << 12;
    QTest::newRow("blanks around") << " 7 " << 7;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative is no room") << "-4" << 0;
    QTest::newRow("not a number counts as 0") << "abc" << 0;
    QTest::newRow("above the editor's limit") << "40000" << 32767;
    QTest::newRow("too long for any integer") << "99999999999999999999999" << 32767;
}

void TestEditElements::maxLengthFromDeviceText()
{
    QFETCH(QString, max);
    QFETCH(int, maxLength);

    auto element = makeValueElement("EDITBOX", "Header", "abcdefghijkl");
    element->setProperty("max", max);
    // Before any control the bound only changes the bound: the device's
    // value is kept as the device sent it.
    QCOMPARE(element->current(), QString("abcdefghijkl"));

    Panel panel;
    element->createControl(&panel);
    QCOMPARE(editorOf(*element)->maxLength(), maxLength);
    QCOMPARE(editorOf(*element)->text(), QString("abcdefghijkl").left(maxLength));
}

void TestEditElements::maxChangeWithDeviceText_data()
{
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("current");

    QTest::newRow("shorter") << "3"
                             << "abc";
    QTest::newRow("same length") << "6"
                                 << "abcdef";
    QTest::newRow("negative leaves nothing") << "-1"
                                             << "";
    QTest::newRow("not a number counts as 0") << "x"
                                              << "";
    QTest::newRow("huge keeps everything") << "123456789012345678901234567890"
                                           << "abcdef";
    QTest::newRow("bound taken away") << QString() << "abcdef";
}

void TestEditElements::maxChangeWithDeviceText()
{
    QFETCH(QString, max);
    QFETCH(QString, current);

    auto element = makeValueElement("EDITBOX", "Header", "abcdef");
    element->setProperty("max", "10");
    Panel panel;
    element->createControl(&panel);

    element->setProperty("max", max);
    QCOMPARE(element->current(), current);
    QCOMPARE(editorOf(*element)->text(), current);
    QVERIFY(editorOf(*element)->maxLength() >= 0);
}

void TestEditElements::addressInput_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<int>("section");

    QTest::newRow("address") << QByteArray("IPADDRESS") << "10.0.0.138" << true << "" << 0;
    QTest::newRow("half-typed address") << QByteArray("IPADDRESS") << "10.0.." << true << "" << 0;
    QTest::newRow("all zeros") << QByteArray("IPADDRESS") << "0.0.0.0" << false << "0.0.0.0" << 0;
    QTest::newRow("broadcast") << QByteArray("IPADDRESS") << "255.255.255.255" << false << "255.255.255.255"
                               << 0;
    QTest::newRow("second section over 255")
        << QByteArray("IPADDRESS") << "10.300.1.1" << false << "300" << 1;
    QTest::newRow("last section over 255") << QByteArray("IPADDRESS") << "10.1.1.256" << false << "256" << 3;
    QTest::newRow("two dots are put back by the input itself")
        << QByteArray("IPADDRESS") << "10.1.1" << false << "" << 0;
    QTest::newRow("mask") << QByteArray("SUBNETMASK") << "255.255.0.0" << true << "" << 0;
    QTest::newRow("mask byte that is no mask")
        << QByteArray("SUBNETMASK") << "255.255.253.0" << false << "253" << 2;
    QTest::newRow("mask of all ones")
        << QByteArray("SUBNETMASK") << "255.255.255.255" << false << "255.255.255.255" << 0;
}

void TestEditElements::addressInput()
{
    QFETCH(QByteArray, controlName);
    QFETCH(QString, pasted);
    QFETCH(bool, accepted);
    QFETCH(QString, wrong);
    QFETCH(int, section);

    const QString before = controlName == "SUBNETMASK" ? "255.255.255.0" : "192.168.1.1";
    auto element = makeValueElement(controlName, "Address", before);
    CountingDependent dependent("Route");
    element->addDependentElement(&dependent);
    Panel panel;
    element->createControl(&panel);
    auto *input = qobject_cast<IPControl *>(element->control());
    QVERIFY(input);
    input->setFocusedSection(2);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);
    MessageBoxRecorder boxes;

    input->setText(pasted);

    // Address inputs never re-check their dependents while they are typed in.
    QCOMPARE(dependent.checks, 0);
    if (accepted) {
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(element->current(), pasted);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(input->focusedSection(), 0);
        return;
    }
    if (wrong.isEmpty()) {
        // Not an address form at all: the input reverts it silently.
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(element->current(), before);
        QCOMPARE(input->text(), before);
        for (const QList<QVariant> &report : changed)
            QCOMPARE(report.at(0).toString(), before);
        QCOMPARE(input->focusedSection(), section);
        return;
    }
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().icon, QMessageBox::Warning);
    QCOMPARE(boxes.last().caption, QString("Error"));
    QCOMPARE(boxes.last().text, WrongEntry.arg(wrong, "Address"));
    QCOMPARE(element->current(), before);
    QCOMPARE(input->text(), before);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(input->focusedSection(), section);
}

void TestEditElements::addressTypedKeyByKey()
{
    auto element = makeValueElement("IPADDRESS", "Gateway", "...");
    Panel panel;
    panel.show();
    element->createControl(&panel);
    auto *input = qobject_cast<IPControl *>(element->control());
    input->setFocus();
    QTest::keyClick(input, Qt::Key_Home);
    MessageBoxRecorder boxes;

    QTest::keyClicks(input, "1.30");
    QCOMPARE(element->current(), QString("1.30.."));
    QCOMPARE(boxes.count(), 0);

    // The third digit makes the section 300: refused as it is typed.
    QTest::keyClick(input, Qt::Key_0);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, WrongEntry.arg("300", "Gateway"));
    QCOMPARE(element->current(), QString("1.30.."));
    QCOMPARE(input->text(), QString("1.30.."));
    QCOMPARE(input->focusedSection(), 1);
}

void TestEditElements::addressInputWithoutAddressForm_data()
{
    QTest::addColumn<QString>("current");

    QTest::newRow("empty") << "";
    QTest::newRow("absent") << QString();
    QTest::newRow("words") << "none";
    QTest::newRow("two dots") << "10.0.1";
}

void TestEditElements::addressInputWithoutAddressForm()
{
    QFETCH(QString, current);

    // A value the four cells cannot hold is shown as an empty address, so
    // that the user can still type one.
    auto element = makeValueElement("IPADDRESS", "Gateway", current);
    Panel panel;
    panel.show();
    element->createControl(&panel);
    auto *input = qobject_cast<IPControl *>(element->control());
    QCOMPARE(input->text(), QString("..."));
    QCOMPARE(element->current(), current);

    MessageBoxRecorder boxes;
    input->setFocus();
    QTest::keyClick(input, Qt::Key_Home);
    QTest::keyClicks(input, "10.1");
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(element->current(), QString("10.1.."));
}

void TestEditElements::addressIsValid_data()
{
    QTest::addColumn<QByteArray>("controlName");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("valid");

    QTest::newRow("address") << QByteArray("IPADDRESS") << "192.168.1.10" << true;
    QTest::newRow("address all zeros") << QByteArray("IPADDRESS") << "0.0.0.0" << false;
    QTest::newRow("address all 255") << QByteArray("IPADDRESS") << "255.255.255.255" << false;
    QTest::newRow("address incomplete") << QByteArray("IPADDRESS") << "192.168.1." << false;
    QTest::newRow("address out of range") << QByteArray("IPADDRESS") << "192.168.1.256" << false;
    QTest::newRow("address not numeric") << QByteArray("IPADDRESS") << "a.b.c.d" << false;
    QTest::newRow("mask 255.255.255.0") << QByteArray("SUBNETMASK") << "255.255.255.0" << true;
    QTest::newRow("mask 255.255.252.0") << QByteArray("SUBNETMASK") << "255.255.252.0" << true;
    QTest::newRow("mask 255.0.255.0") << QByteArray("SUBNETMASK") << "255.0.255.0" << false;
    QTest::newRow("mask all 255") << QByteArray("SUBNETMASK") << "255.255.255.255" << false;
    QTest::newRow("mask all zeros") << QByteArray("SUBNETMASK") << "0.0.0.0" << false;
    QTest::newRow("mask incomplete") << QByteArray("SUBNETMASK") << "255.255.255." << false;
}

void TestEditElements::addressIsValid()
{
    QFETCH(QByteArray, controlName);
    QFETCH(QString, current);
    QFETCH(bool, valid);

    auto element = makeValueElement(controlName, "Mask", current);
    MessageBoxRecorder boxes;
    QCOMPARE(element->isValid(), valid);
    if (valid) {
        QCOMPARE(boxes.count(), 0);
        return;
    }
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().caption, QString("Error"));
    QCOMPARE(boxes.last().text,
             QString("'%1' is not a valid entry. Please specify another value").arg(current));
}

void TestEditElements::gatewayValidityReportsAndFocuses()
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
    QCOMPARE(boxes.count(), 0);
    QVERIFY(gateway->isValid());

    // The gateway leaves the address's subnet.
    gateway->setCurrent("192.168.2.1");
    QVERIFY(!gateway->isValid());
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().caption, QString("Error"));
    QCOMPARE(boxes.last().text, WrongEntry.arg("192.168.2.1", "Gateway"));
    QTRY_VERIFY(gateway->control()->hasFocus());

    // A check started by another setting only looks at rules naming it.
    TestValueElement unrelated("Hostname");
    QVERIFY(gateway->checkConstraints(&unrelated, false));
    QVERIFY(!gateway->checkConstraints(&address, false));
    QCOMPARE(boxes.count(), 2);
}

void TestEditElements::setControlValueShowsWithoutEditing()
{
    auto element = makeValueElement("IPADDRESS", "Address", "192.168.1.1");
    auto *factory = static_cast<FactoryElement *>(element.get());
    CountingDependent dependent("Route");
    element->addDependentElement(&dependent);
    Panel panel;
    element->createControl(&panel);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    factory->setControlValue("10.1.1.1");
    QCOMPARE(editorOf(*element)->text(), QString("10.1.1.1"));
    QCOMPARE(element->current(), QString("192.168.1.1"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(dependent.checks, 1);

    // The editor is still connected afterwards.
    editorOf(*element)->setText("10.1.1.2");
    QCOMPARE(element->current(), QString("10.1.1.2"));
}

void TestEditElements::restrictRuleSetsValueThenAttributes()
{
    TestValueElement paper("Paper", "A5");
    auto element = makeValueElement("EDITBOX", "Footer", "original footer");
    Dependency dependency(element->id(), element.get());
    auto rule = ruleOn(Constraint::Restrict, &paper, "A5");
    rule->values = QStringList{"preset", "other"};
    rule->addAttribute(std::make_unique<Attribute>("MAX", "3"));
    rule->addAttribute(std::make_unique<Attribute>("NOSUCHPROPERTY", "1"));
    dependency.constraints.push_back(std::move(rule));
    element->setDependency(&dependency);
    QSignalSpy changed(element.get(), &ConcreteElement::valueChanged);

    // The self-check of a new control applies the rule: first value, then
    // the bound, which cuts the value in the editor too.
    Panel panel;
    element->createControl(&panel);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toString(), QString("preset"));
    QCOMPARE(changed.at(1).at(0).toString(), QString("pre"));
    QCOMPARE(element->current(), QString("pre"));
    QCOMPARE(editorOf(*element)->text(), QString("pre"));
    QCOMPARE(editorOf(*element)->maxLength(), 3);
    QVERIFY(element->dynamicPropertyNames().isEmpty());

    // When the condition no longer holds nothing is applied.
    paper.setCurrent("A4");
    element->checkDependencies();
    element->checkConstraints(&paper, false);
    QCOMPARE(changed.count(), 2);
}

void TestEditElements::restrictRuleWithEmptyLists()
{
    TestValueElement paper("Paper", "A5");
    auto element = makeValueElement("EDITBOX", "Footer", "kept");
    Dependency dependency(element->id(), element.get());
    dependency.constraints.push_back(ruleOn(Constraint::Restrict, &paper, "A5"));
    element->setDependency(&dependency);

    LogCapture log;
    QVERIFY(element->checkConstraints(&paper, false));
    QCOMPARE(element->current(), QString("kept"));
    QVERIFY(log.contains("ConcreteElement::applyConstraintValues() values list is empty."));
    QVERIFY(log.contains("ConcreteElement::applyConstraintAttributes(): constraint is valid."));
    QVERIFY(log.contains("ConcreteElement::applyConstraintAttributes(): attributes list is empty."));
}

void TestEditElements::textLabel_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("shown");

    QTest::newRow("value in a sentence") << "Pages printed: %s"
                                         << "1024"
                                         << "Pages printed: 1024";
    QTest::newRow("percent sign") << "Ink level %s%%"
                                  << "40"
                                  << "Ink level 40%";
    QTest::newRow("hostile conversions shown as text") << "%n%s%x%s"
                                                       << "42"
                                                       << "%n42%x%s";
    QTest::newRow("width and precision not expanded") << "%5s|%.2f|%d"
                                                      << "7"
                                                      << "%5s|%.2f|%d";
    QTest::newRow("lone percent at the end") << "%s %"
                                             << "7"
                                             << "7 %";
    QTest::newRow("escaped s after percent pair") << "%%s %s"
                                                  << "7"
                                                  << "%s 7";
    QTest::newRow("value with percent is not re-read") << "%s"
                                                       << "%n%n"
                                                       << "%n%n";
    QTest::newRow("no format shows the value") << QString() << "ready"
                                               << "ready";
    QTest::newRow("empty format shows nothing") << ""
                                                << "ready"
                                                << "";
    QTest::newRow("markup stays text") << "<b>%s</b>"
                                       << "x"
                                       << "<b>x</b>";
}

void TestEditElements::textLabel()
{
    QFETCH(QString, format);
    QFETCH(QString, current);
    QFETCH(QString, shown);

    auto element = makeValueElement("STATICTEXT", "Counter", current);
    QVERIFY(element->setProperty("format", format));
    Panel panel;
    element->createControl(&panel);
    auto *label = qobject_cast<QLabel *>(element->control());
    QVERIFY(label);
    QCOMPARE(label->text(), shown);
    QCOMPARE(label->textFormat(), Qt::PlainText);
}

QTEST_MAIN(TestEditElements)
#include "tst_editelements.moc"
