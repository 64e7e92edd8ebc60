#include "common/datatable.h"
#include "includegraph.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A small table in the shape of the program's: a ground floor, two layers on
// it, and a front end beside one of them.
const QStringList Rules{QStringLiteral("base:"), QStringLiteral("model:base"),
                        QStringLiteral("window:base,model"), QStringLiteral("ctl:base,model")};

QList<IncludeGraph::Layer> layers()
{
    QList<IncludeGraph::Layer> result;
    for (const QString &rule : Rules) {
        IncludeGraph::Layer layer;
        if (IncludeGraph::parseLayer(rule, &layer))
            result << layer;
    }
    return result;
}

// Writes "path=line;line|path=..." as files below the directory.
bool writeTree(const QString &root, const QString &files)
{
    for (const QString &entry : files.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QString path = entry.section(QLatin1Char('='), 0, 0);
        const QString body = entry.section(QLatin1Char('='), 1).replace(QLatin1Char(';'), QLatin1Char('\n'));
        if (!QDir(root).mkpath(QFileInfo(path).path()))
            return false;
        QFile file(QDir(root).filePath(path));
        if (!file.open(QIODevice::WriteOnly) || file.write(body.toUtf8() + '\n') < 0)
            return false;
    }
    return true;
}

} // namespace

class TestLayerCheck : public QObject
{
    Q_OBJECT
private slots:
    void includesAgainstTheTable_data()
    {
        addColumns<QString, QStringList, int>({"tree", "forbidden", "cycles"});
        addRow("downward includes pass",
               QStringLiteral("base/log.h=#pragma once|model/rule.h=#include \"base/log.h\"|"
                              "window/tree.cpp=#include \"model/rule.h\";#include \"base/log.h\""),
               QStringList(), 0);
        addRow("upward include from the ground floor",
               QStringLiteral("base/log.cpp=#include \"base/log.h\";  #  include \"window/tree.h\"|"
                              "base/log.h=|window/tree.h="),
               QStringList{QStringLiteral(
                   "base/log.cpp:2: includes window/tree.h, which layer base may not include")},
               0);
        addRow("front end on the window",
               QStringLiteral("ctl/main.cpp=#include \"window/tree.h\"|window/tree.h="),
               QStringList{
                   QStringLiteral("ctl/main.cpp:1: includes window/tree.h, which layer ctl may not include")},
               0);
        addRow("climb out with ../", QStringLiteral("model/rule.cpp=#include \"../base/log.h\"|base/log.h="),
               QStringList{QStringLiteral("model/rule.cpp:1: includes ../base/log.h through ../")}, 0);
        addRow("circle inside a layer",
               QStringLiteral("model/rule.h=#include \"model/element.h\"|model/element.h=|"
                              "model/element.cpp=#include \"model/element.h\";#include \"model/rule.h\""),
               QStringList(), 1);
        addRow("circle through a bare include",
               QStringLiteral(
                   "model/a.h=#include \"b.h\"|model/b.h=#include \"c.h\"|model/c.h=#include \"a.h\""),
               QStringList(), 1);
        addRow("a header and its source are one unit",
               QStringLiteral("model/a.h=|model/a.cpp=#include \"model/a.h\""), QStringList(), 0);
        addRow("system and Qt includes are not counted",
               QStringLiteral("base/log.h=#include <QWidget>;#include <window/tree.h>|window/tree.h="),
               QStringList(), 0);
    }
    void includesAgainstTheTable()
    {
        QFETCH(QString, tree);
        QFETCH(QStringList, forbidden);
        QFETCH(int, cycles);
        QTemporaryDir dir;
        QVERIFY(writeTree(dir.path(), tree));
        IncludeGraph graph(layers());
        QVERIFY(graph.read(dir.path()));
        QCOMPARE(graph.forbiddenIncludes(), forbidden);
        QCOMPARE(graph.cycles().size(), cycles);
    }

    void circleIsNamedByItsUnits()
    {
        QTemporaryDir dir;
        QVERIFY(
            writeTree(dir.path(),
                      QStringLiteral("model/a.h=#include \"model/b.h\"|model/b.h=|"
                                     "model/b.cpp=#include \"model/a.h\"|model/c.h=#include \"model/a.h\"")));
        IncludeGraph graph(layers());
        QVERIFY(graph.read(dir.path()));
        const QStringList cycles = graph.cycles();
        QCOMPARE(cycles.size(), 1);
        QVERIFY2(cycles.first().startsWith(QLatin1String("model/a -> model/b -> model/a ")),
                 qPrintable(cycles.first()));
    }

    // The program run as the test run runs it: an upward include fails it,
    // and the message names the place.
    void programFailsOnAnUpwardInclude()
    {
        QTemporaryDir dir;
        QVERIFY(
            writeTree(dir.path(), QStringLiteral("model/rule.h=#include \"window/tree.h\"|window/tree.h=")));
        QProcess check;
        check.start(QStringLiteral(VELMORA_LAYERCHECK), QStringList{dir.path()} + Rules);
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 1);
        QVERIFY(check.readAllStandardError().contains("model/rule.h:1: includes window/tree.h"));

        QVERIFY(writeTree(dir.path(), QStringLiteral("model/rule.h=#include \"base/log.h\"|base/log.h=")));
        check.start(QStringLiteral(VELMORA_LAYERCHECK), QStringList{dir.path()} + Rules);
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLayerCheck)
#include "tst_layercheck.moc"
