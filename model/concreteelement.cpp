#include "model/concreteelement.h"

#include "base/debuglog.h"
#include "base/usermessage.h"
#include "model/addresspatterns.h"
#include "model/attribute.h"
#include "model/constraint.h"
#include "model/dependency.h"
#include "model/elementobserver.h"
#include "model/elementtype.h"
#include "widgets/ipcontrol.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <algorithm>

namespace {

const int RowHeight = 22;

QString translated(const char *text)
{
    return QCoreApplication::translate("ConcreteElement", text);
}

} // namespace

ConcreteElement::ConcreteElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : Element(controlName, node, parent)
{}

ConcreteElement::~ConcreteElement() = default;

void ConcreteElement::setCurrent(const QString &value)
{
    m_current = value;
    emit valueChanged(m_current);
    if (IElementObserver *watching = observer())
        watching->valueChanged(this, m_current);
}

void ConcreteElement::announceReset()
{
    emit valueReset();
    if (IElementObserver *watching = observer())
        watching->valueReset(this);
}

void ConcreteElement::setInitial(const QString &value)
{
    m_initial = value;
}

QWidget *ConcreteElement::createControl(QWidget *parent)
{
    DebugLog("ConcreteElement::createControl:\n%s", qPrintable(dump()));
    QWidget *row = createRow(parent, RowHeight);
    auto *editor = new QLineEdit(row);
    connect(editor, &QLineEdit::textChanged, this, &ConcreteElement::valueChange);
    editor->setText(m_current);
    editor->setAlignment(Qt::AlignVCenter);
    return finishRow(row, editor);
}

void ConcreteElement::deleteControl()
{
    deleteRowControl();
}

void ConcreteElement::showControl()
{
    setRowControlVisible(true);
}

void ConcreteElement::hideControl()
{
    setRowControlVisible(false);
}

bool ConcreteElement::isAddressInput() const
{
    return m_type == stIPAddress || m_type == stSubnetMask;
}

const QRegularExpression &ConcreteElement::typingPattern() const
{
    return m_type == stSubnetMask ? AddressPatterns::maskTyping() : AddressPatterns::address();
}

const QRegularExpression &ConcreteElement::completePattern() const
{
    return m_type == stSubnetMask ? AddressPatterns::mask() : AddressPatterns::address();
}

QLineEdit *ConcreteElement::lineEditControl() const
{
    return qobject_cast<QLineEdit *>(m_pControl.data());
}

QString ConcreteElement::editorText(const QString &value) const
{
    if (isAddressInput() && !AddressPatterns::hasInputForm(value))
        return QStringLiteral("...");
    return value;
}

void ConcreteElement::showValueWarning(const QString &text)
{
    UserMessage::warning(nullptr, translated("Error"), text);
}

void ConcreteElement::valueChange(const QString &value)
{
    if (!isAddressInput()) {
        DebugLog("Value changed (\"%s\") from: \n%s", qPrintable(value), qPrintable(dump()));
        const bool changed = value != m_current;
        setCurrent(value);
        if (changed)
            checkDependencies();
        return;
    }

    // The input guards its four-section form itself and may already have
    // put its previous text back; that stale report is nothing to refuse.
    if (QLineEdit *editor = lineEditControl(); editor && editor->text() != value)
        return;

    const bool validAddress = IPControl::isValidAddress(value);
    if (AddressPatterns::exactMatch(typingPattern(), value) && validAddress) {
        if (auto *input = qobject_cast<IPControl *>(m_pControl.data()))
            input->setFocusedSection(0);
        // Address inputs report every keystroke, and a half-typed address is
        // no value for the rules of other settings: dependents are not re-checked.
        setCurrent(value);
        return;
    }
    refuseAddress(value, validAddress);
}

void ConcreteElement::refuseAddress(const QString &value, bool validAddress)
{
    QLineEdit *editor = lineEditControl();
    const QString text = editor ? editor->text() : value;
    QString wrong = text;
    int section = 0;
    const int matched = AddressPatterns::matchedLength(typingPattern(), value);
    if (validAddress && matched >= 0) {
        section = int(text.left(matched).count(QLatin1Char('.')));
        wrong = text.split(QLatin1Char('.')).value(section);
    }
    showValueWarning(
        translated("'%1' is not a valid entry for '%2'. Please specify another value").arg(wrong, m_title));

    if (editor) {
        // Putting the old text back must not come round again as a new value.
        disconnect(editor, &QLineEdit::textChanged, this, &ConcreteElement::valueChange);
        editor->setText(editorText(m_current));
        connect(editor, &QLineEdit::textChanged, this, &ConcreteElement::valueChange);
    }
    if (auto *input = qobject_cast<IPControl *>(editor))
        input->setFocusedSection(section);
}

bool ConcreteElement::isValid()
{
    DebugLog("ConcreteElement::isValid() for '%s'", qPrintable(m_id));
    if (isAddressInput()) {
        const bool valid = AddressPatterns::exactMatch(completePattern(), m_current) &&
                           IPControl::isValidAddress(m_current) && IPControl::isCompleteAddress(m_current);
        if (!valid) {
            showValueWarning(
                translated("'%1' is not a valid entry. Please specify another value").arg(m_current));
            return false;
        }
    }
    return checkConstraints(nullptr, true);
}

bool ConcreteElement::checkConstraints(IElement *source, bool selfCheck)
{
    Element::checkConstraints(source, selfCheck);
    if (!m_pDependency)
        return true;

    QList<Constraint *> constraints;
    for (const auto &constraint : m_pDependency->constraints)
        constraints.append(constraint.get());
    for (Constraint *constraint : std::as_const(constraints)) {
        if (selfCheck && !constraint->selfChecked)
            continue;
        if (source && !constraint->refersTo(source))
            continue;
        if (constraint->kind != Constraint::GatewayValidity || constraint->evaluate(m_current))
            continue;
        showValueWarning(translated("'%1' is not a valid entry for '%2'. Please specify another value")
                             .arg(m_current, m_title));
        if (QWidget *control = m_pControl.data())
            control->setFocus();
        return false;
    }
    return true;
}

void ConcreteElement::applyConstraintValues(Constraint *constraint)
{
    if (!constraint || !constraint->evaluate(QString("")))
        return;
    if (constraint->values.isEmpty()) {
        DebugLog("ConcreteElement::applyConstraintValues() values list is empty.");
        return;
    }
    setCurrent(constraint->values.first());
}

void ConcreteElement::applyConstraintAttributes(Constraint *constraint)
{
    if (!constraint || !constraint->evaluate(QString("")))
        return;
    DebugLog("ConcreteElement::applyConstraintAttributes(): constraint is valid.");
    if (constraint->attributes.empty()) {
        DebugLog("ConcreteElement::applyConstraintAttributes(): attributes list is empty.");
        return;
    }
    // A failed attribute is logged by itself and must not stop the others.
    for (const auto &attribute : constraint->attributes)
        (void)attribute->apply(this);
}

bool ConcreteElement::isConcrete() const
{
    return true;
}
