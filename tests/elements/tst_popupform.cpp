#include "common/messageboxrecorder.h"
#include "elements/buttonelement.h"
#include "elements/complexelement.h"
#include "elements/formelement.h"
#include "valuefixtures.h"
#include "window/popupform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace {

// A member of a form: an edit box, or what kind says, with its factory value.
FactoryElement *member(const QString &id, const QString &current, const QString &factory = QString(),
                       const QByteArray &kind = "EDITBOX")
{
    auto *element = new FactoryElement(kind, nullptr, nullptr);
    element->setId(id);
    element->setInitial(current);
    element->setCurrent(current);
    if (!factory.isNull())
        element->setFactory(factory);
    return element;
}

// A "Scan to e-mail" form: Subject (factory "Scan"), Format (factory "PDF").
struct MailForm
{
    MailForm()
    {
        form.setTitle("Scan to e-mail");
        form.addElement(subject);
        form.addElement(format);
    }
    FormElement form{"POPUP", nullptr, nullptr};
    FactoryElement *subject = member("Subject", "Scan", "Scan");
    FactoryElement *format = member("Format", "JPEG", "PDF");
};

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

class TestPopupForm : public QObject
{
    Q_OBJECT

private slots:
    void formShowsMembers_data()
    {
        addColumns<bool>({"hasDefault"});
        QTest::newRow("DEFAULT=TRUE") << true;
        QTest::newRow("no DEFAULT") << false;
    }
    void formShowsMembers()
    {
        QFETCH(bool, hasDefault);
        MailForm mail;
        mail.form.setHasDefault(hasDefault);
        QPointer<PopupForm> seen;
        QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
            seen = form;
            QCOMPARE(qobject_cast<QPushButton *>(mail.form.control())->text(), QString("Scan to e-mail"));
            QCOMPARE(form->windowTitle(), QString("Scan to e-mail"));
            QVERIFY(form->isModal());
            QCOMPARE(form->btnDefault->isVisible(), hasDefault);
            // Members' rows are stacked in the panel, in order.
            QCOMPARE(form->panelLayout()->count(), 2);
            QVERIFY(form->panel->isAncestorOf(editorOf(mail.subject)));
            QVERIFY(editorOf(mail.format)->mapTo(form, QPoint()).y() >
                    editorOf(mail.subject)->mapTo(form, QPoint()).y());
            // Nothing to apply until a member is edited.
            QVERIFY(!form->btnOK->isEnabled());
            QTest::keyClicks(editorOf(mail.format), "X");
            QVERIFY(form->btnOK->isEnabled());
        }));
        // After closing, the form and the members' controls are gone.
        QVERIFY(seen.isNull());
        QCOMPARE(mail.form.form(), nullptr);
        QCOMPARE(mail.subject->control(), nullptr);
    }

    void applyCommitsThenCloseRestoresTheRest()
    {
        MailForm mail;
        QSignalSpy applied(&mail.form, &FormElement::applyClicked);
        // The dialog sends the changes when it hears applyClicked: they must not
        // be committed yet at that moment.
        QString committedWhenApplied;
        connect(&mail.form, &FormElement::applyClicked, this,
                [&] { committedWhenApplied = mail.subject->initial(); });
        QSignalSpy subjectChanged(mail.subject, &ConcreteElement::valueChanged);
        QSignalSpy formatChanged(mail.format, &ConcreteElement::valueChanged);

        QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
            QTest::keyClicks(editorOf(mail.subject), "1");
            QTest::mouseClick(form->btnOK, Qt::LeftButton);
            QCOMPARE(applied.size(), 1);
            QCOMPARE(committedWhenApplied, QString("Scan"));
            QCOMPARE(mail.subject->initial(), QString("Scan1"));
            QCOMPARE(mail.subject->objectName(), QString("Scan1"));
            QVERIFY(!form->btnOK->isEnabled());
            QVERIFY(form->isVisible());
            QTest::keyClicks(editorOf(mail.subject), "2");
            QTest::keyClicks(editorOf(mail.format), "3");
            subjectChanged.clear();
            formatChanged.clear();
            QTest::mouseClick(form->btnCancel, Qt::LeftButton);
        }));
        // Every member reports its value back, changed since the apply or not.
        QCOMPARE(reported(subjectChanged), QStringList{"Scan1"});
        QCOMPARE(reported(formatChanged), QStringList{"JPEG"});
        QCOMPARE(mail.subject->current(), QString("Scan1"));
    }

    void invalidMemberBlocksApply()
    {
        MessageBoxRecorder boxes;
        FormElement form("POPUP", nullptr, nullptr);
        auto *address = member("Gateway", "10.0.0.1", QString(), "IPADDRESS");
        form.addElement(address);
        QSignalSpy applied(&form, &FormElement::applyClicked);
        QVERIFY(whileOpen(form, [&](PopupForm *popup) {
            address->setCurrent("0.0.0.0");
            QTest::mouseClick(popup->btnOK, Qt::LeftButton);
            QCOMPARE(applied.size(), 0);
            QCOMPARE(boxes.count(), 1);
            QVERIFY(popup->btnOK->isEnabled());
            QCOMPARE(address->initial(), QString("10.0.0.1"));
        }));
        QCOMPARE(address->current(), QString("10.0.0.1"));
    }

    void defaultSetsFactoryValues()
    {
        MailForm mail;
        mail.form.setHasDefault(true);
        auto *note = member("Note", "hello");      // no factory value
        auto *copyTo = member("CopyTo", "me", ""); // an empty one is a value
        mail.form.addElement(note);
        mail.form.addElement(copyTo);
        QSignalSpy subjectChanged(mail.subject, &ConcreteElement::valueChanged);
        QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
            QTest::mouseClick(form->btnDefault, Qt::LeftButton);
            QCOMPARE(editorOf(mail.format)->text(), QString("PDF"));
            QCOMPARE(editorOf(note)->text(), QString("hello"));
            QCOMPARE(editorOf(copyTo)->text(), QString(""));
            // Already at its factory value: not reported again.
            QCOMPARE(subjectChanged.count(), 0);
            QVERIFY(form->btnOK->isEnabled());
        }));
        // Not applied, so closing the form brings the values back.
        QCOMPARE(mail.format->current(), QString("JPEG"));
        QCOMPARE(copyTo->current(), QString("me"));
    }

    void otherMembersAreReportedAndShown()
    {
        MailForm mail;
        auto *button = new ButtonElement("BUTTON", nullptr, nullptr);
        mail.form.addElement(button);
        auto *options = new ComplexElement("GROUP", nullptr, nullptr);
        auto *resolution = member("Resolution", "300");
        options->addElement(resolution);
        mail.form.addElement(options);

        // Each member that is no value setting is reported, and the walk goes on.
        const QRegularExpression report(
            "^ASSERT: \"elements\\(\\)\\.at\\(i\\)->inherits\\(\"ConcreteElement\"\\)\" "
            "in common\\.cpp \\(\\d+\\)$");
        QTest::ignoreMessage(QtWarningMsg, report);
        QTest::ignoreMessage(QtWarningMsg, report);
        QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
            QVERIFY(form->panel->isAncestorOf(button->control()));
            // The group's members are not rows of the form's column, the group is.
            QCOMPARE(form->panelLayout()->count(), 4);
            QVERIFY(options->control()->minimumHeight() >= 29);
            QTest::keyClicks(editorOf(resolution), "0");
            QVERIFY(form->btnOK->isEnabled());
        }));
        QCOMPARE(button->control(), nullptr);
        // Nested members are restored as well.
        QCOMPARE(resolution->current(), QString("300"));
    }
};

QTEST_MAIN(TestPopupForm)
#include "tst_popupform.moc"
