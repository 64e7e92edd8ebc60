#pragma once

#include "model/complexelement.h"

#include <memory>

class PopupForm;

// A pop-up setting: a push button in the panel that opens a modal form with
// the member settings and Apply, Close and (where the description offers
// it) Printer Default buttons. Apply sends the form's changes at once and
// keeps the form open; closing it without applying puts back every member
// value changed since the last Apply.
class FormElement : public ComplexElement
{
    Q_OBJECT

public:
    FormElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~FormElement() override;

    void setHasDefault(bool hasDefault) { m_hasDefault = hasDefault; }
    bool hasDefault() const { return m_hasDefault; }

    // The open form, or null while it is closed.
    PopupForm *form() const { return m_pForm.get(); }

    // Told by the receiver of applyClicked() that the device did not take
    // the form's values: the members then stay as they are, uncommitted.
    void applyFailed() { m_applyFailed = true; }

    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;
    void showControl() override;
    void hideControl() override;

public slots:
    // Runs the form modally; returns when it is closed.
    void showForm();
    void okBtnClicked();
    void cancelBtnClicked();
    void helpBtnClicked();
    void defaultBtnClicked();
    void enableApplyButton();

signals:
    // The members' values are valid and are about to be committed: send
    // them, and call applyFailed() when the device does not take them.
    void applyClicked();

private:
    void connectMemberValues(Element *member);
    // The row built by createControl: the box holding the button.
    QWidget *row() const;

    std::unique_ptr<PopupForm> m_pForm;
    bool m_hasDefault = false;
    // Set by applyFailed() while applyClicked() is being handled.
    bool m_applyFailed = false;
};
