#include "model/element.h"

#include "base/debuglog.h"
#include "model/constraint.h"
#include "model/dependency.h"
#include "model/elementobserver.h"
#include "model/elementtype.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

namespace {

// The re-checks of dependents running at the moment, outermost first, and
// whether a cut in this propagation has been logged already (one line is
// enough however often the cycle comes round again while it unwinds).
struct Propagation
{
    std::vector<const Element *> active;
    bool reported = false;
};

Propagation &propagation()
{
    static Propagation current;
    return current;
}

// The ids of the settings from the first run for element to the innermost,
// each once, in the order the change passed them.
QString cycleIds(const Element *element)
{
    const std::vector<const Element *> &active = propagation().active;
    auto first = std::find(active.begin(), active.end(), element);
    QStringList ids;
    for (; first != active.end(); ++first) {
        if (!ids.contains((*first)->id()))
            ids << (*first)->id();
    }
    return ids.join(QStringLiteral(", "));
}

int typeFromControlName(const QByteArray &controlName)
{
    // A missing control name and an empty one are different types.
    if (controlName.isNull())
        return stUnknown;
    return ElementTypeFromKeyword(QString::fromLatin1(controlName));
}

} // namespace

Element::Element(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : m_id(""), m_string(""), m_title(""), m_desc(""), m_type(typeFromControlName(controlName)),
      m_pNode(node), m_pParent(parent)
{}

Element::~Element()
{
    m_dependents.clear();
}

// Holds one run of checkDependencies on the propagation stack, or refuses it
// when the bounds are reached (logging that once per propagation).
class Element::CheckPropagation
{
public:
    explicit CheckPropagation(Element *element) : m_element(element)
    {
        Propagation &state = propagation();
        if (element->m_checkRounds >= MaxCheckRounds) {
            if (!state.reported)
                DebugLog("Element::checkDependencies(): the rules of %s lead back to each other; "
                         "stopped after %d rounds",
                         qPrintable(cycleIds(element)), MaxCheckRounds);
            state.reported = true;
            return;
        }
        if (state.active.size() >= size_t(MaxCheckNesting)) {
            if (!state.reported)
                DebugLog("Element::checkDependencies(): the rules from %s to %s nest deeper than %d "
                         "levels; stopped there",
                         qPrintable(state.active.front()->id()), qPrintable(element->id()), MaxCheckNesting);
            state.reported = true;
            return;
        }
        ++element->m_checkRounds;
        state.active.push_back(element);
        m_entered = true;
    }
    ~CheckPropagation()
    {
        if (!m_entered)
            return;
        Propagation &state = propagation();
        --m_element->m_checkRounds;
        state.active.pop_back();
        if (state.active.empty())
            state.reported = false;
    }
    CheckPropagation(const CheckPropagation &) = delete;
    CheckPropagation &operator=(const CheckPropagation &) = delete;

    bool entered() const { return m_entered; }

private:
    Element *m_element;
    bool m_entered = false;
};

Element *Element::fromInterface(IElement *element)
{
    return dynamic_cast<Element *>(element);
}

QString Element::id() const
{
    return m_id;
}

void Element::setId(const QString &id)
{
    m_id = id;
}

QString Element::string() const
{
    return m_string;
}

QString Element::title() const
{
    return m_title;
}

QString Element::desc() const
{
    return m_desc;
}

void Element::setString(const QString &key)
{
    m_string = key;
}

void Element::setTitle(const QString &title)
{
    m_title = title;
}

void Element::setDescription(const QString &desc)
{
    m_desc = desc;
}

int Element::type() const
{
    return m_type;
}

const char *Element::typeName() const
{
    return ElementTypeName(m_type);
}

NodeDesc *Element::node() const
{
    return m_pNode;
}

void Element::addDependentElement(IElement *element)
{
    Element *dependent = fromInterface(element);
    if (!dependent)
        return;
    // Ids are the identity of a setting: a second object with a known id is
    // the same setting seen again.
    if (m_dependentIds.contains(dependent->id()))
        return;
    m_dependentIds.insert(dependent->id());
    DebugLog("Element::addDependentElement(): add new dependent element \"%s\" for \"%s\"",
             qPrintable(dependent->id()), qPrintable(m_id));
    m_dependents.append(dependent);
}

QList<Element *> Element::dependentElements() const
{
    return m_dependents;
}

void Element::setDependency(Dependency *dependency)
{
    m_pDependency = dependency;
}

Dependency *Element::dependency() const
{
    return m_pDependency;
}

QWidget *Element::createControl(QWidget *parent)
{
    DebugLog("Element::createControl:\n%s", qPrintable(dump()));
    auto *label = new QLabel(parent);
    if (parent)
        label->resize(parent->width(), parent->height());
    label->setText(tr("Unknown control type"));
    setControl(label);
    return label;
}

void Element::deleteControl()
{
    DebugLog("Element::deleteControl:\n%s", qPrintable(dump()));
    delete m_pControl.data();
    m_pControl = nullptr;
}

void Element::showControl()
{
    if (m_pControl)
        m_pControl->show();
    announceVisible(true);
}

void Element::hideControl()
{
    if (m_pControl)
        m_pControl->hide();
    announceVisible(false);
}

QWidget *Element::control() const
{
    return m_pControl.data();
}

bool Element::checkConstraints(IElement *source, bool selfCheck)
{
    {
        TraceLine line;
        line << QLatin1String("Element::checkConstraints for:\n");
        appendDump(line.text());
    }
    if (!m_pDependency)
        return true;

    // Applying a constraint may run other checks; walk a snapshot.
    QList<Constraint *> constraints;
    for (const auto &constraint : m_pDependency->constraints)
        constraints.append(constraint.get());
    (void)prepareConstraints();

    for (Constraint *constraint : std::as_const(constraints)) {
        if (selfCheck && !constraint->selfChecked)
            continue;
        if (source && !constraint->refersTo(source))
            continue;
        DebugLog("checkConstraints - condition type: %d for control:\n%s", constraint->kind,
                 qPrintable(dump()));
        switch (constraint->kind) {
        case Constraint::Disable:
            if (m_pControl)
                m_pControl->setEnabled(!constraint->evaluate(QString("")));
            break;
        case Constraint::Enable:
            if (m_pControl)
                m_pControl->setEnabled(constraint->evaluate(QString("")));
            break;
        case Constraint::Restrict:
            applyConstraint(constraint);
            break;
        case Constraint::Hide:
            // Shown or hidden even without a control, so the tree row follows.
            if (constraint->evaluate(QString("")))
                hideControl();
            else
                showControl();
            break;
        default:
            // The gateway rule is a validity check of value elements.
            break;
        }
    }
    return true;
}

void Element::checkDependencies()
{
    DebugLog("checkDependencies(%d) for %s", int(m_dependents.size()), qPrintable(m_id));
    // Deviation from a plain walk over the dependents: the rules come from
    // the device, and rules that name each other (A narrows B, B narrows A)
    // would re-check each other without end. A setting whose re-check is
    // already running MaxCheckRounds times over, because its rules came back
    // round to it, is not re-checked once more; and no chain of re-checks
    // nests deeper than MaxCheckNesting, so even an acyclic chain of hostile
    // length cannot exhaust the stack. Rules that never lead back to a
    // setting never re-enter it and stay far below the nesting bound: what
    // they do is unchanged.
    CheckPropagation propagation(this);
    if (!propagation.entered())
        return;
    for (Element *dependent : std::as_const(m_dependents))
        dependent->checkConstraints(this, false);
}

bool Element::prepareConstraints()
{
    return true;
}

void Element::applyConstraint(Constraint *constraint)
{
    applyConstraintValues(constraint);
    applyConstraintAttributes(constraint);
}

void Element::applyConstraintValues(Constraint *constraint)
{
    Q_UNUSED(constraint);
}

void Element::applyConstraintAttributes(Constraint *constraint)
{
    Q_UNUSED(constraint);
}

bool Element::isConcrete() const
{
    return false;
}

bool Element::isComplex() const
{
    return false;
}

bool Element::isFactory() const
{
    return false;
}

bool Element::isList() const
{
    return false;
}

bool Element::isValid()
{
    return true;
}

namespace {
// Appends a pointer as the trace has always shown it: "0x" and lower-case
// hex digits, "0x0" for none.
void appendPointer(QString &text, const void *pointer)
{
    char digits[2 + 2 * sizeof(quintptr)] = {'0', 'x'};
    const auto end = std::to_chars(digits + 2, std::end(digits), reinterpret_cast<quintptr>(pointer), 16).ptr;
    text.append(QLatin1String(digits, end - digits));
}
} // namespace

QString Element::dump() const
{
    QString text;
    appendDump(text);
    return text;
}

void Element::appendDump(QString &text) const
{
    // Appended in place: a format string would be parsed again for each of
    // the thousands of settings that a fill and its self-checks dump.
    const QLatin1String type(typeName());
    text.reserve(text.size() + 96 + m_id.size() + m_string.size() + m_title.size() + m_desc.size() +
                 type.size());
    text.append(QLatin1String("\tid\t = ")).append(m_id);
    text.append(QLatin1String("\n\tstring\t = ")).append(m_string);
    text.append(QLatin1String("\n\ttitle\t = ")).append(m_title);
    text.append(QLatin1String("\n\tdesc\t = ")).append(m_desc);
    text.append(QLatin1String("\n\taddr\t = "));
    appendPointer(text, this);
    text.append(QLatin1String("\n\ttype\t = ")).append(type);
    text.append(QLatin1String("\n\tcontrol\t = "));
    appendPointer(text, m_pControl.data());
    text.append(QLatin1Char('\n'));
}

QString Element::temp() const
{
    return m_temp;
}

void Element::setTemp(const QString &value)
{
    DebugLog("setTemp for %s to %s", qPrintable(m_id), qPrintable(value));
    m_temp = value;
}

void Element::setControl(QWidget *control)
{
    m_pControl = control;
    if (!control || !control->accessibleName().isEmpty())
        return;
    // Screen readers name a control after its setting, except a button or
    // box that shows its own text: that is what the person reads on it
    // ("Reset now"), so Qt's name from the text stays, and the setting's
    // title, where it says something else, describes the control.
    const auto *button = qobject_cast<QAbstractButton *>(control);
    if (!button || button->text().isEmpty()) {
        control->setAccessibleName(m_title);
    } else if (button->text() != m_title && control->accessibleDescription().isEmpty()) {
        control->setAccessibleDescription(m_title);
    }
}

namespace {
// The "label" beside a control that sits in its own "hbox" row, or null.
QLabel *rowLabel(QWidget *control)
{
    QWidget *row = control ? control->parentWidget() : nullptr;
    if (!row || row->objectName() != QLatin1String("hbox"))
        return nullptr;
    return row->findChild<QLabel *>(QStringLiteral("label"), Qt::FindDirectChildrenOnly);
}
} // namespace

QWidget *Element::createRow(QWidget *panel, int maxHeight)
{
    auto *row = new QWidget(panel);
    row->setObjectName(QStringLiteral("hbox"));
    auto *layout = new QHBoxLayout(row);
    layout->setSpacing(5);
    layout->setContentsMargins(0, 0, 0, 0);
    if (panel)
        row->resize(panel->width(), std::min(panel->height(), maxHeight));

    auto *label = new QLabel(m_title + QStringLiteral(" : "), row);
    label->setObjectName(QStringLiteral("label"));
    // Titles come from the device: shown as written, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(label, 1);
    return row;
}

QWidget *Element::finishRow(QWidget *row, QWidget *control)
{
    if (auto *layout = qobject_cast<QHBoxLayout *>(row->layout()))
        layout->addWidget(control, 1);
    control->resize(row->size());
    setControl(control);
    (void)checkConstraints(nullptr, true);
    return row;
}

void Element::deleteRowControl()
{
    DebugLog("Element::deleteControl:\n%s", qPrintable(dump()));
    if (QWidget *control = m_pControl.data()) {
        if (QLabel *label = rowLabel(control)) {
            QWidget *row = control->parentWidget();
            delete label;
            delete control;
            delete row;
        } else {
            delete control;
        }
    }
    m_pControl = nullptr;
}

void Element::setObserver(IElementObserver *observer, QObject *owner)
{
    m_pObserver = observer;
    m_observerOwner = observer ? owner : nullptr;
}

void Element::announceVisible(bool visible)
{
    emit visibleChanged(visible);
    if (IElementObserver *watching = observer())
        watching->visibleChanged(this, visible);
}

void Element::setRowControlVisible(bool visible)
{
    if (QWidget *control = m_pControl.data()) {
        if (QLabel *label = rowLabel(control))
            label->setVisible(visible);
        control->setVisible(visible);
    }
    announceVisible(visible);
}
