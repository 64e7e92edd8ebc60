#include "app/translator.h"

#include "app/debuglog.h"
#include "description/xmlnesting.h"
#include "elements/ilocalizable.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace {

const QString DescriptionSuffix = QStringLiteral(" description");

void exitOnFormatError()
{
    std::fputs("Wrong XML format\n", stderr);
    std::exit(1);
}

Translator::FormatErrorHandler formatErrorHandler = exitOnFormatError;

// Why a file that exists could not be loaded, for the trace.
QString loadFailure(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.readAll();
    if (XmlNestsDeeperThan(bytes, DomParser::MaxDocumentDepth))
        return QStringLiteral("nested deeper than %1 levels").arg(DomParser::MaxDocumentDepth);
    QString message;
    int line = 0;
    int column = 0;
    QDomDocument probe;
    if (probe.setContent(bytes, &message, &line, &column))
        return QStringLiteral("unknown error");
    return QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(message);
}

} // namespace

Translator::Translator(QFile *file)
{
    setValid(loadFile(file));
}

Translator::~Translator() = default;

bool Translator::loadFile(QFile *file)
{
    if (!file)
        return false;
    const bool loaded = DomParser::loadFile(file);
    m_indexed = QDomNode();
    // Writing the empty document back would wipe a file we only failed to
    // read; a file that does not exist yet is created by the write-back.
    m_writeBack = loaded || !file->exists();
    if (!m_writeBack)
        DebugLog("Translator: translation file '%s' cannot be read (%s); it will not be written back",
                 qPrintable(file->fileName()), qPrintable(loadFailure(file->fileName())));
    return loaded;
}

void Translator::save(const QString &fileName)
{
    (void)writeTo(fileName);
}

bool Translator::writeTo(const QString &fileName)
{
    if (!m_writeBack) {
        DebugLog("Translator::save: '%s' is kept as it was", qPrintable(fileName));
        return false;
    }
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(document().toByteArray(4));
        if (file.commit())
            return true;
    }
    DebugLog("Translator::save: cannot write '%s' (%s); the new entries are lost", qPrintable(fileName),
             qPrintable(file.errorString()));
    return false;
}

Translator::FormatErrorHandler Translator::setFormatErrorHandler(FormatErrorHandler handler)
{
    const FormatErrorHandler previous = formatErrorHandler;
    formatErrorHandler = handler ? handler : exitOnFormatError;
    return previous;
}

bool Translator::localize(ILocalizable *object, const QDomNode &translation, const QString &defaultTitle,
                          const QString &defaultDesc)
{
    if (!object)
        return true;
    const QString key = object->string();
    const QString descKey = key + DescriptionSuffix;
    if (m_indexed.isNull() || m_indexed != translation)
        buildIndex(translation);

    const Lookup found = lookup(key, descKey);
    if (found.formatError) {
        formatErrorHandler();
        return false;
    }
    if (found.titleFound)
        object->setTitle(found.title);
    if (found.descFound)
        object->setDescription(found.desc);
    if (!found.descFound)
        addMessage(translation, descKey, defaultDesc.isNull() ? key : defaultDesc);
    if (!found.titleFound && !key.isNull())
        addMessage(translation, key, defaultTitle.isNull() ? key : defaultTitle);
    return true;
}

void Translator::addMessage(const QDomNode &translation, const QString &key, const QString &text)
{
    QDomDocument owner = translation.ownerDocument();
    if (translation.isNull() || owner.isNull())
        return;
    QDomElement message = owner.createElement(QStringLiteral("message"));
    QDomElement id = owner.createElement(QStringLiteral("Id"));
    QDomElement value = owner.createElement(QStringLiteral("Value"));
    id.appendChild(owner.createTextNode(key));
    value.appendChild(owner.createTextNode(text));
    message.appendChild(id);
    message.appendChild(value);
    QDomNode parent = translation;
    parent.appendChild(message);

    if (!m_indexed.isNull() && m_indexed == translation) {
        m_index[key].append({m_nextPosition++, text, true});
        forget(key);
    }
}

void Translator::buildIndex(const QDomNode &translation)
{
    m_indexed = translation;
    m_index.clear();
    m_lookups.clear();
    m_nextPosition = 0;
    for (QDomNode child = translation.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const int position = m_nextPosition++;
        if (!child.isElement() || child.toElement().tagName() != QLatin1String("message"))
            continue;
        const QDomNode id = childNode(child, QStringLiteral("Id"));
        if (id.isNull())
            continue;
        const QDomNode value = childNode(child, QStringLiteral("Value"));
        m_index[nodeText(id)].append({position, nodeText(value), !value.isNull()});
    }
}

// The messages are taken in document order until both texts are found; up to
// then a later match replaces an earlier one. Only the two keys' own entries
// are looked at, so the cost does not grow with the document.
Translator::Lookup Translator::lookup(const QString &key, const QString &descKey)
{
    const auto cached = m_lookups.constFind(key);
    if (cached != m_lookups.constEnd())
        return cached.value();

    const QList<Entry> titles = m_index.value(key);
    const QList<Entry> descs = m_index.value(descKey);
    Lookup result;
    qsizetype t = 0;
    qsizetype d = 0;
    while (!(result.titleFound && result.descFound)) {
        const bool titleNext =
            t < titles.size() && (d >= descs.size() || titles[t].position < descs[d].position);
        if (!titleNext && d >= descs.size())
            break;
        const Entry &entry = titleNext ? titles[t++] : descs[d++];
        if (!entry.hasValue) {
            result.formatError = true;
            break;
        }
        (titleNext ? result.title : result.desc) = entry.value;
        (titleNext ? result.titleFound : result.descFound) = true;
    }
    m_lookups.insert(key, result);
    return result;
}

// A new entry for id changes what the lookups of id, and of the key whose
// description id is, would find.
void Translator::forget(const QString &id)
{
    m_lookups.remove(id);
    if (id.endsWith(DescriptionSuffix))
        m_lookups.remove(id.chopped(DescriptionSuffix.size()));
}
