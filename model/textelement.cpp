#include "model/textelement.h"

#include "base/debuglog.h"
#include "model/textformat.h"

#include <QLabel>

namespace {
// A text row is a little lower than the rows with an editor frame.
const int RowHeight = 20;
} // namespace

TextElement::TextElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : ConcreteElement(controlName, node, parent)
{}

TextElement::~TextElement() = default;

void TextElement::setFormat(const QString &value)
{
    m_format = value;
}

QString TextElement::displayText() const
{
    return TextFormat::format(m_format, m_current);
}

QWidget *TextElement::createControl(QWidget *parent)
{
    DebugLog("TextElement::createControl:\n%s", qPrintable(dump()));
    QWidget *row = createRow(parent, RowHeight);
    auto *text = new QLabel(row);
    text->setAlignment(Qt::AlignVCenter);
    // Plain text: a device label must not be read as markup either.
    text->setTextFormat(Qt::PlainText);
    text->setText(displayText());
    return finishRow(row, text);
}
