#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QDomNode>
#include <QString>
#include <QStringList>

class QFile;

// Owns one XML document and gives the rest of the program the few lookups it
// needs (slash paths, first child by name, attributes, search by attribute
// value), so no caller walks the DOM by hand. Every reader and writer of an
// XML document derives from it.
//
// Absent and empty differ everywhere here: a missing attribute reads as a null
// QString, a present empty one as "" (non-null).
class DomParser
{
public:
    // Texts that nest their elements deeper than this are refused by the
    // loaders (logged, validity false); no document of ours comes close.
    static constexpr int MaxDocumentDepth = 2048;
    // Texts longer than this (characters, or bytes of a file) are refused the
    // same way: the DOM of one takes many times its size in memory.
    static constexpr qsizetype MaxTextLength = 64 * 1024 * 1024;

    DomParser();
    explicit DomParser(const QString &text);
    explicit DomParser(QFile *file);
    virtual ~DomParser();

    DomParser(const DomParser &) = delete;
    DomParser &operator=(const DomParser &) = delete;

    // Replaces the document with the file's contents; a null file or one that
    // cannot be opened leaves the validity flag as it was.
    [[nodiscard]] virtual bool loadFile(QFile *file);
    virtual bool setContent(const QString &text);
    [[nodiscard]] virtual bool isValid() const;
    // Writes the document with four blanks of indentation per level. The file
    // is replaced only once the whole text is written: on failure (false) an
    // existing file is left as it was and no partial file remains.
    virtual bool save(const QString &fileName);

    // A shared handle: changes made through it change this object's document.
    [[nodiscard]] QDomDocument document() const;

    [[nodiscard]] QString nodeText(const QDomNode &node) const;
    [[nodiscard]] QString childText(const QDomNode &node, const QString &name) const;
    [[nodiscard]] QString attribute(const QDomNode &node, const QString &name) const;
    [[nodiscard]] bool hasAttribute(const QDomNode &node, const QString &name) const;
    [[nodiscard]] QDomNode findPath(const QStringList &path) const;
    [[nodiscard]] QDomNode childNode(const QDomNode &node, const QString &name) const;
    [[nodiscard]] QDomNode findByAttribute(const QDomNode &node, const QString &attributeName,
                                           const QString &value) const;
    QDomNode createPath(const QStringList &path);

    void dumpTree(const QDomElement &element, const QString &prefix) const;
    void dumpDocument() const;
    void dumpElements(const QString &tagName) const;
    void dumpNode(const QDomNode &node) const;

    // "root/PrinterSettingsInfo" -> {"root", "PrinterSettingsInfo"}; empty
    // parts (leading, trailing or doubled slashes) are dropped.
    [[nodiscard]] static QStringList splitPath(const QString &path);

    // The element with everything inside it as XML text, `indent` blanks per
    // level, childless elements as `<a b="c" />` (or `<a/>` without
    // attributes), attributes sorted by name, no line feed after the last
    // line. This is the form the device and the sibling tools read.
    [[nodiscard]] static QString elementText(const QDomElement &element, int indent = 1);

protected:
    void setValid(bool valid) { m_valid = valid; }
    // Empties the document in place, so handles given out by document() stay attached.
    void clearDocument();
    // Follows the path from the document node, appending every element that
    // is missing, and returns the innermost one (createPath without its log).
    QDomNode ensureElements(const QStringList &path);

private:
    QDomDocument m_document;
    bool m_valid = false;
};
