#include "model/factoryelement.h"

#include "base/debuglog.h"
#include "widgets/ipcontrol.h"

#include <QLineEdit>

namespace {
const int RowHeight = 22;
}

FactoryElement::FactoryElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : ConcreteElement(controlName, node, parent)
{}

FactoryElement::~FactoryElement() = default;

void FactoryElement::setFactory(const QString &value)
{
    m_factory = value;
    m_hasFactory = true;
}

QWidget *FactoryElement::createControl(QWidget *parent)
{
    DebugLog("FactoryElement::createControl:\n%s", qPrintable(dump()));
    QWidget *row = createRow(parent, RowHeight);
    QLineEdit *editor = isAddressInput() ? new IPControl(row) : new QLineEdit(row);
    // Connected after the first text, so showing the value is not an edit.
    editor->setText(editorText(m_current));
    connect(editor, &QLineEdit::textChanged, this, &ConcreteElement::valueChange);
    return finishRow(row, editor);
}

bool FactoryElement::isFactory() const
{
    return true;
}

void FactoryElement::setControlValue(const QString &value)
{
    if (QLineEdit *editor = lineEditControl()) {
        disconnect(editor, &QLineEdit::textChanged, this, &ConcreteElement::valueChange);
        editor->setText(editorText(value));
        connect(editor, &QLineEdit::textChanged, this, &ConcreteElement::valueChange);
    }
    checkDependencies();
}

bool FactoryElement::hasFactory() const
{
    return m_hasFactory;
}
