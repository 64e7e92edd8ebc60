#include "ctl/ctlsession.h"

#include "controller/ctlsource.h"
#include "model/complexelement.h"
#include "model/elementtype.h"
#include "model/listelement.h"
#include "model/nodedesc.h"
#include "model/parameter.h"
#include "model/selfchecks.h"
#include "model/settingcontrol.h"
#include "model/settingsparser.h"

namespace {

constexpr int PanelWidth = 480;
constexpr int PanelHeight = 320;

void collect(const Element *element, QList<Element *> &out);

void collectMembers(const Element *element, QList<Element *> &out)
{
    if (const auto *group = qobject_cast<const ComplexElement *>(element)) {
        for (Element *member : group->elements())
            collect(member, out);
    }
}

void collect(const Element *element, QList<Element *> &out)
{
    out.append(const_cast<Element *>(element));
    collectMembers(element, out);
}

void collect(const NodeDesc *node, QList<Element *> &out)
{
    for (const auto &child : node->children())
        collect(child.get(), out);
    for (const auto &element : node->elements())
        collect(element.get(), out);
}

// A value and the one last read from or committed to the device are compared
// as the change document compares them.
bool differsFromDevice(const Element *element)
{
    return element->property("current").toString().toLatin1() != element->objectName().toLatin1();
}

} // namespace

bool IsValueSetting(const Element *element)
{
    return element && element->isConcrete() && element->type() != stText;
}

bool IsIdentitySetting(const Element *element)
{
    switch (element->type()) {
    case stIPAddress:
    case stSubnetMask:
    case stEdit:
    case stDialEdit:
        return true;
    default:
        return false;
    }
}

CtlSession::CtlSession(CtlSource &source) : m_source(source)
{
    m_panel.resize(PanelWidth, PanelHeight);
}

CtlSession::~CtlSession() = default;

bool CtlSession::open()
{
    m_pParser = m_source.load();
    if (!m_pParser || !m_pParser->root())
        return false;
    RunSelfChecks(m_pParser->root());
    return true;
}

QList<Element *> CtlSession::settings() const
{
    QList<Element *> out;
    if (m_pParser && m_pParser->root())
        collect(m_pParser->root(), out);
    return out;
}

Element *CtlSession::find(const QString &id) const
{
    return m_pParser ? m_pParser->findElement(id) : nullptr;
}

SettingState CtlSession::describe(Element *element)
{
    const SettingControl control(element, &m_panel);
    SettingState state;
    state.id = element->id();
    state.kind = QString::fromLatin1(element->typeName());
    state.enabled = control.isEnabled();
    state.shown = control.isShown();
    state.hasValue = element->isConcrete();
    if (state.hasValue)
        state.value = element->property("current").toString();
    if (const auto *list = qobject_cast<const ListElement *>(element))
        state.options = OfferedOptions(list);
    const int type = element->type();
    if (type == stInteger || type == stFloat || type == stSlider) {
        state.isNumber = true;
        state.min = element->property("min").toString();
        state.max = element->property("max").toString();
        state.step = element->property("step").toString();
        if (type == stFloat)
            state.digits = element->property("digits").toString();
    }
    return state;
}

bool CtlSession::enter(Element *element, const QString &value)
{
    SettingControl control(element, &m_panel);
    return control.enter(value);
}

bool CtlSession::holds(Element *element, const QString &value)
{
    const SettingControl control(element, &m_panel);
    return control.normalized(element->property("current").toString()) == control.normalized(value);
}

QList<Element *> CtlSession::changedSettings() const
{
    QList<Element *> changed;
    for (Element *element : settings()) {
        if (element->isConcrete() && differsFromDevice(element))
            changed.append(element);
    }
    return changed;
}

bool CtlSession::validateChanges()
{
    // Every invalid setting says why, so a script learns of all at once.
    bool valid = true;
    for (Element *element : changedSettings()) {
        if (!element->isValid())
            valid = false;
    }
    return valid;
}
