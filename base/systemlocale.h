#pragma once

#include <QString>

// The first two characters of the process locale name ("de", "C", ...).
QString GetSystemLocale();
