#include "common/messageboxrecorder.h"
#include "valuefixtures.h"
#include "widgets/floatspinbox.h"
#include "widgets/ipcontrol.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>
#include <QSlider>

namespace {

const QString WrongEntry = QStringLiteral("'%1' is not a valid entry for '%2'. Please specify another value");

QLineEdit *editorOf(const ConcreteElement &element)
{
    return qobject_cast<QLineEdit *>(element.control());
}

SpinBox *spinOf(const ConcreteElement &element)
{
    return qobject_cast<SpinBox *>(element.control());
}

} // namespace

class TestValueElements : public QObject
{
    Q_OBJECT

private slots:
    void rowSelfChecks_data()
    {
        addColumns<QString, QString, bool>({"kind", "editorClass", "selfChecked"});
        addRow("dial string, not self-checked", "DIALEDITBOX", "QLineEdit", false);
        addRow("address", "IPADDRESS", "IPControl", true);
        addRow("float, not self-checked", "FLOAT", "FloatSpinBox", false);
    }
    void rowSelfChecks()
    {
        QFETCH(QString, kind);
        QFETCH(bool, selfChecked);
        // A rule that holds disables the new control when it takes part in the self-check.
        TestValueElement mode("Mode", "off");
        auto element = makeValueElement(kind.toLatin1(), "Copies", "10.0.0.1");
        Dependency dependency(element->id(), element.get());
        dependency.constraints.push_back(ruleOn(Constraint::Disable, &mode, "off", selfChecked));
        element->setDependency(&dependency);
        Panel panel;
        QWidget *row = element->createControl(&panel);
        QCOMPARE(row->findChild<QLabel *>("label", Qt::FindDirectChildrenOnly)->text(), QString("Copies : "));
        QTEST(QString(element->control()->metaObject()->className()), "editorClass");
        QCOMPARE(element->control()->isEnabled(), !selfChecked);
    }

    void characterFilter_data()
    {
        addColumns<QString, QString, QString>({"kind", "typed", "shown"});
        addRow("dial: punctuation, pause and letters refused", "DIALEDITBOX", "+1 (555) 12-3,w*#0",
               "+1 555 1230");
        addRow("edit: e-mail and the like kept, others refused", "EDITBOX", "a.b@c d+e,f-g O'N & S/#2<>!;?",
               "a.b@c d+e,f-g O'N & S/#2");
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
        addRow("negative is no room", "-4", 0, "");
        addRow("not a number counts as 0", "abc", 0, "");
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
        QVERIFY(editorOf(*open)->maxLength() >= 0);
    }

    void addressPasted_data()
    {
        // wrong: the text the box names, empty for no box
        addColumns<QString, QString, bool, QString, int>({"kind", "pasted", "accepted", "wrong", "section"});
        addRow("address", "IPADDRESS", "10.0.0.138", true, "", 0);
        addRow("all zeros", "IPADDRESS", "0.0.0.0", false, "0.0.0.0", 0);
        addRow("broadcast", "IPADDRESS", "255.255.255.255", false, "255.255.255.255", 0);
        addRow("last section over 255", "IPADDRESS", "10.1.1.256", false, "256", 3);
        addRow("two dots are put back by the input itself", "IPADDRESS", "10.1.1", false, "", 0);
        addRow("mask byte that is no mask", "SUBNETMASK", "255.255.253.0", false, "253", 2);
    }
    void addressPasted()
    {
        QFETCH(QString, kind);
        QFETCH(QString, pasted);
        QFETCH(bool, accepted);
        QFETCH(QString, wrong);
        const QString before = kind == "SUBNETMASK" ? "255.255.255.0" : "192.168.1.1";
        Shown<ConcreteElement> address(makeValueElement(kind.toLatin1(), "Address", before));
        auto *input = qobject_cast<IPControl *>(address.element->control());
        address.panel.show();
        input->setFocusedSection(2);
        address.dependent.sources.clear();
        address.changed.clear();
        MessageBoxRecorder boxes;

        input->setText(pasted);
        // Address inputs never re-check their dependents while they are typed in.
        QVERIFY(address.dependent.sources.isEmpty());
        QTEST(input->focusedSection(), "section");
        const QString kept = accepted ? pasted : before;
        QCOMPARE(address.element->current(), kept);
        QCOMPARE(input->text(), kept);
        // The input may put back the old text, but never reports another one.
        for (const QString &value : reported(address.changed))
            QCOMPARE(value, kept);
        if (accepted || !wrong.isEmpty())
            QCOMPARE(address.changed.count(), accepted ? 1 : 0);
        QCOMPARE(boxes.count(), wrong.isEmpty() ? 0 : 1);
        if (!wrong.isEmpty()) {
            QCOMPARE(boxes.last().icon, QMessageBox::Warning);
            QCOMPARE(boxes.last().text, WrongEntry.arg(wrong, "Address"));
        }
    }

    void addressTypedKeyByKey()
    {
        // A value the four cells cannot hold is shown as an empty address, so
        // that the user can still type one.
        Shown<ConcreteElement> address(makeValueElement("IPADDRESS", "Address", "10.0.1"));
        auto *input = qobject_cast<IPControl *>(address.element->control());
        address.panel.show();
        QCOMPARE(input->text(), QString("..."));
        input->setFocus();
        QTest::keyClick(input, Qt::Key_Home);
        MessageBoxRecorder boxes;
        QTest::keyClicks(input, "1.30");
        QCOMPARE(address.element->current(), QString("1.30.."));
        // The third digit makes the section 300: refused as it is typed.
        QTest::keyClick(input, Qt::Key_0);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, WrongEntry.arg("300", "Address"));
        QCOMPARE(input->text(), QString("1.30.."));
        QCOMPARE(input->focusedSection(), 1);
    }

    void addressIsValid_data()
    {
        // The address rules themselves are the input's; these rows show the
        // element's own ones: completeness and the mask's run of ones.
        addColumns<QString, QString, bool>({"kind", "current", "valid"});
        addRow("address incomplete", "IPADDRESS", "192.168.1.", false);
        addRow("mask", "SUBNETMASK", "255.255.252.0", true);
        addRow("mask with a gap", "SUBNETMASK", "255.0.255.0", false);
    }
    void addressIsValid()
    {
        QFETCH(QString, kind);
        QFETCH(QString, current);
        QFETCH(bool, valid);
        auto element = makeValueElement(kind.toLatin1(), "Mask", current);
        MessageBoxRecorder boxes;
        QCOMPARE(element->isValid(), valid);
        const QString text = QString("'%1' is not a valid entry. Please specify another value").arg(current);
        QCOMPARE(boxes.count() ? boxes.last().text : QString(), valid ? QString() : text);
    }

    void textLabel_data()
    {
        addColumns<QString, QString, QString>({"format", "current", "shown"});
        addRow("value in a sentence, percent sign", "Ink level %s%%", "40", "Ink level 40%");
        addRow("hostile conversions shown as text", "%n%s%x%s", "42", "%n42%x%s");
        addRow("width, precision and a lone percent", "%5s|%.2f|%d %", "7", "%5s|%.2f|%d %");
        addRow("value with percent is not re-read, markup stays text", "<b>%s</b>", "%n%n", "<b>%n%n</b>");
        addRow("no format shows the value", QString(), "ready", "ready");
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

    void floatScaling_data()
    {
        // Bounds go through the same conversion as values (so -100.00 lands on
        // -99.99); bounds beyond the int range are the spin box's to pin.
        addColumns<QString, QString, QString, QString, int, QString, int, int>(
            {"current", "min", "max", "digits", "value", "shown", "spinMin", "spinMax"});
        addRow("1.25 with 2 digits", "1.25", "0.1", "10.7", "2", 125, "1.25", 10, 1070);
        addRow("-1.25 truncates toward zero", "-1.25", "-100", "100", "2", -124, "-1.24", -9999, 10000);
        addRow("half rounds up", "2.5", "-100", "100", "0", 3, "3.0", -99, 100);
        addRow("negative half rounds toward zero", "-2.5", "-100", "100", "0", -2, "-2.0", -99, 100);
        addRow("not numbers count as 0", "n/a", "low", "high", "2", 0, "0.00", 0, 0);
        addRow("digits beyond what an int holds", "0", "0", "1", "25", 0, "0.000000000", 0, 1000000000);
        addRow("negative digits count as none", "3", "0", "5", "-3", 3, "3.0", 0, 5);
    }
    void floatScaling()
    {
        QFETCH(QString, current);
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(QString, digits);
        auto element = makeNumeric("FLOAT", current, min, max, "0.5", digits);
        Panel panel;
        element->createControl(&panel);
        auto *spin = qobject_cast<FloatSpinBox *>(element->control());
        QTEST(spin->value(), "value");
        QTEST(spin->text(), "shown");
        QTEST(spin->minimum(), "spinMin");
        QTEST(spin->maximum(), "spinMax");
    }

    void floatTypedUnderGermanLocale()
    {
        const auto restore = qScopeGuard([before = QLocale()] { QLocale::setDefault(before); });
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Shown<ConcreteElement> shown(makeNumeric("FLOAT", "1.50", "0", "10", "0.25", "2"));
        QCOMPARE(spinOf(*shown.element)->text(), QString("1.50"));
        QLineEdit *editor = spinOf(*shown.element)->findChild<QLineEdit *>();
        editor->selectAll();
        QTest::keyClicks(editor, "2.75");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(shown.element->current(), QString("2.75"));
        QCOMPARE(spinOf(*shown.element)->value(), 275);
    }

    void integerClampedByIsValid_data()
    {
        addColumns<QString, QString>({"current", "expected"});
        addRow("above max", "150", "100");
        addRow("not a number counts as 0, below min", "many", "1");
        addRow("inside the range", "42", "42");
    }
    void integerClampedByIsValid()
    {
        QFETCH(QString, current);
        QFETCH(QString, expected);
        Shown<ConcreteElement> shown(makeNumeric("INTEGER", "50", "1", "100", "1"));
        // Set as a rule would: the spin box does not follow on its own.
        shown.element->setCurrent(current);
        shown.changed.clear();
        QVERIFY(shown.element->isValid());
        QCOMPARE(shown.element->current(), expected);
        // Only a pulled-back value reaches the spin box and the dependents.
        const bool clamped = current != expected;
        QCOMPARE(spinOf(*shown.element)->text(), clamped ? expected : QString("50"));
        QCOMPARE(shown.changed.count(), clamped ? 1 : 0);
        QCOMPARE(shown.dependent.sources.size(), clamped ? 1 : 0);
    }

    void boundsPullTheValueOnceShown()
    {
        auto element = makeNumeric("INTEGER", "80", "0", "100", "1");
        // Bounds filled in after the value (as the description is read) leave
        // the device's value alone, and so does showing the setting.
        QVERIFY(element->setProperty("max", "50"));
        Panel panel;
        element->createControl(&panel);
        QCOMPARE(element->current(), QString("80"));
        QVERIFY(element->setProperty("max", "40"));
        QCOMPARE(spinOf(*element)->maximum(), 40);
        QCOMPARE(spinOf(*element)->value(), 40);

        auto decimal = makeNumeric("FLOAT", "5.25", "0", "10", "0.5", "2");
        decimal->createControl(&panel);
        QSignalSpy changed(decimal.get(), &ConcreteElement::valueChanged);
        QVERIFY(decimal->setProperty("max", "4.5"));
        // The bound becomes current, then the spin box, pulled down to it,
        // reports its own text for it.
        QCOMPARE(reported(changed), QStringList({"4.5", "4.50"}));
        QVERIFY(decimal->setProperty("min", "1.05"));
        QVERIFY(decimal->setProperty("digits", "1"));
        QCOMPARE(spinOf(*decimal)->maximum(), 45);
        // 1.05 as a float lies just below 1.05: 10.4999995 + 0.5 truncates to 10.
        QCOMPARE(spinOf(*decimal)->minimum(), 10);
    }

    void slider()
    {
        auto element = makeNumeric("SLIDER", "5", "0", "10", "2");
        static_cast<SliderElement *>(element.get())->setColorMarker("00ffff");
        Shown<ConcreteElement> shown(std::move(element));
        shown.panel.show();
        const QImage image = shown.row->findChild<QLabel *>("colorMarkLabel")->pixmap().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor("#00ffff"));
        auto *slider = qobject_cast<QSlider *>(shown.element->control());
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(shown.element->current(), QString("7"));
        QCOMPARE(shown.row->findChild<QLabel *>("valueLabel")->text(), QString("7"));
        // A rule moved the value ahead of the slider (and reported it); moving
        // the slider onto it reports it again but changes nothing for the dependents.
        shown.element->setCurrent("9");
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(reported(shown.changed), QStringList({"7", "9", "9"}));
        QCOMPARE(shown.dependent.sources, QStringList{"Density"});
        // Validation does not move a slider.
        shown.element->setCurrent("150");
        QVERIFY(shown.element->isValid());
        QCOMPARE(shown.element->current(), QString("150"));
    }
};

QTEST_MAIN(TestValueElements)
#include "tst_valueelements.moc"
