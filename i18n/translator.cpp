#include "i18n/translator.h"

#include "base/debuglog.h"
#include "base/savetext.h"
#include "model/ilocalizable.h"
#include "model/xmlnesting.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace {

const QString DescriptionSuffix = QStringLiteral(" description");
constexpr qsizetype LongWalk = 8;

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

bool Translator::save(const QString &fileName)
{
    if (!m_writeBack) {
        DebugLog("Translator::save: '%s' is kept as it was", qPrintable(fileName));
        return false;
    }
    const QByteArray bytes = document().toByteArray(4);
    // A pass that found every entry leaves the file alone: writing the same
    // bytes again would cost a sync to disk at every start for nothing.
    if (QFile current(fileName);
        current.open(QIODevice::ReadOnly) && current.size() == bytes.size() && current.readAll() == bytes)
        return true;
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        if (CommitOwnerOnly(file))
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

    Lookup found = lookup(key, descKey);
    if (m_pFallback && !found.formatError && !(found.titleFound && found.descFound)) {
        // What this document lacks comes from the one below it; only what
        // neither holds is added here.
        const Lookup below = m_pFallback->lookupInPass(key, descKey);
        found.formatError = below.formatError;
        if (!found.titleFound && below.titleFound) {
            found.title = below.title;
            found.titleFound = true;
        }
        if (!found.descFound && below.descFound) {
            found.desc = below.desc;
            found.descFound = true;
        }
    }
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
        indexEntry(key, text, true);
        forget(key);
    }
}

void Translator::buildIndex(const QDomNode &translation)
{
    m_indexed = translation;
    m_index.clear();
    m_entries.clear();
    m_lookups.clear();
    m_nextPosition = 0;
    // Sized once for the whole document: growing the table and the entries
    // step by step costs more than the count, and more so for large files.
    qsizetype children = 0;
    for (QDomNode child = translation.firstChild(); !child.isNull(); child = child.nextSibling())
        ++children;
    m_index.reserve(children);
    m_entries.reserve(size_t(children));
    const QString message = QStringLiteral("message");
    const QString idName = QStringLiteral("Id");
    const QString valueName = QStringLiteral("Value");
    for (QDomNode child = translation.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const QDomNode id = child.isElement() && child.toElement().tagName() == message
                                ? childNode(child, idName)
                                : QDomNode();
        if (id.isNull()) {
            ++m_nextPosition;
            continue;
        }
        const QDomNode value = childNode(child, valueName);
        indexEntry(nodeText(id), nodeText(value), !value.isNull());
    }
}

void Translator::indexEntry(const QString &id, const QString &value, bool hasValue)
{
    const int added = int(m_entries.size());
    m_entries.push_back({m_nextPosition++, value, hasValue, -1});
    const auto chain = m_index.find(id);
    if (chain == m_index.end()) {
        m_index.insert(id, {added, added});
        return;
    }
    m_entries[size_t(chain->last)].next = added;
    chain->last = added;
}

// The messages are taken in document order until both texts are found; up to
// then a later match replaces an earlier one. Only the two keys' own entries
// are looked at, so the cost does not grow with the document.
Translator::Lookup Translator::lookup(const QString &key, const QString &descKey)
{
    const auto cached = m_lookups.constFind(key);
    if (cached != m_lookups.constEnd())
        return cached.value();

    const auto first = [this](const QString &id) {
        const auto chain = m_index.constFind(id);
        return chain == m_index.constEnd() ? -1 : chain->first;
    };
    int t = first(key);
    int d = first(descKey);
    qsizetype walked = 0;
    Lookup result;
    while (!(result.titleFound && result.descFound) && (t >= 0 || d >= 0)) {
        const bool titleNext =
            t >= 0 && (d < 0 || m_entries[size_t(t)].position < m_entries[size_t(d)].position);
        int &at = titleNext ? t : d;
        const Entry &entry = m_entries[size_t(at)];
        at = entry.next;
        ++walked;
        if (!entry.hasValue) {
            result.formatError = true;
            break;
        }
        (titleNext ? result.title : result.desc) = entry.value;
        (titleNext ? result.titleFound : result.descFound) = true;
    }
    // Only long walks (many entries under one key) are worth remembering.
    if (walked > LongWalk)
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

void Translator::setFallback(std::shared_ptr<Translator> fallback)
{
    m_pFallback = std::move(fallback);
}

Translator::Lookup Translator::lookupInPass(const QString &key, const QString &descKey)
{
    if (m_passNode.isNull())
        return Lookup();
    if (m_indexed.isNull() || m_indexed != m_passNode)
        buildIndex(m_passNode);
    return lookup(key, descKey);
}

bool Translator::beginPass()
{
    if (m_pFallback && !m_pFallback->beginPass())
        m_pFallback.reset();
    m_passNode = createPath(DomParser::splitPath(QStringLiteral("root/Translation")));
    return !m_passNode.isNull();
}

bool Translator::localize(ILocalizable *object)
{
    return localize(object, m_passNode);
}
