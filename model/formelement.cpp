#include "model/formelement.h"

#include "base/debuglog.h"
#include "base/windowhelpers.h"
#include "model/concreteelement.h"
#include "model/enumerate.h"
#include "widgets/popupform.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QWhatsThis>

namespace {

constexpr int ButtonRowHeight = 24;

// Trace readers know these checks under the form helpers' source name.
void reportFailedCheck(const char *check, int line)
{
    qWarning("ASSERT: \"%s\" in %s (%d)", check, "common.cpp", line);
}

} // namespace

FormElement::FormElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : ComplexElement(controlName, node, parent)
{}

FormElement::~FormElement() = default;

QWidget *FormElement::createControl(QWidget *parent)
{
    DebugLog("FormElement::createControl:\n%s", qPrintable(dump()));
    auto *box = new QWidget(parent);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    if (parent)
        box->resize(parent->width(), qMin(parent->height(), ButtonRowHeight));

    // An empty label keeps the button in the value column of the rows above.
    auto *label = new QLabel(box);
    label->setObjectName(QStringLiteral("hbox"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(label, 1);

    auto *button = new QPushButton(title(), box);
    connect(button, &QPushButton::clicked, this, &FormElement::showForm);
    layout->addWidget(button, 1);

    setControl(button);
    (void)checkConstraints(nullptr, true);
    return box;
}

QWidget *FormElement::row() const
{
    QWidget *button = control();
    return button ? button->parentWidget() : nullptr;
}

void FormElement::deleteControl()
{
    DebugLog("Element::deleteControl:\n%s", qPrintable(dump()));
    if (QWidget *box = row())
        delete box;
    else
        delete control();
    setControl(nullptr);
}

void FormElement::showControl()
{
    if (QWidget *box = row())
        box->show();
    announceVisible(true);
}

void FormElement::hideControl()
{
    if (QWidget *box = row())
        box->hide();
    announceVisible(false);
}

void FormElement::connectMemberValues(Element *member)
{
    if (auto *setting = qobject_cast<ConcreteElement *>(member)) {
        // The form is opened again and again; one connection serves them all.
        connect(setting, &ConcreteElement::valueChanged, this, &FormElement::enableApplyButton,
                Qt::UniqueConnection);
    } else if (member->isComplex()) {
        // A group inside the form: its settings change the form's values too.
        for (Element *inner : static_cast<ComplexElement *>(member)->elements())
            connectMemberValues(inner);
    }
}

void FormElement::showForm()
{
    DebugLog("FormElement::showForm()");
    // The form is modal; a second request while it is open has nothing to add.
    if (m_pForm)
        return;

    m_pForm = std::make_unique<PopupForm>(nullptr, nullptr, true);
    m_pForm->setWindowTitle(title());
    if (!m_hasDefault)
        m_pForm->btnDefault->hide();
    connect(m_pForm->btnCancel, &QPushButton::clicked, this, &FormElement::cancelBtnClicked);
    connect(m_pForm->btnOK, &QPushButton::clicked, this, &FormElement::okBtnClicked);
    connect(m_pForm->btnDefault, &QPushButton::clicked, this, &FormElement::defaultBtnClicked);
    SetSmallFontRecursive(m_pForm.get());

    for (Element *member : std::as_const(m_elements)) {
        if (!member->inherits("ConcreteElement"))
            reportFailedCheck("elements().at(i)->inherits(\"ConcreteElement\")", __LINE__);
        member->createControl(m_pForm->panel);
        connectMemberValues(member);
    }
    if (QLayout *layout = m_pForm->layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    else
        reportFailedCheck("m_pForm->layout()", __LINE__);

    m_pForm->btnOK->setEnabled(false);

    if (m_pForm->exec() == QDialog::Accepted) {
        DebugLog("dialog result is QDialog::Accepted");
    } else {
        DebugLog("dialog result is QDialog::Rejected");
        (void)enumerate(this, RestoreCallback, nullptr);
    }

    for (Element *member : std::as_const(m_elements))
        member->deleteControl();
    m_pForm.reset();
}

void FormElement::enableApplyButton()
{
    if (m_pForm)
        m_pForm->btnOK->setEnabled(true);
}

void FormElement::okBtnClicked()
{
    if (!m_pForm)
        return;
    // An invalid member has told the user why; the form stays as it is.
    if (!enumerate(this, ValidateCallback, nullptr))
        return;
    m_applyFailed = false;
    emit applyClicked();
    // Committing values the device never took would show them as applied.
    // When the receiver reports a failure the members keep their values
    // uncommitted and OK stays enabled, so the user can try again or cancel
    // (which puts back what was last applied).
    if (m_applyFailed)
        return;
    DebugLog("FormElement::okBtnClicked(): startEnumerating!");
    (void)enumerate(this, AcceptCallback, nullptr);
    if (m_pForm)
        m_pForm->btnOK->setEnabled(false);
}

void FormElement::cancelBtnClicked()
{
    if (m_pForm)
        m_pForm->reject();
}

void FormElement::defaultBtnClicked()
{
    DebugLog("FormElement::defaultBtnClicked");
    DebugLog("elements().count()=%d", int(m_elements.size()));
    (void)enumerate(this, ResetToFactoryCallback, nullptr);
}

void FormElement::helpBtnClicked()
{
    QString text;
    (void)enumerateMembers(this, CollectHelpCallback, &text);
    QWhatsThis::showText(QCursor::pos(), text);
}
