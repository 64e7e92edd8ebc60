#pragma once

#include <QString>

// The product name and the one-line legal notice, both through translation
// in the global context; the usage line, the version banner and the About
// information show them.
const QString &ApplicationTitle();
QString LegalNotice();
