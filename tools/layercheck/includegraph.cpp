#include "includegraph.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

bool IncludeGraph::parseLayer(const QString &rule, Layer *layer)
{
    const int colon = rule.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    layer->name = rule.left(colon);
    layer->mayInclude = rule.mid(colon + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    return true;
}

IncludeGraph::IncludeGraph(QList<Layer> layers) : m_layers(std::move(layers))
{}

bool IncludeGraph::read(const QString &root)
{
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    const QDir top(root);
    for (const Layer &layer : std::as_const(m_layers)) {
        QDirIterator it(top.filePath(layer.name), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
                return false;
            const QString relative = top.relativeFilePath(path);
            m_files.insert(relative, true);
            int lineNumber = 0;
            while (!file.atEnd()) {
                ++lineNumber;
                const QString line = QString::fromUtf8(file.readLine());
                const QRegularExpressionMatch match = include.match(line);
                if (match.hasMatch())
                    m_includes.append({relative, lineNumber, match.captured(1)});
            }
        }
    }
    return true;
}

QString IncludeGraph::unitOf(const QString &file)
{
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? file : file.left(dot);
}

QString IncludeGraph::layerOf(const QString &path) const
{
    const QString first = path.section(QLatin1Char('/'), 0, 0);
    for (const Layer &layer : m_layers) {
        if (layer.name == first)
            return first;
    }
    return QString();
}

QStringList IncludeGraph::forbiddenIncludes() const
{
    QHash<QString, QStringList> allowed;
    for (const Layer &layer : m_layers)
        allowed.insert(layer.name, layer.mayInclude);

    QStringList found;
    for (const Include &inc : m_includes) {
        const QString place = QStringLiteral("%1:%2: ").arg(inc.from).arg(inc.line);
        if (inc.target.startsWith(QLatin1String("../")) || inc.target.contains(QLatin1String("/../"))) {
            found << place + QStringLiteral("includes %1 through ../").arg(inc.target);
            continue;
        }
        const QString from = layerOf(inc.from);
        const QString to = layerOf(inc.target);
        if (to.isEmpty() || to == from)
            continue;
        if (!allowed.value(from).contains(to))
            found << place +
                         QStringLiteral("includes %1, which layer %2 may not include").arg(inc.target, from);
    }
    return found;
}

QStringList IncludeGraph::cycles() const
{
    // Units and their edges; an include resolves against the root or, for a
    // bare name, against the including file's folder.
    std::map<QString, std::set<QString>> edges;
    for (const Include &inc : m_includes) {
        QString target = inc.target;
        if (!m_files.contains(target)) {
            const QString beside =
                QDir::cleanPath(inc.from.section(QLatin1Char('/'), 0, -2) + QLatin1Char('/') + inc.target);
            if (!m_files.contains(beside))
                continue;
            target = beside;
        }
        const QString from = unitOf(inc.from);
        const QString to = unitOf(target);
        if (from != to)
            edges[from].insert(to);
    }

    // Tarjan's strongly connected components; every component of more than
    // one unit holds a circle, named by one shortest circle through it.
    std::map<QString, int> index;
    std::map<QString, int> low;
    std::set<QString> onStack;
    QStringList stack;
    QList<QStringList> components;
    int next = 0;
    std::function<void(const QString &)> strongConnect = [&](const QString &v) {
        index[v] = low[v] = next++;
        stack.append(v);
        onStack.insert(v);
        for (const QString &w : edges[v]) {
            if (!index.count(w)) {
                strongConnect(w);
                low[v] = std::min(low[v], low[w]);
            } else if (onStack.count(w)) {
                low[v] = std::min(low[v], index[w]);
            }
        }
        if (low[v] == index[v]) {
            QStringList component;
            QString w;
            do {
                w = stack.takeLast();
                onStack.erase(w);
                component << w;
            } while (w != v);
            if (component.size() > 1)
                components << component;
        }
    };
    QStringList units;
    for (const auto &entry : edges)
        units << entry.first;
    for (const QString &unit : std::as_const(units)) {
        if (!index.count(unit))
            strongConnect(unit);
    }

    QStringList found;
    for (QStringList component : components) {
        std::sort(component.begin(), component.end());
        const QSet<QString> members(component.begin(), component.end());
        // Breadth-first from the first member back to itself, inside the component.
        const QString start = component.first();
        QHash<QString, QString> cameFrom;
        QStringList queue{start};
        QString closing;
        while (!queue.isEmpty() && closing.isEmpty()) {
            const QString v = queue.takeFirst();
            for (const QString &w : edges[v]) {
                if (!members.contains(w))
                    continue;
                if (w == start) {
                    closing = v;
                    break;
                }
                if (!cameFrom.contains(w)) {
                    cameFrom.insert(w, v);
                    queue << w;
                }
            }
        }
        QStringList circle{start};
        for (QString v = closing; v != start; v = cameFrom.value(v))
            circle.insert(1, v);
        circle << start;
        found << QStringLiteral("%1 (%2 units in the circle's component)")
                     .arg(circle.join(QLatin1String(" -> ")))
                     .arg(component.size());
    }
    return found;
}
