#pragma once

// What the controller suites share: the sample description, the data of
// the description suites, and a controller on a private copy of the run tree.
#include "common/runtreecopy.h"
#include "controller/configurator.h"

#include <QDir>
#include <QFile>
#include <QMetaType>

#include <memory>

inline QString samplePath()
{
    return QStringLiteral(VELMORA_SAMPLES_DIR "/sample_mfp.xml");
}

inline QString descriptionData(const QString &name)
{
    return QDir::cleanPath(QStringLiteral(VELMORA_DESCRIPTIONS "/") + name);
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The change document the device gets for one changed setting.
inline QString changeDocument(const QString &line)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n <PrinterSettingsInfo>\n  %1\n"
                          " </PrinterSettingsInfo>\n</root>")
        .arg(line);
}

struct ControllerOptions
{
    bool useLocal = false;
    bool saveSent = false;
    bool saveDescription = false;
    bool saveLocalized = false;
};
Q_DECLARE_METATYPE(ControllerOptions)

// A controller whose program directory is the copy's bin/ (also the working
// directory, where the parser looks for extra rules).
inline std::unique_ptr<Configurator> controllerIn(const RunTreeCopy &tree, const QString &devPath,
                                                  const QString &devName = QStringLiteral("Office"),
                                                  ControllerOptions options = {})
{
    QDir::setCurrent(tree.binDir());
    return std::make_unique<Configurator>(tree.binDir(), devPath, devName, options.useLocal, options.saveSent,
                                          options.saveDescription, options.saveLocalized);
}
