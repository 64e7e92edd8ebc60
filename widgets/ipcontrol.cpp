#include "widgets/ipcontrol.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {
constexpr int SectionCount = 4;
constexpr int DigitsPerSection = 3;

const QRegularExpression &addressPattern()
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("\\d{0,3}\\.\\d{0,3}\\.\\d{0,3}\\.\\d{0,3}")));
    return pattern;
}

int charsWidth(const QFontMetrics &metrics, QStringView text)
{
    // Summed per character, the same way positionAt walks the characters.
    int width = 0;
    for (const QChar c : text)
        width += metrics.horizontalAdvance(c);
    return width;
}
} // namespace

IPControl::IPControl(QWidget *parent, const char *name) : QLineEdit(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setMaxLength(15);
    // Set before the guard is connected: there is no valid text to fall back on yet.
    setText(QStringLiteral("..."));
    setValidator(new QRegularExpressionValidator(addressPattern(), this));
    connect(this, &QLineEdit::textChanged, this, &IPControl::text_Changed);

    const QFontMetrics metrics = fontMetrics();
    for (const QChar digit : QStringLiteral("0123456789"))
        m_cellWidth = qMax(m_cellWidth, metrics.horizontalAdvance(digit));
    m_dotWidth = metrics.horizontalAdvance(QLatin1Char('.'));
}

bool IPControl::isValidAddress(const QString &text)
{
    int zeros = 0;
    int full = 0;
    for (const QString &section : text.split(QLatin1Char('.'))) {
        if (section.isEmpty())
            return true;
        bool ok = false;
        const int value = section.toInt(&ok, 10);
        if (!ok)
            return false;
        if (value == 0)
            ++zeros;
        else if (value == 255)
            ++full;
    }
    // The unspecified and the broadcast address are no device address.
    return zeros != SectionCount && full != SectionCount;
}

bool IPControl::isCompleteAddress(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    return std::none_of(parts.cbegin(), parts.cend(), [](const QString &part) { return part.isEmpty(); });
}

void IPControl::setFocusedSection(int section)
{
    if (section >= 0 && section < SectionCount)
        m_focusedSection = section;
}

void IPControl::text_Changed(const QString &text)
{
    if (addressPattern().match(text).hasMatch()) {
        m_lastValidCursor = cursorPosition();
        m_lastValidText = text;
        return;
    }
    // A paste or a program can bypass the validator's partial matches; put
    // back the last complete form. setText re-enters here with the old text.
    const QString restoredText = m_lastValidText;
    const int restoredCursor = m_lastValidCursor;
    setText(restoredText);
    setCursorPosition(restoredCursor);
    m_lastValidCursor = restoredCursor;
}

// ---- section arithmetic --------------------------------------------------

QStringList IPControl::sections() const
{
    return text().split(QLatin1Char('.'));
}

int IPControl::sectionIndex(int pos) const
{
    return static_cast<int>(text().left(pos).count(QLatin1Char('.')));
}

int IPControl::positionInSection(int pos) const
{
    const int lastDot = static_cast<int>(text().left(pos).lastIndexOf(QLatin1Char('.')));
    return pos - (lastDot + 1);
}

int IPControl::startOfSection(int section) const
{
    const QStringList parts = sections();
    int start = 0;
    for (int i = 0; i < section && i < parts.size(); ++i)
        start += static_cast<int>(parts.at(i).length()) + 1;
    return start;
}

int IPControl::sectionStart(int pos) const
{
    return startOfSection(sectionIndex(pos));
}

int IPControl::sectionLength(int pos) const
{
    const QStringList parts = sections();
    const int index = sectionIndex(pos);
    return index < parts.size() ? static_cast<int>(parts.at(index).length()) : 0;
}

bool IPControl::selectSection(int section)
{
    const QStringList parts = sections();
    if (section < 0 || section >= SectionCount || section >= parts.size())
        return false;
    setSelection(startOfSection(section), static_cast<int>(parts.at(section).length()));
    return true;
}

bool IPControl::nextSection(bool select)
{
    const int next = sectionIndex(cursorPosition()) + 1;
    if (next >= SectionCount)
        return false;
    if (select) {
        selectSection(next);
    } else {
        const int start = startOfSection(next);
        setCursorPosition(start + sectionLength(start));
    }
    return true;
}

void IPControl::previousSection(bool select)
{
    const int previous = sectionIndex(cursorPosition()) - 1;
    if (previous < 0) {
        setCursorPosition(0);
        return;
    }
    if (select) {
        selectSection(previous);
    } else {
        const int start = startOfSection(previous);
        setCursorPosition(start + sectionLength(start));
    }
}

int IPControl::clipToSection(int pos, int reference) const
{
    const int section = sectionIndex(reference);
    const int target = sectionIndex(pos);
    if (target > section)
        return sectionStart(reference) + sectionLength(reference);
    if (target < section)
        return sectionStart(reference);
    return pos;
}

// ---- geometry ------------------------------------------------------------

int IPControl::sectionTextLeft(int section, const QString &sectionText) const
{
    const int cellSpan = DigitsPerSection * m_cellWidth;
    return cellSpan * section + (cellSpan - charsWidth(fontMetrics(), sectionText)) / 2;
}

int IPControl::xOfPosition(int pos) const
{
    const QStringList parts = sections();
    const int section = sectionIndex(pos);
    if (section >= parts.size())
        return 0;
    const QString &part = parts.at(section);
    return sectionTextLeft(section, part) +
           charsWidth(fontMetrics(), QStringView(part).left(positionInSection(pos)));
}

int IPControl::positionAt(int x) const
{
    const int cellSpan = DigitsPerSection * m_cellWidth;
    const QStringList parts = sections();
    const int section = cellSpan > 0 ? qMax(0, x) / cellSpan : SectionCount;
    if (section >= SectionCount || section >= parts.size())
        return static_cast<int>(text().length());

    const QString &part = parts.at(section);
    const int start = startOfSection(section);
    const QFontMetrics metrics = fontMetrics();
    int edge = sectionTextLeft(section, part);
    if (x < edge)
        return start;
    for (int i = 0; i < part.length(); ++i) {
        edge += metrics.horizontalAdvance(part.at(i));
        if (x < edge)
            return start + i;
    }
    return start + static_cast<int>(part.length());
}

// ---- events --------------------------------------------------------------

void IPControl::keyPressEvent(QKeyEvent *event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const QString current = text();
    const int cursor = cursorPosition();
    const auto isDotAt = [&current](int pos) {
        return pos >= 0 && pos < current.length() && current.at(pos) == QLatin1Char('.');
    };

    switch (event->key()) {
    case Qt::Key_Backspace:
        if (isDotAt(cursor - 1)) {
            // Dots are never deleted: step over it and take the digit before.
            const int stepped = cursor - 1;
            setCursorPosition(stepped);
            if (stepped == 0 || isDotAt(stepped - 1))
                return;
        }
        break;
    case Qt::Key_Delete:
        if (!hasSelectedText() && isDotAt(cursor))
            return;
        break;
    case Qt::Key_Space:
    case Qt::Key_Period:
        if (!hasSelectedText()) {
            if (positionInSection(cursor) != 0)
                nextSection(true);
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (control) {
            previousSection(true);
            return;
        }
        if (shift && positionInSection(cursor) == 0)
            return;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (control) {
            nextSection(true);
            return;
        }
        if (shift && positionInSection(cursor) == sectionLength(cursor))
            return;
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (shift)
            return;
        break;
    default:
        break;
    }

    QLineEdit::keyPressEvent(event);

    if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9) {
        // A full section hands over to the next one, as on a phone keypad.
        const int pos = cursorPosition();
        if (pos < text().length() && text().at(pos) == QLatin1Char('.') &&
            positionInSection(pos) == DigitsPerSection)
            nextSection(true);
    }
}

void IPControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    m_selecting = true;
    int pos = positionAt(qRound(event->position().x()));
    m_selectionAnchor = pos;
    if (event->modifiers() & Qt::ShiftModifier) {
        const int cursor = cursorPosition();
        deselect();
        pos = clipToSection(pos, cursor);
        setSelection(cursor, pos - cursor);
    } else {
        setCursorPosition(pos);
    }
}

void IPControl::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !(event->modifiers() & Qt::ShiftModifier) || !m_selecting) {
        QLineEdit::mouseMoveEvent(event);
        return;
    }
    int pos = positionAt(qRound(event->position().x()));
    if (pos == cursorPosition())
        return;
    pos = clipToSection(pos, m_selectionAnchor);
    setSelection(m_selectionAnchor, pos - m_selectionAnchor);
}

void IPControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_selecting = false;
    QLineEdit::mouseReleaseEvent(event);
}

void IPControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    const int cursor = cursorPosition();
    if (sectionLength(cursor) > 0)
        selectSection(sectionIndex(cursor));
}

void IPControl::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    selectSection(m_focusedSection);
}

void IPControl::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    // Widen the cells to fill the field; they never shrink back.
    int needed = 3 * m_dotWidth + 4 * DigitsPerSection * m_cellWidth + 12;
    while (needed < width()) {
        ++m_cellWidth;
        needed += 4 * DigitsPerSection;
    }
}

void IPControl::paintEvent(QPaintEvent *event)
{
    // The base only asks for its own idea of the cursor area when the cursor
    // blinks; our cursor sits elsewhere, so repaint all of it and let only a
    // whole paint count as a blink step.
    const QRect visible = visibleRegion().boundingRect();
    const bool wholePaint = visible.isEmpty() || event->rect().contains(visible);
    if (!wholePaint)
        update();

    QPainter widgetPainter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &widgetPainter, this);

    const QFontMetrics metrics = fontMetrics();
    const int bandHeight = qMin(height(), metrics.lineSpacing() + 4);
    if (width() <= 0 || bandHeight <= 0)
        return;

    // Drawn off-screen and copied in one step so the cells never flicker.
    const qreal ratio = devicePixelRatioF();
    QPixmap band(QSize(width(), bandHeight) * ratio);
    band.setDevicePixelRatio(ratio);
    const QPalette &pal = palette();
    const bool enabled = isEnabled();
    band.fill(pal.color(enabled ? QPalette::Base : QPalette::Window));

    QPainter p(&band);
    p.setFont(font());
    p.setPen(pal.color(QPalette::Text));
    for (int dot = 1; dot < SectionCount; ++dot)
        p.drawPoint(DigitsPerSection * m_cellWidth * dot, bandHeight - 5);

    const QStringList parts = sections();
    for (int n = 0; n < SectionCount && n < parts.size(); ++n) {
        const int left = sectionTextLeft(n, parts.at(n));
        p.drawText(QRect(left, 0, width() - left, bandHeight), Qt::AlignLeft | Qt::AlignVCenter, parts.at(n));
    }

    const int cursor = cursorPosition();
    if (hasFocus() && hasSelectedText()) {
        const int selStart = selectionStart();
        const int selEnd = selStart + selectionLength();
        const int x0 = xOfPosition(selStart);
        const int x1 = xOfPosition(selEnd);
        p.fillRect(QRect(x0, 4, x1 - x0, bandHeight - 7),
                   pal.color(enabled ? QPalette::Highlight : QPalette::Window));

        const int start = sectionStart(cursor);
        const int from = qMax(selStart, start);
        const int to = qMin(selEnd, start + sectionLength(cursor));
        if (to > from) {
            const int x = xOfPosition(from);
            p.setPen(pal.color(QPalette::HighlightedText));
            p.drawText(QRect(x, 0, width() - x, bandHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       text().mid(from, to - from));
        }
    }

    if (m_cursorPhase && hasFocus()) {
        const int x = xOfPosition(cursor);
        p.setPen(pal.color(QPalette::Text));
        p.drawLine(x, 4, x, bandHeight - 4);
    }
    p.end();

    const QRect inner = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    widgetPainter.setClipRect(inner.isValid() ? inner : rect());
    widgetPainter.drawPixmap(0, (height() - bandHeight) / 2, band);

    if (wholePaint)
        m_cursorPhase = !m_cursorPhase;
}
