#include "widgets/spinbox.h"

#include "widgets/intvalidator.h"

#include <QLineEdit>
#include <QLocale>

SpinBox::SpinBox(int minValue, int maxValue, int step, QWidget *parent, const char *name) : QSpinBox(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    // The values are the device's numbers: shown, typed and read back with a
    // dot and without group separators, whatever the user's locale.
    setLocale(QLocale::c());
    // Our editor connection must come before the spin box's own, so typed
    // text is reported before the value it produces (see reportSetText).
    auto *editor = new QLineEdit(this);
    connect(editor, &QLineEdit::textChanged, this, &SpinBox::textChanged);
    setLineEdit(editor);
    // When the value is set, QAbstractSpinBox rewrites the editor with its
    // signals blocked; the value signal that follows is the only trace of it.
    connect(this, &QSpinBox::valueChanged, this, &SpinBox::reportSetText);
    setRange(minValue, maxValue);
    setSingleStep(step);
    setValidator(new IntValidator(minValue, maxValue, this));
}

SpinBox::~SpinBox() = default;

// QAbstractSpinBox keeps a validator of its own on the editor and offers no
// way to replace it; it asks validate() and fixup() instead, so those hand
// over to our validator and its range repair takes effect.
QValidator::State SpinBox::validate(QString &text, int &pos) const
{
    return m_validator ? m_validator->validate(text, pos) : QSpinBox::validate(text, pos);
}

void SpinBox::fixup(QString &input) const
{
    if (m_validator)
        m_validator->fixup(input);
    else
        QSpinBox::fixup(input);
}

void SpinBox::refresh()
{
    lineEdit()->setText(textFromValue(value()));
}

void SpinBox::textChanged(const QString &text)
{
    m_reportedText = text;
    emit spinChanged(text);
}

void SpinBox::reportSetText()
{
    // Typed text was reported already when the editor changed.
    const QString text = lineEdit()->text();
    if (text != m_reportedText)
        textChanged(text);
}

void SpinBox::setValidator(QValidator *validator)
{
    if (validator == m_validator)
        return;
    delete m_validator;
    m_validator = validator;
    if (m_validator)
        m_validator->setParent(this);
}
