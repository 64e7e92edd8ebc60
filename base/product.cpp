#include "base/product.h"

#include <QCoreApplication>

const QString &ApplicationTitle()
{
    static const QString title = QCoreApplication::translate("@default", "Velmora");
    return title;
}

QString LegalNotice()
{
    // Translated where it is shown: before main runs no catalogue is loaded
    // yet, and the About panel would stay English under any locale.
    return QCoreApplication::translate("@default", "Copyright (c) The Velmora Authors. All rights reserved.");
}
