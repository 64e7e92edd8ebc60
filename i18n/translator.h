#pragma once

#include "model/domparser.h"
#include "model/textlocalizer.h"

#include <QDomNode>
#include <QHash>
#include <QString>

#include <memory>
#include <vector>

class ILocalizable;
class QFile;

// Reads a translation document (root/Translation with message entries of an
// Id and a Value) and puts its texts into the model. Every text it does not
// find becomes a new entry holding the key, so the written-back file collects
// what is still to be translated.
class Translator : public DomParser, public TextLocalizer
{
public:
    // Called when a matching message has no Value; the default prints
    // "Wrong XML format" on standard error and ends the process with status 1.
    // A test or a fuzz target installs one that returns; localize then stops.
    using FormatErrorHandler = void (*)();

    explicit Translator(QFile *file);
    ~Translator() override;

    // A file that exists but cannot be read or parsed leaves the document
    // empty and blocks the write-back, so its content is never lost.
    [[nodiscard]] bool loadFile(QFile *file) override;
    // Writes through a temporary file that replaces the old one only when
    // complete; a failure loses the additions and says so in the trace. A
    // file that already holds exactly the document is not touched.
    bool save(const QString &fileName) override;
    // save, with a name that says its result must be looked at.
    [[nodiscard]] bool writeTo(const QString &fileName) { return save(fileName); }

    // Sets the object's title and description from the entries under its key
    // and the key followed by " description", and adds an entry for each text
    // it does not find. False only when a matching entry had no Value.
    bool localize(ILocalizable *object, const QDomNode &translation, const QString &defaultTitle = QString(),
                  const QString &defaultDesc = QString());
    // Appends <message><Id>key</Id><Value>text</Value></message>.
    void addMessage(const QDomNode &translation, const QString &key, const QString &text);

    // The parser's translate pass: the Translation node is made (or found)
    // once at the start, and each object is localized against it.
    [[nodiscard]] bool beginPass() override;
    [[nodiscard]] bool localize(ILocalizable *object) override;

    static FormatErrorHandler setFormatErrorHandler(FormatErrorHandler handler);

    // A document looked up for every key this one lacks (the installed
    // document under the user's copy); it is read, never written, and only
    // the keys missing from both are added here. It may serve several
    // documents one after the other.
    void setFallback(std::shared_ptr<Translator> fallback);

private:
    // One message of the Translation node: its place among the node's
    // children and its Value (hasValue false when the message has none).
    struct Entry
    {
        int position;
        QString value;
        bool hasValue;
        int next; // the next entry with the same Id, -1 for none
    };
    // First and last entry of one Id in m_entries.
    struct Chain
    {
        int first;
        int last;
    };
    // What the walk over the messages decides for one key.
    struct Lookup
    {
        bool formatError = false;
        bool titleFound = false;
        bool descFound = false;
        QString title;
        QString desc;
    };

    void buildIndex(const QDomNode &translation);
    void indexEntry(const QString &id, const QString &value, bool hasValue);
    Lookup lookup(const QString &key, const QString &descKey);
    void forget(const QString &id);
    // lookup against this document's own Translation node of the running pass.
    Lookup lookupInPass(const QString &key, const QString &descKey);

    // Messages by Id in document order, built once per Translation node and
    // kept up to date by addMessage, so a lookup never scans the document.
    QDomNode m_indexed;
    // The Translation node of the running pass.
    QDomNode m_passNode;
    QHash<QString, Chain> m_index;
    std::vector<Entry> m_entries;
    // Results of long walks, dropped when addMessage adds to their keys.
    QHash<QString, Lookup> m_lookups;
    int m_nextPosition = 0;
    // False after a failed read of a file that exists.
    bool m_writeBack = true;
    std::shared_ptr<Translator> m_pFallback;
};
