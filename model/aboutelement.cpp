#include "model/aboutelement.h"

#include "base/debuglog.h"
#include "widgets/aboutwidget.h"

AboutElement::AboutElement(const QByteArray &controlName, NodeDesc *node, Element *parent)
    : Element(controlName, node, parent)
{}

AboutElement::~AboutElement() = default;

void AboutElement::setAboutInfo(const AboutInfo &info)
{
    m_pAbout = std::make_unique<AboutInfo>(info);
}

QString AboutElement::versionText(const Version &version)
{
    return QString::asprintf("%u.%.2u.%.2u", version.major, version.minor, version.third);
}

QWidget *AboutElement::createControl(QWidget *parent)
{
    DebugLog("AboutElement::createControl:\n%s", qPrintable(dump()));
    DebugLog("m_pAbout = %p", static_cast<const void *>(m_pAbout.get()));
    if (!m_pAbout)
        return nullptr;

    const QString version = versionText(m_pAbout->version);
    const QPixmap &logo = m_pAbout->logo;
    const QString record = QString::asprintf(
        "AboutInfo:\n\tmodel: <%s>\n\tsw: <%s>\n\tversion: <%s>\n\tcopyrights: <%s>\n\tlogo: %dx%dx%d",
        qUtf8Printable(m_pAbout->model), qUtf8Printable(m_pAbout->sw), qUtf8Printable(version),
        qUtf8Printable(m_pAbout->copyrights), logo.width(), logo.height(), logo.depth());
    DebugLog("m_pAbout = \n%s", qPrintable(record));

    auto *about = new AboutWidget(parent, "AboutWidget");
    if (parent)
        about->setGeometry(parent->rect());
    about->setLogoPixmap(logo);
    about->setModelName(m_pAbout->model);
    about->setVersionText(m_pAbout->sw + QLatin1Char(' ') + version);
    about->setCopyrightText(m_pAbout->copyrights);

    // The About panel has no rules to check.
    setControl(about);
    return about;
}

void AboutElement::deleteControl()
{
    delete control();
    setControl(nullptr);
}
