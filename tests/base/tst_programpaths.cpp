#include "base/programpaths.h"
#include "base/windowhelpers.h"
#include "common/datatable.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString NullMark = QStringLiteral("<null>");
} // namespace

class TestFunctions : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_root;

    // Paths in the tables are relative to the fixture; "@" stands for its root.
    QString expand(const QString &text) const
    {
        return text == NullMark ? QString() : QString(text).replace(QLatin1Char('@'), m_root);
    }
    bool link(const QString &target, const QString &relativeLink) const
    {
        return QFile::link(target, m_root + QLatin1Char('/') + relativeLink);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        for (const char *dir : {"real/bin", "path1", "path2", "path3/prog2", "bin2"})
            QVERIFY(QDir(m_root).mkpath(QLatin1String(dir))); // path3/prog2 is a directory, not a program
        for (const char *file : {"real/bin/prog", "path2/prog2"}) {
            QFile program(m_root + QLatin1Char('/') + QLatin1String(file));
            QVERIFY(program.open(QIODevice::WriteOnly));
        }
        QVERIFY(link("real", "link") && link("../real/bin/prog", "bin2/velmora"));
        QVERIFY(link("loopB", "loopA") && link("loopA", "loopB"));
        // c0 -> c1 -> ... -> c127 -> real/bin/prog: 128 links from c0, 127 from c1
        for (int i = 0; i < 128; ++i)
            QVERIFY(link(i < 127 ? QStringLiteral("c%1").arg(i + 1) : QStringLiteral("real/bin/prog"),
                         QStringLiteral("c%1").arg(i)));
    }

    void applicationDir_data()
    {
        // Started in the fixture's root with the search path given.
        addColumns<QString, QString, QString>({"path", "argv0", "expected"});
        addRow("relative path through a linked directory", "@/path1", "link/bin/prog", "@/real/bin");
        addRow("program is a relative link elsewhere", "@/path1", "bin2/velmora", "@/real/bin");
        addRow("bare name found in the second search entry", "@/path1:@/path2", "prog2", "@/path2");
        addRow("search entry with a directory of that name", "@/path3:@/path2", "prog2", "@/path2");
        addRow("relative search entry taken against the cwd", "real/bin", "prog", "@/real/bin");
        addRow("bare name found nowhere", "@/path1:@/path3", "prog", NullMark);
        addRow("two links pointing at each other", "@/path1", "./loopA", NullMark);
    }
    void applicationDir()
    {
        QFETCH(QString, path);
        QFETCH(QString, argv0);
        QFETCH(QString, expected);
        QVERIFY(QDir::setCurrent(m_root));
        qputenv("PATH", QFile::encodeName(expand(path)));
        const QString dir = GetApplicationDir(QFile::encodeName(expand(argv0)));
        QCOMPARE(dir, expand(expected));
        QCOMPARE(dir.isNull(), expected == NullMark);
    }

    void resolveSymLinks_data()
    {
        // Beyond the system's own limit, which the program path check meets first.
        addColumns<QString, QString>({"path", "expected"});
        addRow("two links pointing at each other", "@/loopA", NullMark);
        addRow("127 links in a chain still resolve", "@/c1", "@/real/bin/prog");
        addRow("128 links in a chain hit the depth limit", "@/c0", NullMark);
    }
    void resolveSymLinks()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        const QString resolved = ResolveSymLinks(expand(path), 0);
        QCOMPARE(resolved, expand(expected));
        QCOMPARE(resolved.isNull(), expected == NullMark);
    }

    void smallFontReachesWidgetsWithAFontOfTheirOwn()
    {
        // Such a widget does not inherit its parent's font: the size is set on every level.
        QWidget top;
        auto *check = new QCheckBox(QStringLiteral("deep"), new QWidget(&top));
        QFont bold = check->font();
        bold.setBold(true);
        check->setFont(bold);
        SetSmallFontRecursive(&top);
        QCOMPARE(check->font().pixelSize(), 10);
        QVERIFY(check->font().bold()); // only the size changes
    }
};

QTEST_MAIN(TestFunctions)
#include "tst_programpaths.moc"
