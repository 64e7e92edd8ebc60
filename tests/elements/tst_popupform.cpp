#include "common/logcapture.h"
#include "common/messageboxrecorder.h"
#include "elements/buttonelement.h"
#include "elements/complexelement.h"
#include "elements/concreteelement.h"
#include "elements/factoryelement.h"
#include "elements/formelement.h"
#include "window/popupform.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace {

// Counts the control updates that the Default button asks for.
class CountingFactoryElement : public FactoryElement
{
public:
    CountingFactoryElement(const QString &id, const QString &current, const QString &factory = QString(),
                           const QByteArray &type = "EDITBOX")
        : FactoryElement(type, nullptr, nullptr)
    {
        setId(id);
        setTitle(id);
        setInitial(current);
        setCurrent(current);
        setObjectName(current);
        if (!factory.isNull())
            setFactory(factory);
    }
    void setControlValue(const QString &value) override
    {
        controlValues << value;
        FactoryElement::setControlValue(value);
    }
    QStringList controlValues;
};

// A "Scan to e-mail" form: Subject (factory "Scan"), Format (factory "PDF").
struct MailForm
{
    MailForm()
    {
        form.setId("ScanToEmail");
        form.setTitle("Scan to e-mail");
        subject = new CountingFactoryElement("Subject", "Scan", "Scan");
        format = new CountingFactoryElement("Format", "JPEG", "PDF");
        form.addElement(subject);
        form.addElement(format);
    }
    FormElement form{"POPUP", nullptr, nullptr};
    CountingFactoryElement *subject;
    CountingFactoryElement *format;
};

QLineEdit *editorOf(Element *element)
{
    return qobject_cast<QLineEdit *>(element->control());
}

// Opens the form modally and runs body on it from inside the form's event
// loop; whatever body does, the form is closed afterwards so the test never
// blocks. Returns whether body ran on an open form.
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
    element.showForm();
    return ran;
}

} // namespace

class TestPopupForm : public QObject
{
    Q_OBJECT

private slots:
    void panelStacksNewChildren();

    void rowOpensTheForm();
    void formShowsMembers();
    void defaultButtonOnlyWithDefault_data();
    void defaultButtonOnlyWithDefault();
    void editingEnablesApply();
    void applyCommitsAndKeepsFormOpen();
    void invalidMemberBlocksApply();
    void closeRestoresChangesSinceApply();
    void defaultSetsFactoryValues();
    void nonValueMemberIsReportedAndShown();
    void nestedGroupMembersEnableApply();
    void rowShowHideAndDelete();
};

void TestPopupForm::panelStacksNewChildren()
{
    PopupForm form;
    QCOMPARE(form.objectName(), QString("Ui_PopupForm"));
    QVBoxLayout *column = form.panelLayout();
    QCOMPARE(form.panel->layout(), column);
    QCOMPARE(column->spacing(), 5);
    QCOMPARE(column->contentsMargins(), QMargins(0, 0, 0, 0));

    auto *first = new QLabel("first", form.panel);
    auto *second = new QLineEdit(form.panel);
    auto *third = new QWidget(form.panel);
    third->setFixedHeight(30);
    QCOMPARE(column->count(), 3);
    QCOMPARE(column->indexOf(first), 0);
    QCOMPARE(column->indexOf(second), 1);
    QCOMPARE(column->indexOf(third), 2);

    // Grandchildren belong to their own parents' layouts, not to the column.
    new QLabel("inner", third);
    QCOMPARE(column->count(), 3);

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(second->y() > first->y());
    QVERIFY(third->y() >= second->geometry().bottom() + 5);

    // A deleted child leaves the column.
    delete second;
    QCOMPARE(column->count(), 2);
}

void TestPopupForm::rowOpensTheForm()
{
    MailForm mail;
    QWidget panel;
    panel.resize(370, 145);
    LogCapture log;
    QWidget *row = mail.form.createControl(&panel);
    QVERIFY(log.contains("FormElement::createControl:"));
    QVERIFY(row->objectName().isEmpty());
    QCOMPARE(row->width(), 370);
    QCOMPARE(row->size(), QSize(370, 24));

    auto *button = qobject_cast<QPushButton *>(mail.form.control());
    QVERIFY(button);
    QCOMPARE(button->text(), QString("Scan to e-mail"));
    QCOMPARE(button->parentWidget(), row);
    auto *spacer = row->findChild<QLabel *>("hbox");
    QVERIFY(spacer);
    QVERIFY(spacer->text().isEmpty());

    bool opened = false;
    QTimer::singleShot(0, this, [&] {
        if (auto *form = mail.form.form()) {
            opened = true;
            form->reject();
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(opened);
    QVERIFY(log.contains("FormElement::showForm()"));
    QCOMPARE(mail.form.form(), nullptr);
}

void TestPopupForm::formShowsMembers()
{
    MailForm mail;
    QPointer<PopupForm> seen;
    const bool ran = whileOpen(mail.form, [&](PopupForm *form) {
        seen = form;
        QCOMPARE(form->windowTitle(), QString("Scan to e-mail"));
        QVERIFY(form->isModal());
        QCOMPARE(form->parentWidget(), nullptr);
        QVERIFY(!form->btnOK->isEnabled());
        QCOMPARE(form->layout()->sizeConstraint(), QLayout::SetFixedSize);

        // Members' rows are stacked in the panel, in order, with the small font.
        QLineEdit *subject = editorOf(mail.subject);
        QLineEdit *format = editorOf(mail.format);
        QVERIFY(subject && format);
        QCOMPARE(subject->parentWidget()->parentWidget(), form->panel);
        QCOMPARE(subject->text(), QString("Scan"));
        QCOMPARE(format->text(), QString("JPEG"));
        QCOMPARE(form->panelLayout()->count(), 2);
        QVERIFY(format->mapTo(form, QPoint()).y() > subject->mapTo(form, QPoint()).y());
        QCOMPARE(form->font().pixelSize(), 10);
        QCOMPARE(subject->font().pixelSize(), 10);
        QCOMPARE(form->btnOK->font().pixelSize(), 10);
    });
    QVERIFY(ran);
    // After closing, the form and the members' controls are gone.
    QVERIFY(seen.isNull());
    QCOMPARE(mail.form.form(), nullptr);
    QCOMPARE(mail.subject->control(), nullptr);
    QCOMPARE(mail.format->control(), nullptr);
}

void TestPopupForm::defaultButtonOnlyWithDefault_data()
{
    QTest::addColumn<bool>("hasDefault");
    QTest::newRow("DEFAULT=TRUE") << true;
    QTest::newRow("no DEFAULT") << false;
}

void TestPopupForm::defaultButtonOnlyWithDefault()
{
    QFETCH(bool, hasDefault);
    MailForm mail;
    mail.form.setHasDefault(hasDefault);
    QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
        QCOMPARE(form->btnDefault->isVisible(), hasDefault);
        QVERIFY(form->btnOK->isVisible());
        QVERIFY(form->btnCancel->isVisible());
    }));
}

void TestPopupForm::editingEnablesApply()
{
    MailForm mail;
    QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
        QVERIFY(!form->btnOK->isEnabled());
        QTest::keyClicks(editorOf(mail.format), "X");
        QCOMPARE(mail.format->current(), QString("JPEGX"));
        QVERIFY(form->btnOK->isEnabled());
    }));
}

void TestPopupForm::applyCommitsAndKeepsFormOpen()
{
    MailForm mail;
    QSignalSpy applied(&mail.form, &FormElement::applyClicked);
    // The dialog sends the changes when it hears applyClicked: they must not
    // be committed yet at that moment.
    QString committedWhenApplied;
    connect(&mail.form, &FormElement::applyClicked, this,
            [&] { committedWhenApplied = mail.subject->initial(); });
    LogCapture log;

    QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
        QTest::keyClicks(editorOf(mail.subject), "s");
        QVERIFY(form->btnOK->isEnabled());
        QTest::mouseClick(form->btnOK, Qt::LeftButton);

        QCOMPARE(applied.size(), 1);
        QCOMPARE(committedWhenApplied, QString("Scan"));
        QVERIFY(!form->btnOK->isEnabled());
        QVERIFY(form->isVisible());
        QCOMPARE(mail.form.form(), form);
        QCOMPARE(mail.subject->initial(), QString("Scans"));
        QCOMPARE(mail.subject->objectName(), QString("Scans"));
        QVERIFY(log.contains("FormElement::okBtnClicked(): startEnumerating!"));
    }));
    // Closed with Close after the apply: the applied value stays.
    QCOMPARE(mail.subject->current(), QString("Scans"));
    QVERIFY(log.contains("dialog result is QDialog::Rejected"));
}

void TestPopupForm::invalidMemberBlocksApply()
{
    MessageBoxRecorder boxes;
    FormElement form("POPUP", nullptr, nullptr);
    form.setId("Network");
    auto *address = new CountingFactoryElement("Gateway", "10.0.0.1", QString(), "IPADDRESS");
    form.addElement(address);
    QSignalSpy applied(&form, &FormElement::applyClicked);

    QVERIFY(whileOpen(form, [&](PopupForm *popup) {
        address->setCurrent("0.0.0.0");
        QVERIFY(popup->btnOK->isEnabled());
        QTest::mouseClick(popup->btnOK, Qt::LeftButton);
        QCOMPARE(applied.size(), 0);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(popup->btnOK->isEnabled());
        QVERIFY(popup->isVisible());
        QCOMPARE(address->initial(), QString("10.0.0.1"));
    }));
    QCOMPARE(address->current(), QString("10.0.0.1"));
}

void TestPopupForm::closeRestoresChangesSinceApply()
{
    MailForm mail;
    QSignalSpy subjectChanged(mail.subject, &ConcreteElement::valueChanged);
    QSignalSpy formatChanged(mail.format, &ConcreteElement::valueChanged);

    QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
        QTest::keyClicks(editorOf(mail.subject), "1");
        QTest::mouseClick(form->btnOK, Qt::LeftButton);
        QTest::keyClicks(editorOf(mail.subject), "2");
        QTest::keyClicks(editorOf(mail.format), "3");
        subjectChanged.clear();
        formatChanged.clear();
        QTest::mouseClick(form->btnCancel, Qt::LeftButton);
    }));
    QCOMPARE(mail.subject->current(), QString("Scan1"));
    QCOMPARE(mail.format->current(), QString("JPEG"));
    // Every member reports its value back, changed or not.
    QCOMPARE(subjectChanged.size(), 1);
    QCOMPARE(subjectChanged.at(0).at(0).toString(), QString("Scan1"));
    QCOMPARE(formatChanged.size(), 1);
    QCOMPARE(formatChanged.at(0).at(0).toString(), QString("JPEG"));
}

void TestPopupForm::defaultSetsFactoryValues()
{
    MailForm mail;
    mail.form.setHasDefault(true);
    auto *note = new CountingFactoryElement("Note", "hello"); // no factory value
    mail.form.addElement(note);
    LogCapture log;

    QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
        QTest::mouseClick(form->btnDefault, Qt::LeftButton);
        QCOMPARE(mail.format->current(), QString("PDF"));
        QCOMPARE(editorOf(mail.format)->text(), QString("PDF"));
        QCOMPARE(mail.format->controlValues, QStringList{"PDF"});
        // Already at its factory value: left alone.
        QVERIFY(mail.subject->controlValues.isEmpty());
        QCOMPARE(note->current(), QString("hello"));
        QVERIFY(note->controlValues.isEmpty());
        QVERIFY(form->btnOK->isEnabled());
    }));
    QVERIFY(log.contains("FormElement::defaultBtnClicked"));
    QVERIFY(log.contains("elements().count()=3"));
    // Not applied, so closing the form brings the value back.
    QCOMPARE(mail.format->current(), QString("JPEG"));
}

void TestPopupForm::nonValueMemberIsReportedAndShown()
{
    MailForm mail;
    auto *button = new ButtonElement("BUTTON", nullptr, nullptr);
    button->setId("Send");
    button->setLabel("Send now");
    mail.form.addElement(button);

    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression("^ASSERT: \"elements\\(\\)\\.at\\(i\\)->inherits\\(\"ConcreteElement\"\\)\" "
                           "in common\\.cpp \\(\\d+\\)$"));
    QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
        auto *pushButton = qobject_cast<QPushButton *>(button->control());
        QVERIFY(pushButton);
        QVERIFY(form->panel->isAncestorOf(pushButton));
        QCOMPARE(form->panelLayout()->count(), 3);
    }));
    QCOMPARE(button->control(), nullptr);
}

void TestPopupForm::nestedGroupMembersEnableApply()
{
    MailForm mail;
    auto *options = new ComplexElement("GROUP", nullptr, nullptr);
    options->setId("MailOptions");
    auto *resolution = new CountingFactoryElement("Resolution", "300");
    options->addElement(resolution);
    mail.form.addElement(options);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^ASSERT: .*ConcreteElement.* in common\\.cpp"));
    QVERIFY(whileOpen(mail.form, [&](PopupForm *form) {
        QLineEdit *editor = editorOf(resolution);
        QVERIFY(editor);
        QVERIFY(form->panel->isAncestorOf(editor));
        // The group's frame claims room for its row inside the form's column.
        QVERIFY(options->control()->minimumHeight() >= 29);
        QTest::keyClicks(editor, "0");
        QVERIFY(form->btnOK->isEnabled());
    }));
    // Nested members are restored as well.
    QCOMPARE(resolution->current(), QString("300"));
}

void TestPopupForm::rowShowHideAndDelete()
{
    MailForm mail;
    QWidget panel;
    panel.resize(370, 145);
    QPointer<QWidget> row = mail.form.createControl(&panel);
    panel.show();

    QSignalSpy visible(&mail.form, &Element::visibleChanged);
    mail.form.hideControl();
    QVERIFY(row->isHidden());
    mail.form.showControl();
    QVERIFY(row->isVisible());
    QCOMPARE(visible.size(), 2);
    QCOMPARE(visible.at(0).at(0).toBool(), false);
    QCOMPARE(visible.at(1).at(0).toBool(), true);

    LogCapture log;
    mail.form.deleteControl();
    QVERIFY(log.contains("Element::deleteControl:"));
    QVERIFY(row.isNull());
    QCOMPARE(mail.form.control(), nullptr);
}

QTEST_MAIN(TestPopupForm)
#include "tst_popupform.moc"
