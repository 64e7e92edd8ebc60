#pragma once

#include "widgets/forms/ui_popupform.h"

class QVBoxLayout;

// The dialog of a pop-up setting. Its panel stacks whatever controls the
// members create in it, one under the other, without the members knowing
// about the layout: every widget that becomes a child of the panel joins
// the panel's column. The buttons are wired by the setting that opens the
// form, so the form's own button slots do nothing.
class PopupForm : public Ui_PopupForm
{
    Q_OBJECT

public:
    explicit PopupForm(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                       Qt::WindowFlags fl = Qt::WindowFlags());

    QVBoxLayout *panelLayout() const { return m_panelLayout; }

public slots:
    void btnCancel_clicked() override;
    void btnOK_clicked() override;
    void setFixedPanelHeight(int h);
    void apply();
    void decline();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Owned by the panel.
    QVBoxLayout *m_panelLayout;
};
