#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Holds every quoted #include of the program's code against its layer table:
// each layer folder may include only the layers the table lets it, and no
// circle of includes may run between its files (a source and its header
// count as one unit). The table is what cmake/VelmoraLayers.cmake states.
class IncludeGraph
{
public:
    struct Layer
    {
        QString name;
        QStringList mayInclude;
    };

    // A rule of the form "name:dep1,dep2" (no dependencies: "name:").
    [[nodiscard]] static bool parseLayer(const QString &rule, Layer *layer);

    explicit IncludeGraph(QList<Layer> layers);

    // Reads every .h and .cpp below the layer folders of root. False when a
    // file cannot be read.
    [[nodiscard]] bool read(const QString &root);

    // "file:line: includes x, which layer y may not include" lines, one per
    // include that leaves the table; "file:line: ../ include" for relative
    // climbs out of the folder.
    [[nodiscard]] QStringList forbiddenIncludes() const;
    // Each circle once, as "a -> b -> ... -> a" over units (paths without
    // their suffix), shortest first.
    [[nodiscard]] QStringList cycles() const;

private:
    struct Include
    {
        QString from; // file, relative to the root
        int line;
        QString target; // as written
    };

    [[nodiscard]] static QString unitOf(const QString &file);
    [[nodiscard]] QString layerOf(const QString &path) const;

    QList<Layer> m_layers;
    QList<Include> m_includes;
    QHash<QString, bool> m_files; // every file read, relative to the root
};
