#pragma once

#include "model/domparser.h"

#include <QDomElement>
#include <QString>
#include <QStringList>

class IElement;

// Writes the change document that carries settings to the device:
// root/PrinterSettingsInfo with one empty element per setting, named after
// its id, with CURRENT holding the value to set (or PRESSED for a button).
// The caller decides which settings go in; this class only writes them.
class ChangeGenerator : public DomParser
{
public:
    ChangeGenerator();
    ~ChangeGenerator() override;

    // Empties the document so a new build never carries an old entry.
    void reset();

    // The button whose press is being written; not owned, null otherwise.
    void setButton(IElement *button) { m_pButton = button; }
    [[nodiscard]] IElement *button() const { return m_pButton; }

    // The XML declaration line, line feed included.
    [[nodiscard]] QString header() const { return m_header; }

    // The innermost element of the path below the document, creating each
    // missing element on the way; a null element for an empty path.
    QDomElement ensurePath(const QStringList &names);

    // A detached element for the setting; the caller appends it.
    [[nodiscard]] QDomElement createDescription(IElement *ie);

    // The header and the document, one blank of indentation per level, no
    // line feed at the end; a null string when the document is empty.
    [[nodiscard]] QString getChanges() const;

private:
    IElement *m_pButton = nullptr;
    QString m_header;
};
