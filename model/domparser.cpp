#include "model/domparser.h"

#include "base/debuglog.h"
#include "base/savetext.h"
#include "model/xmlnesting.h"

#include <QDomNamedNodeMap>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

namespace {

enum class Escape { Attribute, Text };

// Markup characters always go as references. In attribute values the double
// quote must too, and a parser folds raw white space there into blanks, so
// line feeds and tabs go as references to come back unchanged (which also
// keeps every line of the text free of stray line feeds). In text content
// only the carriage return needs it, and '>' is escaped for readers that
// choke on "]]>".
QString escaped(const QString &value, Escape where)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == '&')
            out += QLatin1String("&amp;");
        else if (u == '<')
            out += QLatin1String("&lt;");
        else if (u == '\r')
            out += QLatin1String("&#xd;");
        else if (where == Escape::Text && u == '>')
            out += QLatin1String("&gt;");
        else if (where == Escape::Attribute && u == '"')
            out += QLatin1String("&quot;");
        else if (where == Escape::Attribute && u == '\n')
            out += QLatin1String("&#xa;");
        else if (where == Escape::Attribute && u == '\t')
            out += QLatin1String("&#x9;");
        else
            out += c;
    }
    return out;
}

// The DOM keeps attributes in a hash, so their order would change from run to
// run; sorting keeps the written text stable.
QString attributeText(const QDomElement &element)
{
    const QDomNamedNodeMap map = element.attributes();
    QList<QDomAttr> attributes;
    for (int i = 0; i < map.count(); ++i)
        attributes.append(map.item(i).toAttr());
    std::sort(attributes.begin(), attributes.end(),
              [](const QDomAttr &a, const QDomAttr &b) { return a.name() < b.name(); });
    QString out;
    for (const QDomAttr &attr : attributes)
        out += QLatin1Char(' ') + attr.name() + QLatin1String("=\"") +
               escaped(attr.value(), Escape::Attribute) + QLatin1Char('"');
    return out;
}

// Text form of a node that is not an element; a null string for kinds that
// are never written (document types, entities).
QString inlineText(const QDomNode &node)
{
    if (node.isCDATASection())
        return QLatin1String("<![CDATA[") + node.nodeValue() + QLatin1String("]]>");
    if (node.isText())
        return escaped(node.nodeValue(), Escape::Text);
    if (node.isComment())
        return QLatin1String("<!--") + node.nodeValue() + QLatin1String("-->");
    if (node.isProcessingInstruction()) {
        const QDomProcessingInstruction pi = node.toProcessingInstruction();
        return QLatin1String("<?") + pi.target() + QLatin1Char(' ') + pi.data() + QLatin1String("?>");
    }
    return QString();
}

void writeNode(const QDomNode &node, int depth, int indent, QStringList &lines)
{
    const QString pad(depth * indent, QLatin1Char(' '));
    if (!node.isElement()) {
        const QString text = inlineText(node);
        if (!text.isEmpty())
            lines.append(pad + text);
        return;
    }

    const QDomElement element = node.toElement();
    const QString attributes = attributeText(element);
    const QString open = QLatin1Char('<') + element.tagName() + attributes;
    const QDomNode first = element.firstChild();
    if (first.isNull()) {
        lines.append(pad + open + (attributes.isEmpty() ? QLatin1String("/>") : QLatin1String(" />")));
        return;
    }
    const QString close = QLatin1String("</") + element.tagName() + QLatin1Char('>');
    if (first.nextSibling().isNull() && first.isText()) {
        lines.append(pad + open + QLatin1Char('>') + inlineText(first) + close);
        return;
    }
    lines.append(pad + open + QLatin1Char('>'));
    for (QDomNode child = first; !child.isNull(); child = child.nextSibling())
        writeNode(child, depth + 1, indent, lines);
    lines.append(pad + close);
}

bool isTooLong(qint64 size)
{
    if (size <= DomParser::MaxTextLength)
        return false;
    DebugLog("DomParser: the document is longer than %lld characters and is not read",
             static_cast<long long>(DomParser::MaxTextLength));
    return true;
}

// Qt's DOM takes time that grows with the square of the nesting depth, so
// absurdly deep texts (no device nests its settings anywhere near this) are
// refused unread. The DOM keeps whatever it built before a syntax error and
// nobody may read half a document, so the loaders empty it on failure.
template <typename Content> bool parseInto(QDomDocument &document, const Content &content)
{
    if (isTooLong(content.size()))
        return false;
    const bool tooDeep = XmlNestsDeeperThan(content, DomParser::MaxDocumentDepth);
    if (tooDeep)
        DebugLog("DomParser: the document nests deeper than %d levels and is not read",
                 DomParser::MaxDocumentDepth);
    return !tooDeep && static_cast<bool>(document.setContent(content));
}

} // namespace

DomParser::DomParser() : m_document(QStringLiteral("doc"))
{}

DomParser::DomParser(const QString &text) : m_document(QStringLiteral("doc"))
{
    // Qualified on purpose: a subclass's override must not run before the
    // subclass exists.
    m_valid = DomParser::setContent(text);
}

DomParser::DomParser(QFile *file) : m_document(QStringLiteral("doc"))
{
    m_valid = DomParser::loadFile(file);
}

DomParser::~DomParser() = default;

bool DomParser::loadFile(QFile *file)
{
    if (!file)
        return false;
    if (!file->open(QIODevice::ReadOnly)) {
        DebugLog("Cannot open file: '%s'", qPrintable(file->fileName()));
        return false;
    }
    // A file too long to accept is refused before it is read.
    m_valid = !isTooLong(file->size()) && parseInto(m_document, file->readAll());
    file->close();
    if (!m_valid)
        clearDocument();
    return m_valid;
}

bool DomParser::setContent(const QString &text)
{
    m_valid = parseInto(m_document, text);
    if (!m_valid)
        clearDocument();
    return m_valid;
}

bool DomParser::isValid() const
{
    return m_valid;
}

bool DomParser::save(const QString &fileName)
{
    const QDomDocument copy = m_document;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        DebugLog("DomParser::save(): cannot write %s: %s", qPrintable(fileName),
                 qPrintable(file.errorString()));
        return false;
    }
    QTextStream stream(&file);
    copy.save(stream, 4);
    stream.flush();
    if (stream.status() != QTextStream::Ok || !CommitOwnerOnly(file)) {
        DebugLog("DomParser::save(): writing %s failed: %s", qPrintable(fileName),
                 qPrintable(file.errorString()));
        return false;
    }
    return true;
}

QDomDocument DomParser::document() const
{
    return m_document;
}

QString DomParser::nodeText(const QDomNode &node) const
{
    if (node.isElement())
        return node.toElement().text();
    return node.nodeValue();
}

QString DomParser::childText(const QDomNode &node, const QString &name) const
{
    const QDomNode child = childNode(node, name);
    return child.isNull() ? QString() : nodeText(child);
}

QString DomParser::attribute(const QDomNode &node, const QString &name) const
{
    if (!hasAttribute(node, name))
        return QString();
    // The DOM may hand back a null string for a value written as "", but
    // callers tell "present and empty" from "absent" by null-ness.
    const QString value = node.toElement().attribute(name);
    return value.isNull() ? QLatin1String("") : value;
}

bool DomParser::hasAttribute(const QDomNode &node, const QString &name) const
{
    return node.isElement() && node.toElement().hasAttribute(name);
}

QDomNode DomParser::findPath(const QStringList &path) const
{
    QDomNode current = m_document;
    for (const QString &name : path) {
        if (current.isNull())
            break;
        current = childNode(current, name);
    }
    return current;
}

QDomNode DomParser::childNode(const QDomNode &node, const QString &name) const
{
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isElement() && child.toElement().tagName() == name)
            return child;
    }
    return QDomNode();
}

QDomNode DomParser::findByAttribute(const QDomNode &node, const QString &attributeName,
                                    const QString &value) const
{
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isElement())
            continue;
        if (hasAttribute(child, attributeName) && attribute(child, attributeName) == value)
            return child;
        const QDomNode found = findByAttribute(child, attributeName, value);
        if (!found.isNull())
            return found;
    }
    return QDomNode();
}

QDomNode DomParser::createPath(const QStringList &path)
{
    const QDomNode existing = findPath(path);
    if (!existing.isNull())
        return existing;

    DebugLog("need to create path!");
    return ensureElements(path);
}

QDomNode DomParser::ensureElements(const QStringList &path)
{
    QDomNode current = m_document;
    for (const QString &name : path) {
        QDomNode next = childNode(current, name);
        if (next.isNull())
            next = current.appendChild(m_document.createElement(name));
        current = next;
    }
    return current;
}

void DomParser::clearDocument()
{
    while (!m_document.firstChild().isNull())
        m_document.removeChild(m_document.firstChild());
}

void DomParser::dumpTree(const QDomElement &element, const QString &prefix) const
{
    DebugLog("%s%s", qPrintable(prefix), qPrintable(element.tagName()));
    const QString deeper = prefix + prefix.left(1);
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        dumpTree(child, deeper);
}

void DomParser::dumpDocument() const
{
    qDebug("%s", qPrintable(m_document.toString()));
}

void DomParser::dumpElements(const QString &tagName) const
{
    DebugLog("-------------------- %s: --------------------", qPrintable(tagName));
    const QDomNodeList elements = m_document.elementsByTagName(tagName);
    for (int i = 0; i < elements.count(); ++i) {
        const QDomNode node = elements.item(i);
        QString text =
            QLatin1String("name: ") + node.nodeName() + QLatin1String("    value: ") + node.nodeValue();
        const QDomNamedNodeMap attributes = node.attributes();
        for (int a = 0; a < attributes.count(); ++a) {
            const QDomNode attr = attributes.item(a);
            text += QLatin1String("\n    AttrName: ") + attr.nodeName() + QLatin1String("    Value: ") +
                    attr.nodeValue();
        }
        DebugLog("%s", qPrintable(text));
    }
}

void DomParser::dumpNode(const QDomNode &node) const
{
    DebugLog("<%s>", qPrintable(node.nodeName()));
    if (node.isNull())
        return;

    const QDomNamedNodeMap attributes = node.attributes();
    for (int a = 0; a < attributes.count(); ++a) {
        const QDomNode attr = attributes.item(a);
        DebugLog("    attribute: %s    value: %s    type: %d", qPrintable(attr.nodeName()),
                 qPrintable(attr.nodeValue()), static_cast<int>(attr.nodeType()));
    }
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        // Concatenated, not arg()-formatted: names and values may hold '%'.
        QString text = QLatin1String("  name: ") + child.nodeName() + QLatin1String("    value: ") +
                       child.nodeValue() + QLatin1String("    type: ") +
                       QString::number(static_cast<int>(child.nodeType()));
        const QDomNamedNodeMap childAttributes = child.attributes();
        for (int a = 0; a < childAttributes.count(); ++a) {
            const QDomNode attr = childAttributes.item(a);
            text += QLatin1String("\n    attribute: ") + attr.nodeName() + QLatin1String("    value: ") +
                    attr.nodeValue() + QLatin1String("    type: ") +
                    QString::number(static_cast<int>(attr.nodeType()));
        }
        DebugLog("%s", qPrintable(text));
    }
}

QStringList DomParser::splitPath(const QString &path)
{
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString DomParser::elementText(const QDomElement &element, int indent)
{
    if (element.isNull())
        return QString();
    QStringList lines;
    writeNode(element, 0, indent, lines);
    return lines.join(QLatin1Char('\n'));
}
