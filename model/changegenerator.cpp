#include "model/changegenerator.h"

#include "base/debuglog.h"
#include "model/ielement.h"

#include <QDomImplementation>
#include <QObject>
#include <QVariant>

namespace {

// Types that are pressed rather than set: the plain button and the four
// maintenance buttons that are applied through the change document.
bool isPressedType(int type)
{
    switch (type) {
    case 8:
    case 25:
    case 26:
    case 27:
    case 28:
        return true;
    default:
        return false;
    }
}

} // namespace

ChangeGenerator::ChangeGenerator()
{
    if (QDomImplementation().hasFeature(QStringLiteral("XML"), QStringLiteral("1.0")))
        m_header = QString::asprintf("<?xml version=\"%s\" encoding=\"%s\"?>\n", "1.0", "UTF-8");
}

ChangeGenerator::~ChangeGenerator() = default;

void ChangeGenerator::reset()
{
    clearDocument();
}

QDomElement ChangeGenerator::ensurePath(const QStringList &names)
{
    return ensureElements(names).toElement();
}

QDomElement ChangeGenerator::createDescription(IElement *ie)
{
    if (!ie) {
        qWarning("ChangeGenerator::createDescription: no element");
        return QDomElement();
    }
    DebugLog("ChangeGenerator::createDescription: ie->typeName()=<%s>", ie->typeName());

    QDomElement element = document().createElement(ie->id());
    if (ie->isConcrete()) {
        // Value elements publish their value as the "current" property; going
        // through the meta-object keeps this file free of the element classes.
        const auto *object = dynamic_cast<QObject *>(ie);
        const QString current = object ? object->property("current").toString() : QString();
        element.setAttribute(QStringLiteral("CURRENT"), current);
    } else if (isPressedType(ie->type())) {
        element.setAttribute(QStringLiteral("CURRENT"), QStringLiteral("PRESSED"));
    }
    return element;
}

QString ChangeGenerator::getChanges() const
{
    DebugLog("ChangeGenerator::getChanges() started");

    // The document type line is never part of the text sent.
    QStringList lines;
    const QDomDocument doc = document();
    for (QDomNode node = doc.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isDocumentType())
            continue;
        const QString text = node.isElement() ? elementText(node.toElement(), 1) : QString();
        for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            lines.append(line);
    }
    if (lines.isEmpty())
        return QString();
    return m_header + lines.join(QLatin1Char('\n'));
}
