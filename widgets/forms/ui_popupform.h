#pragma once

#include <QDialog>

class QFrame;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

// The pop-up form's widgets: a panel for the group's controls above a line
// and the Printer Default / Apply / Close row. The slots are stubs; the form
// that shows a group derives from this class and overrides them.
class Ui_PopupForm : public QDialog
{
    Q_OBJECT
public:
    explicit Ui_PopupForm(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                          Qt::WindowFlags fl = Qt::WindowFlags());

    // Children, owned through the Qt parent.
    QFrame *panel;
    QFrame *line3;
    QPushButton *btnDefault;
    QPushButton *btnOK;
    QPushButton *btnCancel;

public slots:
    virtual void btnCancel_clicked();
    virtual void btnOK_clicked();

protected:
    QVBoxLayout *Ui_PopupFormLayout;
    QHBoxLayout *Layout3;

    virtual void languageChange();
};
