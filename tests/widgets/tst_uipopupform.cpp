#include "widgets/forms/ui_popupform.h"

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
};

QTEST_MAIN(TestUiPopupForm)
#include "tst_uipopupform.moc"
