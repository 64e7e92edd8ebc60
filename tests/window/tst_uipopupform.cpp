// clang-format off
// No space after #include: AUTOUIC would take the hand-written form for a
// generated one and look for a popupform.ui.
#include"window/forms/ui_popupform.h"
// clang-format on

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {
class ApplyingForm : public Ui_PopupForm
{
public:
    using Ui_PopupForm::Ui_PopupForm;
    int applied = 0;
    int closed = 0;
    void btnOK_clicked() override { ++applied; }
    void btnCancel_clicked() override { ++closed; }
};
} // namespace

class TestUiPopupForm : public QObject
{
    Q_OBJECT
private slots:
    void namedAfterItsClassByDefault()
    {
        Ui_PopupForm unnamed;
        QCOMPARE(unnamed.objectName(), QStringLiteral("Ui_PopupForm"));
        Ui_PopupForm named(nullptr, "popup_7");
        QCOMPARE(named.objectName(), QStringLiteral("popup_7"));
    }

    void widgets()
    {
        Ui_PopupForm form(nullptr, nullptr, false);
        QVERIFY(form.isModal()); // always modal, whatever the caller asks
        QCOMPARE(form.windowTitle(), QStringLiteral("PopupForm"));
        QCOMPARE(form.minimumWidth(), 320);
        QCOMPARE(form.maximumWidth(), 320);

        QCOMPARE(form.panel->objectName(), QStringLiteral("panel"));
        QCOMPARE(form.panel->minimumWidth(), 300);
        QCOMPARE(form.panel->maximumWidth(), 300);
        QCOMPARE(form.panel->minimumHeight(), 40);
        QCOMPARE(form.panel->frameShape(), QFrame::NoFrame);
        QCOMPARE(form.line3->frameShape(), QFrame::HLine);
        QCOMPARE(form.line3->frameShadow(), QFrame::Sunken);

        const QList<QPushButton *> buttons = {form.btnDefault, form.btnOK, form.btnCancel};
        const QStringList names = {"btnDefault", "btnOK", "btnCancel"};
        const QStringList texts = {"Printer Default", "Apply", "Close"};
        const QList<int> minimumWidths = {100, 90, 90};
        for (int i = 0; i < buttons.size(); ++i) {
            QCOMPARE(buttons.at(i)->objectName(), names.at(i));
            QCOMPARE(buttons.at(i)->text(), texts.at(i));
            QCOMPARE(buttons.at(i)->minimumWidth(), minimumWidths.at(i));
            QCOMPARE(buttons.at(i)->maximumHeight(), 24);
            QCOMPARE(buttons.at(i)->parent(), &form);
        }

        auto *outer = qobject_cast<QVBoxLayout *>(form.layout());
        QVERIFY(outer);
        QCOMPARE(outer->objectName(), QStringLiteral("Ui_PopupFormLayout"));
        QCOMPARE(outer->spacing(), 6);
        QCOMPARE(outer->contentsMargins(), QMargins(8, 8, 8, 8));
        QCOMPARE(outer->count(), 3);
        QCOMPARE(outer->itemAt(0)->widget(), form.panel);
        QCOMPARE(outer->itemAt(1)->widget(), form.line3);
        auto *row = qobject_cast<QHBoxLayout *>(outer->itemAt(2)->layout());
        QVERIFY(row);
        QCOMPARE(row->objectName(), QStringLiteral("Layout3"));
        QCOMPARE(row->spacing(), 6);
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(row->itemAt(i)->widget(), buttons.at(i));
    }

    void stubsWarn_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("warning");
        QTest::newRow("Close") << "btnCancel"
                               << "Ui_PopupForm::btnCancel_clicked(): Not implemented yet!";
        QTest::newRow("Apply") << "btnOK"
                               << "Ui_PopupForm::btnOK_clicked(): Not implemented yet!";
    }

    void stubsWarn()
    {
        QFETCH(QString, button);
        QFETCH(QString, warning);
        Ui_PopupForm form;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
    }

    void printerDefaultIsLeftToTheDerivedForm()
    {
        Ui_PopupForm form;
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QTest::mouseClick(form.btnDefault, Qt::LeftButton);
    }

    void derivedFormReceivesTheClicks()
    {
        ApplyingForm form;
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Not implemented")));
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
        QCOMPARE(form.applied, 1);
        QCOMPARE(form.closed, 2);
    }
};

QTEST_MAIN(TestUiPopupForm)
#include "tst_uipopupform.moc"
