#include "window/forms/ui_popupform.h"

#include <QPushButton>
#include <QTest>

class TestUiPopupForm : public QObject
{
    Q_OBJECT
private slots:
    void modalWithItsThreeButtons()
    {
        Ui_PopupForm form(nullptr, nullptr, false);
        QVERIFY(form.isModal()); // always modal, whatever the caller asks
        QCOMPARE(form.btnDefault->text(), QStringLiteral("Printer Default"));
        QCOMPARE(form.btnOK->text(), QStringLiteral("Apply"));
        QCOMPARE(form.btnCancel->text(), QStringLiteral("Close"));
    }

    void unimplementedButtonsWarn_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("warning"); // null: none
        QTest::newRow("Close") << "btnCancel"
                               << "Ui_PopupForm::btnCancel_clicked(): Not implemented yet!";
        QTest::newRow("Apply") << "btnOK"
                               << "Ui_PopupForm::btnOK_clicked(): Not implemented yet!";
        // Printer Default is left to the derived form without a word.
        QTest::newRow("Printer Default") << "btnDefault" << QString();
    }
    void unimplementedButtonsWarn()
    {
        QFETCH(QString, button);
        QFETCH(QString, warning);
        Ui_PopupForm form;
        auto *pushButton = form.findChild<QPushButton *>(button);
        QVERIFY(pushButton);
        if (warning.isEmpty())
            QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        else
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QTest::mouseClick(pushButton, Qt::LeftButton);
    }
};

QTEST_MAIN(TestUiPopupForm)
#include "tst_uipopupform.moc"
