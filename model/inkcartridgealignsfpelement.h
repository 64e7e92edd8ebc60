#pragma once

#include "model/buttonelement.h"

// Starts the cartridge alignment wizard of a single-function printer. Whether
// a photo cartridge can be fitted changes the wizard's pages, so the button
// carries that flag from the description to the dialog.
class InkCartridgeAlignSFPElement : public ButtonElement
{
    Q_OBJECT
    Q_PROPERTY(bool hasPhotoInk READ hasPhotoInk WRITE setHasPhotoInk)

public:
    InkCartridgeAlignSFPElement(const QByteArray &controlName, NodeDesc *node, Element *parent);

    bool hasPhotoInk() const { return m_hasPhotoInk; }
    void setHasPhotoInk(bool hasPhotoInk) { m_hasPhotoInk = hasPhotoInk; }

private:
    bool m_hasPhotoInk = false;
};
