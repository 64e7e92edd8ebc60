#include "app/functions.h"
#include "common/datatable.h"
#include "common/logcapture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <utility>

namespace {
const QString NullMark = QStringLiteral("<null>");
} // namespace

class TestFunctions : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_root;
    QString m_savedCwd;
    QByteArray m_savedPath;

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
        m_savedCwd = QDir::currentPath();
        m_savedPath = qgetenv("PATH");
        for (const char *dir : {"real/bin", "path1", "path2", "path3/prog2", "bin2"})
            QVERIFY(QDir(m_root).mkpath(QLatin1String(dir))); // path3/prog2 is a directory, not a program
        for (const char *file : {"real/bin/prog", "path2/prog2"}) {
            QFile program(m_root + QLatin1Char('/') + QLatin1String(file));
            QVERIFY(program.open(QIODevice::WriteOnly));
        }
        QVERIFY(link("real", "link") && link("../real/bin/prog", "bin2/velmora"));
        QVERIFY(link("c2", "c1") && link("link/bin/prog", "c2") && link("nowhere", "dangling"));
        QVERIFY(link("loopB", "loopA") && link("loopA", "loopB"));
        // name0 -> name1 -> ... -> real/bin/prog, one chain within the depth limit and one beyond
        for (const auto &[name, links] :
             {std::pair{QStringLiteral("short"), 127}, {QStringLiteral("long"), 128}}) {
            for (int i = 0; i < links; ++i)
                QVERIFY(link(i + 1 < links ? name + QString::number(i + 1) : QStringLiteral("real/bin/prog"),
                             name + QString::number(i)));
        }
    }

    void cleanup()
    {
        QDir::setCurrent(m_savedCwd);
        qputenv("PATH", m_savedPath);
    }

    void applicationDir_data()
    {
        addColumns<QString, QString, QString, QString>({"cwd", "path", "argv0", "expected"});
        const auto row = [](const char *name, const char *cwd, const char *path, const char *argv0,
                            const QString &expected) {
            QTest::newRow(name) << QString::fromUtf8(cwd) << QString::fromUtf8(path)
                                << QString::fromUtf8(argv0) << expected;
        };
        const QString realBin = QStringLiteral("@/real/bin");
        row("absolute program path", "@", "@/path1", "@/real/bin/prog", realBin);
        row("relative path through a linked directory", "@", "@/path1", "link/bin/prog", realBin);
        row("program is a relative link into another directory", "@", "@/path1", "bin2/velmora", realBin);
        row("link to a link through a linked directory", "@", "@/path1", "./c1", realBin);
        row("bare name found in the second search entry", "@", "@/path1:@/path2", "prog2", "@/path2");
        row("search entry holding a directory of that name is passed over", "@", "@/path3:@/path2", "prog2",
            "@/path2");
        row("relative search entry taken against the current directory", "@/real", "bin", "prog", realBin);
        row("bare name found nowhere", "@", "@/path1:@/path3", "prog", NullMark);
        row("dangling link", "@", "@/path1", "./dangling", NullMark);
        row("two links pointing at each other", "@", "@/path1", "./loopA", NullMark);
        row("empty program name", "@", "@/path1", "", NullMark);
    }
    void applicationDir()
    {
        QFETCH(QString, cwd);
        QFETCH(QString, path);
        QFETCH(QString, argv0);
        QFETCH(QString, expected);
        QVERIFY(QDir::setCurrent(expand(cwd)));
        qputenv("PATH", QFile::encodeName(expand(path)));
        const QString dir = GetApplicationDir(QFile::encodeName(expand(argv0)));
        QCOMPARE(dir, expand(expected));
        QCOMPARE(dir.isNull(), expected == NullMark);
    }

    void resolveSymLinks_data()
    {
        addColumns<QString, QString>({"path", "expected"});
        const QString prog = QStringLiteral("@/real/bin/prog");
        QTest::newRow("rest of the path kept after a linked prefix") << "@/link/bin/none"
                                                                     << "@/real/bin/none";
        QTest::newRow("127 links in a chain still resolve") << "@/short0" << prog;
        QTest::newRow("128 links in a chain hit the depth limit") << "@/long0" << NullMark;
    }
    void resolveSymLinks()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        const QString resolved = ResolveSymLinks(expand(path), 0);
        QCOMPARE(resolved, expand(expected));
        QCOMPARE(resolved.isNull(), expected == NullMark);
    }

    void systemLocale_data()
    {
        addColumns<QString, QByteArray, QString>({"expected", "environment", "setlocaleResult"});
        QTest::newRow("first two characters only") << "C." << QByteArray("C.UTF-8") << "C.UTF-8";
        QTest::newRow("unknown locale gives empty text") << "" << QByteArray("xx_YY.nowhere") << "";
    }
    void systemLocale()
    {
        QFETCH(QByteArray, environment);
        QFETCH(QString, setlocaleResult);
        const QByteArray savedAll = qgetenv("LC_ALL");
        const QByteArray savedCtype = std::setlocale(LC_CTYPE, nullptr);
        qputenv("LC_ALL", environment);
        LogCapture log;
        const QString code = GetSystemLocale();
        qputenv("LC_ALL", savedAll);
        std::setlocale(LC_CTYPE, savedCtype.constData());

        QTEST(code, "expected");
        QVERIFY(!code.isNull());
        QCOMPARE(log.lines(), QStringList{"::GetSystemLocale: setlocale: ret=<" + setlocaleResult + ">"});
    }

    void centerWindow_data()
    {
        // Window size relative to the screen, and where the window must land.
        addColumns<QSize, QPoint>({"growth", "expected"});
        QTest::newRow("odd difference rounds down") << QSize(-201, -3) << QPoint(100, 1);
        QTest::newRow("one pixel larger truncates toward zero") << QSize(1, 1) << QPoint(0, 0);
        QTest::newRow("larger than the screen") << QSize(3, 5) << QPoint(-1, -2);
    }
    void centerWindow()
    {
        QFETCH(QSize, growth);
        QWidget window(nullptr, Qt::FramelessWindowHint);
        const QRect screen = window.screen()->geometry();
        QCOMPARE(screen.topLeft(), QPoint(0, 0));
        window.resize(screen.size() + growth);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.frameGeometry().size(), screen.size() + growth);
        CenterWindow(&window);
        QTEST(window.pos(), "expected");
    }

    void smallFontReachesEveryWidgetOfTheTree()
    {
        // A widget with a font of its own does not inherit its parent's:
        // the size has to be set on every level.
        QWidget top;
        auto *check = new QCheckBox(QStringLiteral("deep"), new QGroupBox(&top));
        auto *deeper = new QLabel(QStringLiteral("deeper"), check);
        QFont bold = check->font();
        bold.setBold(true);
        bold.setPixelSize(20);
        check->setFont(bold);

        SetSmallFontRecursive(&top);
        for (QWidget *widget : {&top, static_cast<QWidget *>(check), static_cast<QWidget *>(deeper)})
            QCOMPARE(widget->font().pixelSize(), 10);
        QVERIFY(check->font().bold()); // only the size changes
    }

    void imageBesideTheProgram()
    {
        // ../share/images as seen from the program directory.
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("share/images")));
        QImage picture(7, 5, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(m_root + QStringLiteral("/share/images/beside.png")));
        QVERIFY(QDir::setCurrent(m_root + QStringLiteral("/real")));
        QCOMPARE(ImageFromMimeSource(QStringLiteral("beside.png")).size(), QSize(7, 5));
        QVERIFY(ImageFromMimeSource(QStringLiteral("../images/beside.png")).isNull());
    }
};

QTEST_MAIN(TestFunctions)
#include "tst_functions.moc"
