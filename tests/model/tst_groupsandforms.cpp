#include "common/messageboxrecorder.h"
#include "model/buttonelement.h"
#include "model/complexelement.h"
#include "model/enumerate.h"
#include "model/formelement.h"
#include "valuefixtures.h"
#include "widgets/popupform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

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

// Records the ids a walk visits; stops at the id in the argument.
bool recordVisit(Element *element, void *argument)
{
    auto *visits = static_cast<QStringList *>(argument);
    visits->append(element->id());
    return element->id() != visits->first();
}

// A member of a form: an edit box, or what kind says, with its factory value.
FactoryElement *member(FormElement &form, const QString &id, const QString &current,
                       const QString &factory = QString(), const QByteArray &kind = "EDITBOX")
{
    auto *element = new FactoryElement(kind, nullptr, nullptr);
    element->setId(id);
    element->setInitial(current);
    element->setCurrent(current);
    if (!factory.isNull())
        element->setFactory(factory);
    form.addElement(element);
    return element;
}

QLineEdit *editorOf(Element *element)
{
    return qobject_cast<QLineEdit *>(element->control());
}

// Opens the form with its row's button, as a user does, and runs body on it
// from inside the form's event loop; whatever body does, the form is closed
// afterwards so the test never blocks. Returns whether body ran on an open form.
bool whileOpen(FormElement &element, const std::function<void(PopupForm *)> &body)
{
    bool ran = false;
    QTimer::singleShot(0, &element, [&] {
        auto *form = qobject_cast<PopupForm *>(QApplication::activeModalWidget());
        if (form && form == element.form()) {
            ran = true;
            body(form);
        }
        if (element.form())
            element.form()->reject();
    });
    Panel panel;
    element.createControl(&panel);
    QTest::mouseClick(qobject_cast<QPushButton *>(element.control()), Qt::LeftButton);
    return ran;
}

} // namespace

class TestGroupsAndForms : public QObject
{
    Q_OBJECT

private slots:
    void rowPlacement_data()
    {
        addColumns<QList<int>, QList<int>>({"heights", "expectedY"});
        QTest::newRow("edit, button, tall") << QList<int>{22, 24, 90} << QList<int>{0, 29, 58};
        QTest::newRow("exact row fits one row") << QList<int>{29, 29} << QList<int>{0, 29};
        QTest::newRow("one pixel over takes two rows") << QList<int>{30, 22} << QList<int>{0, 58};
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
        QList<int> y;
        for (Element *member : area.elements()) {
            QCOMPARE(member->control()->parentWidget(), frame);
            y << member->control()->y();
        }
        QTEST(y, "expectedY");
    }

    void walks_data()
    {
        addColumns<bool, QString, QStringList>({"membersOnly", "stopAt", "visited"});
        addRow("whole walk, group first", false, "", QStringList{"Outer", "A", "Inner", "B", "C", "D"});
        addRow("stop inside a nested group", false, "B", QStringList{"Outer", "A", "Inner", "B"});
        addRow("members only, flat", true, "", QStringList{"A", "Inner", "D"});
        addRow("members only, stop", true, "Inner", QStringList{"A", "Inner"});
    }
    void walks()
    {
        QFETCH(bool, membersOnly);
        QFETCH(QString, stopAt);
        // Outer(A, Inner(B, C), D)
        auto outer = std::make_unique<ComplexElement>("GROUP", nullptr, nullptr);
        outer->setId("Outer");
        outer->addElement(valueSetting("A"));
        auto *inner = new ComplexElement("GROUP", nullptr, nullptr);
        inner->setId("Inner");
        inner->addElement(valueSetting("B"));
        inner->addElement(valueSetting("C"));
        outer->addElement(inner);
        outer->addElement(nullptr); // ignored
        outer->addElement(valueSetting("D"));
        QStringList visits{stopAt};
        const bool completed = membersOnly ? enumerateMembers(outer.get(), recordVisit, &visits)
                                           : enumerate(outer.get(), recordVisit, &visits);
        QCOMPARE(completed, stopAt.isEmpty());
        QTEST(visits.mid(1), "visited");
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

    void applyDefaultAndCancel()
    {
        FormElement mail("POPUP", nullptr, nullptr);
        mail.setHasDefault(true);
        FactoryElement *subject = member(mail, "Subject", "Scan", "Scan");
        FactoryElement *format = member(mail, "Format", "JPEG", "PDF");
        FactoryElement *note = member(mail, "Note", "hello");      // no factory value
        FactoryElement *copyTo = member(mail, "CopyTo", "me", ""); // an empty one is a value
        // The dialog sends the changes when it hears applyClicked: they must not
        // be committed yet at that moment.
        QStringList committedWhenApplied;
        connect(&mail, &FormElement::applyClicked, this, [&] { committedWhenApplied << subject->initial(); });
        QSignalSpy subjectChanged(subject, &ConcreteElement::valueChanged);
        QSignalSpy formatChanged(format, &ConcreteElement::valueChanged);

        QVERIFY(whileOpen(mail, [&](PopupForm *form) {
            QVERIFY(form->btnDefault->isVisible());
            // Nothing to apply until a member is edited.
            QVERIFY(!form->btnOK->isEnabled());
            QTest::keyClicks(editorOf(subject), "1");
            QTest::mouseClick(form->btnOK, Qt::LeftButton);
            QCOMPARE(committedWhenApplied, QStringList{"Scan"});
            QCOMPARE(subject->initial(), QString("Scan1"));
            QVERIFY(!form->btnOK->isEnabled());
            QVERIFY(form->isVisible());
            // Default shows the factory values, where there are any, unapplied.
            QTest::mouseClick(form->btnDefault, Qt::LeftButton);
            QCOMPARE(editorOf(format)->text(), QString("PDF"));
            QCOMPARE(editorOf(note)->text(), QString("hello"));
            QCOMPARE(editorOf(copyTo)->text(), QString(""));
            QVERIFY(form->btnOK->isEnabled());
            subjectChanged.clear();
            formatChanged.clear();
            QTest::mouseClick(form->btnCancel, Qt::LeftButton);
        }));
        // After closing, the form and the members' controls are gone, and every
        // member reports its applied value back, changed since the apply or not.
        QCOMPARE(mail.form(), nullptr);
        QCOMPARE(reported(subjectChanged), QStringList{"Scan1"});
        QCOMPARE(reported(formatChanged), QStringList{"JPEG"});
        QCOMPARE(copyTo->current(), QString("me"));
    }

    // Each opening makes the form and the members' controls anew: Apply starts
    // off every time, and an edit in the new controls still reaches it.
    void reopenedFormStartsUnapplied()
    {
        FormElement form("POPUP", nullptr, nullptr);
        FactoryElement *subject = member(form, "Subject", "Scan");
        for (int opening = 1; opening <= 3; ++opening) {
            QVERIFY(whileOpen(form, [&](PopupForm *popup) {
                QVERIFY(!popup->btnOK->isEnabled());
                QTest::keyClicks(editorOf(subject), "x");
                QVERIFY(popup->btnOK->isEnabled());
            }));
        }
    }

    void invalidMemberBlocksApply()
    {
        MessageBoxRecorder boxes;
        FormElement form("POPUP", nullptr, nullptr);
        FactoryElement *address = member(form, "Gateway", "10.0.0.1", QString(), "IPADDRESS");
        QSignalSpy applied(&form, &FormElement::applyClicked);
        QVERIFY(whileOpen(form, [&](PopupForm *popup) {
            address->setCurrent("0.0.0.0");
            QTest::mouseClick(popup->btnOK, Qt::LeftButton);
            QCOMPARE(applied.size(), 0);
            QCOMPARE(boxes.count(), 1);
            QVERIFY(popup->btnOK->isEnabled());
        }));
        QCOMPARE(address->current(), QString("10.0.0.1"));
    }

    void otherMembersAreReportedAndShown()
    {
        FormElement form("POPUP", nullptr, nullptr);
        auto *button = new ButtonElement("BUTTON", nullptr, nullptr);
        form.addElement(button);
        auto *options = new ComplexElement("GROUP", nullptr, nullptr);
        auto *resolution = new FactoryElement("EDITBOX", nullptr, nullptr);
        resolution->setCurrent("300");
        resolution->setInitial("300");
        options->addElement(resolution);
        form.addElement(options);

        // Each member that is no value setting is reported, and the walk goes on.
        const QRegularExpression report(
            "^ASSERT: \"elements\\(\\)\\.at\\(i\\)->inherits\\(\"ConcreteElement\"\\)\" "
            "in common\\.cpp \\(\\d+\\)$");
        QTest::ignoreMessage(QtWarningMsg, report);
        QTest::ignoreMessage(QtWarningMsg, report);
        QVERIFY(whileOpen(form, [&](PopupForm *popup) {
            QVERIFY(popup->panel->isAncestorOf(button->control()));
            // The group, not its members, is a row of the form's column.
            QCOMPARE(popup->panelLayout()->count(), 2);
            QTest::keyClicks(editorOf(resolution), "0");
            QVERIFY(popup->btnOK->isEnabled());
        }));
        // Nested members are restored as well.
        QCOMPARE(resolution->current(), QString("300"));
    }
};

QTEST_MAIN(TestGroupsAndForms)
#include "tst_groupsandforms.moc"
