// The element builders of SettingsParser: one per control kind, each making
// the element of its class and filling it from the attributes of the
// description node.
#include "model/settingsparser.h"

#include "base/debuglog.h"
#include "model/aboutelement.h"
#include "model/aboutinfo.h"
#include "model/addressbookelement.h"
#include "model/boundaryelement.h"
#include "model/buttonelement.h"
#include "model/complexelement.h"
#include "model/elementtype.h"
#include "model/emailbookelement.h"
#include "model/factoryelement.h"
#include "model/floatelement.h"
#include "model/formelement.h"
#include "model/ilocalizable.h"
#include "model/inkcartridgealignmfpelement.h"
#include "model/inkcartridgealignsfpelement.h"
#include "model/inkcartridgecleanelement.h"
#include "model/inktestpageprintelement.h"
#include "model/listelement.h"
#include "model/numericelement.h"
#include "model/papersizeparameter.h"
#include "model/parameter.h"
#include "model/phonebookelement.h"
#include "model/sliderelement.h"
#include "model/textelement.h"

#include <QRegularExpression>

namespace {

const QString Type = QStringLiteral("TYPE");
const QString Current = QStringLiteral("CURRENT");
const QString Factory = QStringLiteral("FACTORY");
const QString Max = QStringLiteral("MAX");
const QString ButtonLabel = QStringLiteral("BUTTONLABEL");

// The texts of a setting or an option: the text key is STRING when present
// (even empty), else the id; an empty key shows the id until the
// translation replaces the texts.
void setTexts(const SettingsParser &parser, ILocalizable &object, const QString &id, const QDomElement &node)
{
    const QString string = QStringLiteral("STRING");
    object.setString(parser.hasAttribute(node, string) ? parser.attribute(node, string) : id);
    const QString text = object.string().isEmpty() ? id : object.string();
    object.setTitle(text);
    object.setDescription(text);
}

// Identity and texts, common to every builder but the About one.
template <typename Kind>
std::unique_ptr<Kind> makeElement(const SettingsParser &parser, const QByteArray &controlName,
                                  const QDomElement &node, NodeDesc *category, Element *parentElement)
{
    auto element = std::make_unique<Kind>(controlName, category, parentElement);
    element->setId(node.tagName());
    setTexts(parser, *element, element->id(), node);
    return element;
}

// The value state. The initial value and the object name keep the device's
// text even when the current value had to be replaced, so a replaced value
// counts as a change and reaches the device with the next Apply.
void fillValue(const SettingsParser &parser, ConcreteElement *element, const QDomElement &node,
               const QString &current)
{
    element->setCurrent(current);
    const QString deviceValue = parser.attribute(node, Current);
    element->setInitial(deviceValue);
    element->setObjectName(QString::fromLatin1(deviceValue.toLatin1()));
    element->setTemp(element->current());
}

void fillFactoryValue(const SettingsParser &parser, FactoryElement *element, const QDomElement &node,
                      const QString &current)
{
    if (parser.hasAttribute(node, Factory))
        element->setFactory(parser.attribute(node, Factory));
    fillValue(parser, element, node, current);
}

void fillMax(const SettingsParser &parser, BoundaryElement *element, const QDomElement &node)
{
    if (parser.hasAttribute(node, Max))
        element->setMax(parser.attribute(node, Max));
}

void fillRange(const SettingsParser &parser, NumericElement *element, const QDomElement &node)
{
    element->setMin(parser.attribute(node, QStringLiteral("MIN")));
    fillMax(parser, element, node);
    element->setStep(parser.attribute(node, QStringLiteral("STEP")));
}

// DIGITS when given, else the decimals of STEP ("0.25" gives 2, "10." gives
// 0), else 1.
QString digitsOf(const SettingsParser &parser, const QDomElement &node)
{
    const QString digits = QStringLiteral("DIGITS");
    const QString step = QStringLiteral("STEP");
    if (parser.hasAttribute(node, digits))
        return parser.attribute(node, digits);
    if (!parser.hasAttribute(node, step))
        return QStringLiteral("1");
    const QString value = parser.attribute(node, step);
    const qsizetype dot = value.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return QStringLiteral("1");
    return QString::number(value.size() - dot - 1);
}

// A device value an edit box could not hold starts out empty. In the first
// set "+-." is a range, which also admits ",".
QString filteredCurrent(const SettingsParser &parser, const QDomElement &node, int type)
{
    static const QRegularExpression edit(
        QRegularExpression::anchoredPattern(QStringLiteral("[@*+-.,#/&'\\sA-Za-z0-9]*")));
    static const QRegularExpression dial(QRegularExpression::anchoredPattern(QStringLiteral("[+\\s0-9]*")));
    const QString current = parser.attribute(node, Current);
    const QRegularExpression &allowed = type == stDialEdit ? dial : edit;
    return allowed.match(current).hasMatch() ? current : QString("");
}

template <typename Kind>
std::unique_ptr<Element> makeButton(const SettingsParser &parser, const QByteArray &controlName,
                                    const QDomElement &node, NodeDesc *category, Element *parentElement)
{
    auto button = makeElement<Kind>(parser, controlName, node, category, parentElement);
    button->setLabel(parser.attribute(node, ButtonLabel));
    return button;
}

// Several keywords share a builder and keep their own type number.
QByteArray ownKeyword(const SettingsParser &parser, const QDomElement &node)
{
    return parser.attribute(node, Type).toLatin1();
}

} // namespace

// Combo box, check box, radio buttons and paper size; paper sizes carry
// paper-size options.
std::unique_ptr<Element> SettingsParser::createList(const QDomElement &node, NodeDesc *category,
                                                    Element *parentElement)
{
    auto list = makeElement<ListElement>(*this, ownKeyword(*this, node), node, category, parentElement);
    fillFactoryValue(*this, list.get(), node, attribute(node, Current));
    const bool paperSizes = list->type() == stPaperSize;
    for (QDomElement option = node.firstChildElement(); !option.isNull();
         option = option.nextSiblingElement()) {
        if (!m_limits.admit(DescriptionLimits::Options))
            break;
        if (paperSizes)
            list->addParameter(readPaperSizeParameter(option).release());
        else
            list->addParameter(readParameter(option).release());
    }
    return list;
}

std::unique_ptr<Parameter> SettingsParser::readParameter(const QDomElement &node) const
{
    auto option = std::make_unique<Parameter>();
    option->setId(node.tagName());
    setTexts(*this, *option, option->id(), node);
    return option;
}

std::unique_ptr<PaperSizeParameter> SettingsParser::readPaperSizeParameter(const QDomElement &node) const
{
    auto option = std::make_unique<PaperSizeParameter>();
    option->setId(node.tagName());
    setTexts(*this, *option, option->id(), node);
    option->setMaxTopMargin(attribute(node, QStringLiteral("MAXTOPMARGIN")));
    option->setMaxLeftMargin(attribute(node, QStringLiteral("MAXLEFTMARGIN")));
    option->setLinesPortrait(attribute(node, QStringLiteral("LINESPORTRAIT")));
    option->setLinesLandscape(attribute(node, QStringLiteral("LINESLANDSCAPE")));
    return option;
}

std::unique_ptr<Element> SettingsParser::createInteger(const QDomElement &node, NodeDesc *category,
                                                       Element *parentElement)
{
    auto number = makeElement<NumericElement>(*this, "INTEGER", node, category, parentElement);
    fillFactoryValue(*this, number.get(), node, attribute(node, Current));
    fillRange(*this, number.get(), node);
    return number;
}

std::unique_ptr<Element> SettingsParser::createFloat(const QDomElement &node, NodeDesc *category,
                                                     Element *parentElement)
{
    auto number = makeElement<FloatElement>(*this, "FLOAT", node, category, parentElement);
    fillFactoryValue(*this, number.get(), node, attribute(node, Current));
    fillRange(*this, number.get(), node);
    number->setDigits(digitsOf(*this, node));
    return number;
}

std::unique_ptr<Element> SettingsParser::createSlider(const QDomElement &node, NodeDesc *category,
                                                      Element *parentElement)
{
    auto slider = makeElement<SliderElement>(*this, "SLIDER", node, category, parentElement);
    fillFactoryValue(*this, slider.get(), node, attribute(node, Current));
    fillMax(*this, slider.get(), node);
    slider->setMin(attribute(node, QStringLiteral("MIN")));
    slider->setStep(attribute(node, QStringLiteral("STEP")));
    slider->setColorMarker(attribute(node, QStringLiteral("COLORMARKER")));
    return slider;
}

// IPADDRESS and SUBNETMASK: the type picks the address or the mask input.
std::unique_ptr<Element> SettingsParser::createAddress(const QDomElement &node, NodeDesc *category,
                                                       Element *parentElement)
{
    auto address = makeElement<FactoryElement>(*this, ownKeyword(*this, node), node, category, parentElement);
    fillFactoryValue(*this, address.get(), node, attribute(node, Current));
    return address;
}

// EDITBOX and DIALEDITBOX, each with its own character filter.
std::unique_ptr<Element> SettingsParser::createEditBox(const QDomElement &node, NodeDesc *category,
                                                       Element *parentElement)
{
    auto edit = makeElement<BoundaryElement>(*this, ownKeyword(*this, node), node, category, parentElement);
    fillFactoryValue(*this, edit.get(), node, filteredCurrent(*this, node, edit->type()));
    fillMax(*this, edit.get(), node);
    return edit;
}

std::unique_ptr<Element> SettingsParser::createStaticText(const QDomElement &node, NodeDesc *category,
                                                          Element *parentElement)
{
    auto text = makeElement<TextElement>(*this, "STATICTEXT", node, category, parentElement);
    fillValue(*this, text.get(), node, attribute(node, Current));
    text->setFormat(attribute(node, QStringLiteral("TEXTLABEL")));
    return text;
}

std::unique_ptr<Element> SettingsParser::createButton(const QDomElement &node, NodeDesc *category,
                                                      Element *parentElement)
{
    return makeButton<ButtonElement>(*this, "BUTTON", node, category, parentElement);
}

std::unique_ptr<Element> SettingsParser::createPhoneBook(const QDomElement &node, NodeDesc *category,
                                                         Element *parentElement)
{
    return makeButton<PhoneBookElement>(*this, "PHONEBOOK", node, category, parentElement);
}

std::unique_ptr<Element> SettingsParser::createEmailBook(const QDomElement &node, NodeDesc *category,
                                                         Element *parentElement)
{
    return makeButton<EmailBookElement>(*this, "EMAILBOOK", node, category, parentElement);
}

std::unique_ptr<Element> SettingsParser::createAddressBook(const QDomElement &node, NodeDesc *category,
                                                           Element *parentElement)
{
    return makeButton<AddressBookElement>(*this, "USERBASEDADDRESSBOOK", node, category, parentElement);
}

std::unique_ptr<Element> SettingsParser::createTestPage(const QDomElement &node, NodeDesc *category,
                                                        Element *parentElement)
{
    return makeButton<InkTestPagePrintElement>(*this, ownKeyword(*this, node), node, category, parentElement);
}

std::unique_ptr<Element> SettingsParser::createCartridgeClean(const QDomElement &node, NodeDesc *category,
                                                              Element *parentElement)
{
    return makeButton<InkCartridgeCleanElement>(*this, ownKeyword(*this, node), node, category,
                                                parentElement);
}

std::unique_ptr<Element> SettingsParser::createAlignSFP(const QDomElement &node, NodeDesc *category,
                                                        Element *parentElement)
{
    auto align = makeElement<InkCartridgeAlignSFPElement>(*this, ownKeyword(*this, node), node, category,
                                                          parentElement);
    align->setLabel(attribute(node, ButtonLabel));
    align->setHasPhotoInk(attribute(node, QStringLiteral("PhotoInkCartridgeInstall")) ==
                          QLatin1String("TRUE"));
    return align;
}

std::unique_ptr<Element> SettingsParser::createAlignMFP(const QDomElement &node, NodeDesc *category,
                                                        Element *parentElement)
{
    return makeButton<InkCartridgeAlignMFPElement>(*this, ownKeyword(*this, node), node, category,
                                                   parentElement);
}

std::unique_ptr<Element> SettingsParser::createGroup(const QDomElement &node, NodeDesc *category,
                                                     Element *parentElement)
{
    auto group = makeElement<ComplexElement>(*this, "GROUP", node, category, parentElement);
    readMembers(group.get(), node, category);
    return group;
}

std::unique_ptr<Element> SettingsParser::createPopup(const QDomElement &node, NodeDesc *category,
                                                     Element *parentElement)
{
    auto form = makeElement<FormElement>(*this, "POPUP", node, category, parentElement);
    form->setHasDefault(attribute(node, QStringLiteral("DEFAULT")) == QLatin1String("TRUE"));
    readMembers(form.get(), node, category);
    return form;
}

void SettingsParser::readMembers(ComplexElement *group, const QDomElement &node, NodeDesc *category)
{
    if (m_depth >= MaxNestingDepth) {
        DebugLog("SettingsParser::readMembers(): <%s> lies %d levels deep; what it holds is left out",
                 qPrintable(node.tagName()), m_depth);
        return;
    }
    const DepthGuard guard(m_depth);

    // Unlike categories, members get no WirelessSetting exception.
    for (QDomElement child = node.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString type = attribute(child, Type);
        if (type.isEmpty()) {
            qWarning("Wrong VLM formal!");
            continue;
        }
        if (!m_limits.admit(DescriptionLimits::Settings))
            break;
        std::unique_ptr<Element> member = createElement(child, ElementTypeFromKeyword(type), category, group);
        if (member)
            group->addElement(member.release());
    }
}

std::unique_ptr<Element> SettingsParser::createAbout(NodeDesc *category, Element *parentElement)
{
    auto about = std::make_unique<AboutElement>("ABOUT", category, parentElement);
    about->setId(QStringLiteral("AboutElement"));
    about->setString(QStringLiteral("About"));
    about->setTitle(QStringLiteral("About"));
    about->setDescription(QStringLiteral("About"));
    if (m_pAbout)
        about->setAboutInfo(*m_pAbout);
    return about;
}
