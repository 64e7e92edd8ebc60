#include "window/controlpanel.h"

#include "model/addresspatterns.h"
#include "model/common.h"
#include "model/complexelement.h"
#include "model/concreteelement.h"
#include "model/element.h"
#include "model/enumerate.h"
#include "model/listelement.h"
#include "model/parameter.h"
#include "model/textelement.h"
#include "widgets/ipcontrol.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QWhatsThis>
#include <QWidget>

namespace {
// Text that already reads as the value is left alone: setting it again
// would move the cursor of a person typing in it.
void writeText(QLineEdit *editor, const QString &text)
{
    if (editor->text() == text)
        return;
    const QSignalBlocker quiet(editor);
    editor->setText(text);
}

void writeOption(ListElement *list, QWidget *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(list->findParameterIndex(list->current()));
    } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
        // Off and on are the first and second option, whether offered or
        // not, as the setting reads the box.
        const ParameterList &options = list->parameters();
        const QSignalBlocker quiet(box);
        box->setChecked(options.size() >= 2 && options.at(1)->id() == list->current());
    } else if (QButtonGroup *group = list->buttonGroup()) {
        if (QAbstractButton *button = group->button(RadioButtonId(list->current()))) {
            const QSignalBlocker quietGroup(group);
            const QSignalBlocker quietButton(button);
            button->setChecked(true);
        }
    }
}

void writeSlider(QSlider *slider, const QString &value)
{
    {
        const QSignalBlocker quiet(slider);
        slider->setValue(value.toInt());
    }
    // The number beside the slider follows the slider's signal, held back
    // above; it sits in the setting's row, beside the slider's own box.
    QWidget *box = slider->parentWidget();
    QWidget *row = box ? box->parentWidget() : nullptr;
    if (auto *number = row ? row->findChild<QLabel *>(QStringLiteral("valueLabel")) : nullptr)
        number->setNum(slider->value());
}

void writeSpinBox(QAbstractSpinBox *spin, const QString &value)
{
    auto *editor = spin->findChild<QLineEdit *>();
    if (!editor || editor->text() == value)
        return;
    // The value goes in as text, so it reads as the setting holds it ("4.5",
    // where the spin box would write "4.50"); the spin box reads its number
    // from the text. Only the spin box is quiet: its editor keeps it up to
    // date about the text it shows.
    const QSignalBlocker quiet(spin);
    editor->setText(value);
}

void writeValue(ConcreteElement *setting, QWidget *control)
{
    const QString value = setting->current();
    if (auto *list = qobject_cast<ListElement *>(setting))
        writeOption(list, control);
    else if (auto *slider = qobject_cast<QSlider *>(control))
        writeSlider(slider, value);
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
        writeSpinBox(spin, value);
    else if (auto *address = qobject_cast<IPControl *>(control)) // shows four sections or none
        writeText(address, AddressPatterns::hasInputForm(value) ? value : QStringLiteral("..."));
    else if (auto *editor = qobject_cast<QLineEdit *>(control))
        writeText(editor, value);
    else if (auto *text = qobject_cast<TextElement *>(setting); text && qobject_cast<QLabel *>(control))
        static_cast<QLabel *>(control)->setText(text->displayText());
}
} // namespace

// The help text of one setting. The pop-up is rich text; the titles and
// descriptions come from the device and are escaped so that they show as
// written instead of as markup (the dialog used to insert them as they are).
QString HelpText(Element *element)
{
    QString text;
    if (auto *group = qobject_cast<ComplexElement *>(element); group && group->isComplex())
        (void)enumerateMembers(group, CollectHelpCallback, &text);
    else
        text = QStringLiteral("*%1<br>%2")
                   .arg(element->title().toHtmlEscaped(), element->desc().toHtmlEscaped());
    return text;
}

ControlPanel::ControlPanel(QWidget *panel, QWidget *helpButton, QWidget *before, QWidget *after)
    : m_pPanel(panel), m_pHelpButton(helpButton), m_pBefore(before), m_pAfter(after)
{}

ControlPanel::~ControlPanel()
{
    if (m_pCurrentElement)
        m_pCurrentElement->deleteControl();
}

void ControlPanel::show(Element *element)
{
    if (m_pCurrentElement)
        m_pCurrentElement->deleteControl();
    m_pCurrentElement = element;
    if (!element) {
        m_pHelpButton->hide();
        return;
    }
    if (QWidget *control = element->createControl(m_pPanel)) {
        control->show();
        m_pHelpButton->show();
        chainFocus();
    }
}

void ControlPanel::showHelp(QWidget *window) const
{
    if (m_pCurrentElement)
        QWhatsThis::showText(QCursor::pos(), HelpText(m_pCurrentElement), window);
}

void ControlPanel::showValue(Element *element) const
{
    auto *setting = qobject_cast<ConcreteElement *>(element);
    QWidget *control = setting ? setting->control() : nullptr;
    // Controls elsewhere, as in an open pop-up form (a window of its own),
    // are their own forms' business.
    if (control && m_pPanel->isAncestorOf(control))
        writeValue(setting, control);
}

void ControlPanel::chainFocus()
{
    // Controls made now would come last in the focus chain, after the
    // buttons; keyboard users expect them between the tree and the buttons.
    QWidget *previous = m_pBefore;
    const QList<QWidget *> controls = m_pPanel->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control->focusPolicy() & Qt::TabFocus) {
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
    QWidget::setTabOrder(previous, m_pAfter);
}
