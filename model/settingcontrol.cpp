#include "model/settingcontrol.h"

#include "base/usermessage.h"
#include "model/concreteelement.h"
#include "model/elementtype.h"
#include "model/formelement.h"
#include "model/listelement.h"
#include "model/parameter.h"
#include "widgets/floatspinbox.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("velmoractl", text);
}

QString nameOf(const Element *element)
{
    return element->title().isEmpty() ? element->id() : element->title();
}

// Counts the boxes shown while it lives, passing each on to the answerer
// in place before it.
class MessageWatch
{
public:
    MessageWatch()
    {
        m_previous = UserMessage::setAnswerer([this](const UserMessage::Request &request) {
            ++m_count;
            return m_previous ? m_previous(request) : QMessageBox::Ok;
        });
    }
    ~MessageWatch() { UserMessage::setAnswerer(std::move(m_previous)); }
    MessageWatch(const MessageWatch &) = delete;
    MessageWatch &operator=(const MessageWatch &) = delete;

    [[nodiscard]] int count() const { return m_count; }

private:
    UserMessage::Answerer m_previous;
    int m_count = 0;
};

bool isAcceptable(const QValidator *validator, const QString &value)
{
    if (!validator)
        return true;
    QString text = value;
    int pos = 0;
    return validator->validate(text, pos) == QValidator::Acceptable;
}

} // namespace

SettingControl::SettingControl(Element *element, QWidget *panel) : m_pElement(element), m_pPanel(panel)
{
    for (Element *e = element; e; e = e->parentElement())
        m_chain.prepend(e);

    // The outermost setting has the window's row; a group's members come
    // with its frame, and an open form gives its members a panel of their own.
    Element *container = nullptr;
    for (Element *e : std::as_const(m_chain)) {
        if (!container) {
            e->createControl(panel);
            m_created.append(e);
        } else if (qobject_cast<FormElement *>(container)) {
            auto *formPanel = new QWidget(panel);
            new QVBoxLayout(formPanel);
            m_formPanels.append(formPanel);
            e->createControl(formPanel);
            m_created.append(e);
        }
        container = e;
    }
}

SettingControl::~SettingControl()
{
    for (auto it = m_created.crbegin(); it != m_created.crend(); ++it)
        (*it)->deleteControl();
    qDeleteAll(m_formPanels);
}

QWidget *SettingControl::control() const
{
    return m_pElement->control();
}

bool SettingControl::isEnabled() const
{
    return std::all_of(m_chain.cbegin(), m_chain.cend(), [](const Element *e) {
        const QWidget *control = e->control();
        return control && control->isEnabled();
    });
}

bool SettingControl::isShown() const
{
    return std::all_of(m_chain.cbegin(), m_chain.cend(), [this](const Element *e) {
        const QWidget *control = e->control();
        return control && control->isVisibleTo(m_pPanel);
    });
}

void SettingControl::refuse(const QString &text) const
{
    UserMessage::warning(nullptr, translated("Error"), text);
}

bool SettingControl::refuseOption(const ListElement *list, const QString &value) const
{
    refuse(translated("'%1' is not an option of '%2' (offered: %3)")
               .arg(value, nameOf(m_pElement), OfferedOptions(list).join(QLatin1String(", "))));
    return false;
}

bool SettingControl::enter(const QString &value)
{
    auto *setting = qobject_cast<ConcreteElement *>(m_pElement);
    QWidget *editor = control();
    if (!setting || !editor || m_pElement->type() == stText) {
        refuse(translated("'%1' is not a setting that takes a value").arg(m_pElement->id()));
        return false;
    }
    if (!isShown()) {
        refuse(translated("'%1' is hidden and takes no value").arg(nameOf(m_pElement)));
        return false;
    }
    if (!isEnabled()) {
        refuse(translated("'%1' is disabled and takes no value").arg(nameOf(m_pElement)));
        return false;
    }

    const MessageWatch watch;
    if (!enterInto(editor, value))
        return false;
    if (setting->current() == value)
        return true;
    // The setting put its value back; if it did not say why, say it for it.
    if (watch.count() == 0) {
        refuse(translated("'%1' is not a valid entry for '%2'. Please specify another value")
                   .arg(value, nameOf(m_pElement)));
    }
    return false;
}

QString SettingControl::normalized(const QString &value) const
{
    QWidget *editor = control();
    if (const auto *spin = qobject_cast<const FloatSpinBox *>(editor)) {
        if (isAcceptable(spin->validator(), value))
            return spin->textFromValue(spin->valueFromText(value));
    } else if (qobject_cast<const SpinBox *>(editor) || qobject_cast<const QSlider *>(editor)) {
        // Whole-number controls read and show the device's plain C-locale numbers.
        bool isNumber = false;
        const int number = QLocale::c().toInt(value.trimmed(), &isNumber);
        if (isNumber)
            return QString::number(number);
    }
    return value;
}

// Each branch puts the control into the state the user's action leaves it
// in, then lets the control report it as that action does.
bool SettingControl::enterInto(QWidget *control, const QString &value)
{
    auto *list = qobject_cast<ListElement *>(m_pElement);
    if (auto *combo = qobject_cast<QComboBox *>(control); combo && list) {
        const int index = list->findParameterIndex(value);
        if (index < 0) {
            return refuseOption(list, value);
        }
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    if (auto *box = qobject_cast<QCheckBox *>(control); box && list) {
        const ParameterList &options = list->parameters();
        const int position = options.size() >= 2 && options.at(1)->id() == value ? 1
                             : !options.empty() && options.at(0)->id() == value  ? 0
                                                                                 : -1;
        if (position < 0) {
            return refuseOption(list, value);
        }
        {
            const QSignalBlocker quiet(box);
            box->setChecked(position == 1);
        }
        emit box->clicked(position == 1);
        return true;
    }
    if (QButtonGroup *group = list ? list->buttonGroup() : nullptr) {
        const QList<QAbstractButton *> buttons = group->buttons();
        const auto found = std::find_if(buttons.cbegin(), buttons.cend(), [&value](const QAbstractButton *b) {
            return b->objectName() == value;
        });
        if (found == buttons.cend()) {
            return refuseOption(list, value);
        }
        (*found)->click();
        return true;
    }
    if (auto *slider = qobject_cast<QSlider *>(control)) {
        bool isNumber = false;
        const int number = value.toInt(&isNumber, 10);
        if (!isNumber || number < slider->minimum() || number > slider->maximum()) {
            refuse(translated("'%1' is not a valid entry for '%2' (%3 to %4)")
                       .arg(value, nameOf(m_pElement))
                       .arg(slider->minimum())
                       .arg(slider->maximum()));
            return false;
        }
        {
            const QSignalBlocker quiet(slider);
            slider->setValue(number);
        }
        emit slider->valueChanged(number);
        return true;
    }
    if (auto *spin = qobject_cast<SpinBox *>(control)) {
        if (!isAcceptable(spin->validator(), value)) {
            const QString range =
                m_pElement->property("digits").isValid()
                    ? translated("%1 to %2, at most %3 decimals")
                          .arg(m_pElement->property("min").toString(), m_pElement->property("max").toString(),
                               m_pElement->property("digits").toString())
                    : translated("%1 to %2")
                          .arg(m_pElement->property("min").toString(),
                               m_pElement->property("max").toString());
            refuse(
                translated("'%1' is not a valid entry for '%2' (%3)").arg(value, nameOf(m_pElement), range));
            return false;
        }
        if (auto *editor = spin->findChild<QLineEdit *>())
            editor->setText(value);
        return true;
    }
    if (auto *editor = qobject_cast<QLineEdit *>(control)) {
        if (value.size() > editor->maxLength()) {
            refuse(translated("'%1' is longer than the %2 characters '%3' takes")
                       .arg(value)
                       .arg(editor->maxLength())
                       .arg(nameOf(m_pElement)));
            return false;
        }
        if (!isAcceptable(editor->validator(), value)) {
            refuse(translated("'%1' has characters that '%2' does not take").arg(value, nameOf(m_pElement)));
            return false;
        }
        editor->setText(value);
        return true;
    }
    refuse(translated("'%1' is not a setting that takes a value").arg(m_pElement->id()));
    return false;
}

QStringList OfferedOptions(const ListElement *list)
{
    QStringList ids;
    for (const auto &parameter : list->parameters()) {
        if (parameter->visible())
            ids.append(parameter->id());
    }
    return ids;
}
