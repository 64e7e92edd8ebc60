#pragma once

#include "model/aboutinfo.h"
#include "model/element.h"

#include <memory>

// The About setting: shows the device model, the program, its version, the
// copyright and the logo in a panel filling the settings panel. Without an
// AboutInfo record there is nothing to show and no control is made.
class AboutElement : public Element
{
    Q_OBJECT

public:
    AboutElement(const QByteArray &controlName, NodeDesc *node, Element *parent);
    ~AboutElement() override;

    // Keeps its own copy, replacing any earlier one.
    void setAboutInfo(const AboutInfo &info);
    // Null until a record was given.
    const AboutInfo *aboutInfo() const { return m_pAbout.get(); }

    // "major.mm.pp", minor and third number at least two digits.
    [[nodiscard]] static QString versionText(const Version &version);

    QWidget *createControl(QWidget *parent) override;
    void deleteControl() override;

private:
    std::unique_ptr<AboutInfo> m_pAbout;
};
