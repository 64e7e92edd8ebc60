#pragma once

// Helpers for the suites that parse descriptions from their data/ folder
// (VELMORA_TEST_DATA is defined per suite, so these stay inline).
#include "model/settingsparser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

inline QString dataPath(const QString &name)
{
    return QStringLiteral(VELMORA_TEST_DATA "/") + name;
}

inline QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

inline std::unique_ptr<SettingsParser> parsedFile(const QString &name)
{
    QFile file(dataPath(name));
    auto parser = std::make_unique<SettingsParser>(&file);
    (void)parser->parse();
    return parser;
}

// One category holding the given settings.
inline std::unique_ptr<SettingsParser> parsedSettings(const QString &settings)
{
    auto parser = std::make_unique<SettingsParser>(
        QStringLiteral("<root><PrinterSettingsInfo><C>%1</C></PrinterSettingsInfo></root>").arg(settings));
    (void)parser->parse();
    return parser;
}

template <typename Kind> Kind *findAs(const SettingsParser &parser, const QString &id)
{
    return qobject_cast<Kind *>(parser.findElement(id));
}

// The parser reads "dependencies.xml" from the working directory, so a suite
// holding one of these works in an empty directory of its own.
struct ScratchDir
{
    QTemporaryDir dir;
    ScratchDir() { QDir::setCurrent(dir.path()); }
};
