#include "model/boundaryelement.h"

#include "base/debuglog.h"
#include "model/elementtype.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace {

const int RowHeight = 22;
// QLineEdit's own upper limit for maxLength.
const int LongestText = 32767;

QRegularExpression characterFilter(int type)
{
    // Dial strings are what a fax modem dials; other edit boxes take the
    // characters of names, e-mail and postal addresses.
    if (type == stDialEdit)
        return QRegularExpression(QStringLiteral("^[+\\s0-9]*$"));
    return QRegularExpression(QStringLiteral("^[@*+-.,#/&'\\sA-Za-z0-9]*$"));
}

} // namespace

BoundaryElement::BoundaryElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : FactoryElement(controlName, node, parent)
{}

BoundaryElement::~BoundaryElement() = default;

void BoundaryElement::setMax(const QString &value)
{
    const bool differs = value != m_max || value.isNull() != m_max.isNull();
    m_max = value;
    m_hasMax = !value.isNull();
    if (differs)
        emit maxChanged(m_max);
}

bool BoundaryElement::hasMax() const
{
    return m_hasMax;
}

int BoundaryElement::lengthLimit(const QString &value)
{
    bool ok = false;
    const qlonglong length = value.trimmed().toLongLong(&ok, 10);
    if (ok)
        return int(std::clamp<qlonglong>(length, 0, LongestText));
    static const QRegularExpression manyDigits(QStringLiteral("^\\s*\\+?[0-9]+\\s*$"));
    return manyDigits.match(value).hasMatch() ? LongestText : 0;
}

QWidget *BoundaryElement::createControl(QWidget *parent)
{
    DebugLog("BoundaryElement::createControl:\n%s", qPrintable(dump()));
    QWidget *row = createRow(parent, RowHeight);
    auto *editor = new QLineEdit(row);
    editor->setValidator(new QRegularExpressionValidator(characterFilter(m_type), editor));
    if (m_hasMax)
        editor->setMaxLength(lengthLimit(m_max));
    editor->setText(m_current);
    connect(editor, &QLineEdit::textChanged, this, &ConcreteElement::valueChange);
    // Unique: the connection outlives the control, so a bound lowered while
    // the setting is not shown still cuts the value.
    connect(this, &BoundaryElement::maxChanged, this, &BoundaryElement::maxChange, Qt::UniqueConnection);
    return finishRow(row, editor);
}

void BoundaryElement::maxChange(const QString &value)
{
    // A bound taken away limits nothing; it is no length of 0.
    if (value.isNull())
        return;
    const int length = lengthLimit(value);
    if (length >= m_current.size())
        return;
    setCurrent(m_current.left(length));
    if (QLineEdit *editor = lineEditControl()) {
        setControlValue(m_current);
        editor->setMaxLength(length);
    }
}
