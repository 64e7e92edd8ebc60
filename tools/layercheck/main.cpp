// Holds the includes of the program's code against its layer table.
//   layercheck <source root> <layer>:<may include,...> ...
// Prints every include that runs against the table and every include circle,
// and exits with 1 when there is one.
#include "includegraph.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTextStream err(stderr);
    if (arguments.size() < 3) {
        err << "usage: layercheck <source root> <layer>:<may include,...> ...\n";
        return 2;
    }
    QList<IncludeGraph::Layer> layers;
    for (const QString &rule : arguments.mid(2)) {
        IncludeGraph::Layer layer;
        if (!IncludeGraph::parseLayer(rule, &layer)) {
            err << "layercheck: not a layer rule: " << rule << '\n';
            return 2;
        }
        layers << layer;
    }
    IncludeGraph graph(layers);
    if (!graph.read(arguments.at(1))) {
        err << "layercheck: cannot read the sources below " << arguments.at(1) << '\n';
        return 2;
    }
    const QStringList forbidden = graph.forbiddenIncludes();
    const QStringList cycles = graph.cycles();
    for (const QString &line : forbidden)
        err << line << '\n';
    for (const QString &line : cycles)
        err << "include circle: " << line << '\n';
    if (!forbidden.isEmpty() || !cycles.isEmpty()) {
        err << "layercheck: " << forbidden.size() << " include(s) against the layer order, " << cycles.size()
            << " circle(s)\n";
        return 1;
    }
    QTextStream(stdout) << "layercheck: " << layers.size()
                        << " layers, every include looks down, no circle\n";
    return 0;
}
