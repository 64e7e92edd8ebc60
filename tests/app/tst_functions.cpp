#include "app/functions.h"
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
#include <QVBoxLayout>

#include <clocale>

namespace {
const QString NullMark = QStringLiteral("<null>");

// Paths in the tables are relative to the fixture; "@" stands for its root.
QString expand(const QString &root, const QString &text)
{
    if (text == NullMark)
        return QString();
    QString result = text;
    return result.replace(QLatin1Char('@'), root);
}
} // namespace

class TestFunctions : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_root;
    QString m_savedCwd;
    QByteArray m_savedPath;

    void makeFile(const QString &relative)
    {
        QVERIFY(QDir(m_root).mkpath(QFileInfo(relative).path()));
        QFile file(m_root + QLatin1Char('/') + relative);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
    }
    void makeLink(const QString &target, const QString &relativeLink)
    {
        QVERIFY(QFile::link(target, m_root + QLatin1Char('/') + relativeLink));
    }
    void makeChain(const QString &name, int links)
    {
        // name0 -> name1 -> ... -> name<links-1> -> real/bin/prog
        for (int i = 0; i < links; ++i) {
            const QString target =
                i + 1 < links ? name + QString::number(i + 1) : QStringLiteral("real/bin/prog");
            makeLink(target, name + QString::number(i));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        m_savedCwd = QDir::currentPath();
        m_savedPath = qgetenv("PATH");

        makeFile(QStringLiteral("real/bin/prog"));
        makeFile(QStringLiteral("path2/prog2"));
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("path1")));
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("path3/prog2"))); // a directory, not a program
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("bin2")));
        makeLink(QStringLiteral("real"), QStringLiteral("link"));
        makeLink(m_root + QStringLiteral("/real"), QStringLiteral("abslink"));
        makeLink(QStringLiteral("../real/bin/prog"), QStringLiteral("bin2/velmora"));
        makeLink(QStringLiteral("c2"), QStringLiteral("c1"));
        makeLink(QStringLiteral("link/bin/prog"), QStringLiteral("c2"));
        makeLink(QStringLiteral("loopB"), QStringLiteral("loopA"));
        makeLink(QStringLiteral("loopA"), QStringLiteral("loopB"));
        makeLink(QStringLiteral("nowhere"), QStringLiteral("dangling"));
        makeChain(QStringLiteral("short"), 127);
        makeChain(QStringLiteral("long"), 128);
    }

    void cleanup()
    {
        QDir::setCurrent(m_savedCwd);
        qputenv("PATH", m_savedPath);
    }

    void applicationDir_data()
    {
        QTest::addColumn<QString>("cwd");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("argv0");
        QTest::addColumn<QString>("expected");

        const QString noPath = QStringLiteral("@/path1");
        QTest::newRow("absolute program path") << "@" << noPath << "@/real/bin/prog"
                                               << "@/real/bin";
        QTest::newRow("relative path through a linked directory") << "@" << noPath << "link/bin/prog"
                                                                  << "@/real/bin";
        QTest::newRow("relative path with dot-dot through a link")
            << "@/path1" << noPath << "../link/bin/prog"
            << "@/real/bin";
        QTest::newRow("directory link with an absolute target") << "@" << noPath << "abslink/bin/prog"
                                                                << "@/real/bin";
        QTest::newRow("program is a relative link into another directory") << "@" << noPath << "bin2/velmora"
                                                                           << "@/real/bin";
        QTest::newRow("chain of links") << "@" << noPath << "./c1"
                                        << "@/real/bin";
        QTest::newRow("bare name found in the second search entry") << "@"
                                                                    << "@/path1:@/path2"
                                                                    << "prog2"
                                                                    << "@/path2";
        QTest::newRow("search entry holding a directory of that name is passed over") << "@"
                                                                                      << "@/path3:@/path2"
                                                                                      << "prog2"
                                                                                      << "@/path2";
        QTest::newRow("relative search entry taken against the current directory") << "@/real"
                                                                                   << "bin"
                                                                                   << "prog"
                                                                                   << "@/real/bin";
        QTest::newRow("bare name that is a link in the search path") << "@"
                                                                     << "@/path1:@/bin2"
                                                                     << "velmora"
                                                                     << "@/real/bin";
        QTest::newRow("bare name found nowhere") << "@"
                                                 << "@/path1:@/path3"
                                                 << "prog" << NullMark;
        QTest::newRow("absolute path to nothing") << "@" << noPath << "@/real/bin/none" << NullMark;
        QTest::newRow("relative path to nothing") << "@" << noPath << "real/none" << NullMark;
        QTest::newRow("dangling link") << "@" << noPath << "./dangling" << NullMark;
        QTest::newRow("link loop") << "@" << noPath << "./loopA" << NullMark;
        QTest::newRow("empty program name") << "@" << noPath << "" << NullMark;
    }
    void applicationDir()
    {
        QFETCH(QString, cwd);
        QFETCH(QString, path);
        QFETCH(QString, argv0);
        QFETCH(QString, expected);
        QVERIFY(QDir::setCurrent(expand(m_root, cwd)));
        qputenv("PATH", QFile::encodeName(expand(m_root, path)));

        const QString dir = GetApplicationDir(QFile::encodeName(expand(m_root, argv0)));
        QCOMPARE(dir, expand(m_root, expected));
        QCOMPARE(dir.isNull(), expected == NullMark);
    }

    void resolveSymLinks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no link anywhere") << "@/real/bin/prog"
                                          << "@/real/bin/prog";
        QTest::newRow("link in a directory component") << "@/link/bin/prog"
                                                       << "@/real/bin/prog";
        QTest::newRow("rest of the path kept after a linked prefix") << "@/link/bin/not-there"
                                                                     << "@/real/bin/not-there";
        QTest::newRow("relative target with dot-dot") << "@/bin2/velmora"
                                                      << "@/real/bin/prog";
        QTest::newRow("link to a link through a linked directory") << "@/c1"
                                                                   << "@/real/bin/prog";
        QTest::newRow("127 links in a chain still resolve") << "@/short0"
                                                            << "@/real/bin/prog";
        QTest::newRow("128 links in a chain hit the depth limit") << "@/long0" << NullMark;
        QTest::newRow("two links pointing at each other") << "@/loopA" << NullMark;
    }
    void resolveSymLinks()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        const QString resolved = ResolveSymLinks(expand(m_root, path), 0);
        QCOMPARE(resolved, expand(m_root, expected));
        QCOMPARE(resolved.isNull(), expected == NullMark);
    }

    void systemLocale_data()
    {
        QTest::addColumn<QByteArray>("environment");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("logged");
        QTest::newRow("plain C") << QByteArray("C") << "C"
                                 << "::GetSystemLocale: setlocale: ret=<C>";
        QTest::newRow("first two characters only") << QByteArray("C.UTF-8") << "C."
                                                   << "::GetSystemLocale: setlocale: ret=<C.UTF-8>";
        QTest::newRow("unknown locale gives empty text") << QByteArray("xx_YY.nowhere") << ""
                                                         << "::GetSystemLocale: setlocale: ret=<>";
    }
    void systemLocale()
    {
        QFETCH(QByteArray, environment);
        QFETCH(QString, expected);
        QFETCH(QString, logged);
        const QByteArray savedAll = qgetenv("LC_ALL");
        const QByteArray savedCtype = std::setlocale(LC_CTYPE, nullptr);
        qputenv("LC_ALL", environment);

        LogCapture log;
        const QString code = GetSystemLocale();
        qputenv("LC_ALL", savedAll);
        std::setlocale(LC_CTYPE, savedCtype.constData());

        QCOMPARE(code, expected);
        QVERIFY(!code.isNull());
        QCOMPARE(log.lines(), QStringList{logged});
    }

    void centerWindow_data()
    {
        // Window size relative to the screen, and where the window must land.
        QTest::addColumn<QSize>("growth");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("smaller than the screen") << QSize(-200, -100) << QPoint(100, 50);
        QTest::newRow("odd difference rounds down") << QSize(-201, -3) << QPoint(100, 1);
        QTest::newRow("one pixel larger truncates toward zero") << QSize(1, 1) << QPoint(0, 0);
        QTest::newRow("three pixels larger truncates toward zero") << QSize(3, 5) << QPoint(-1, -2);
        QTest::newRow("much larger than the screen") << QSize(401, 300) << QPoint(-200, -150);
    }
    void centerWindow()
    {
        QFETCH(QSize, growth);
        QFETCH(QPoint, expected);
        QWidget window(nullptr, Qt::FramelessWindowHint);
        const QRect screen = window.screen()->geometry();
        QCOMPARE(screen.topLeft(), QPoint(0, 0));
        window.resize(screen.size() + growth);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.frameGeometry().size(), screen.size() + growth);

        CenterWindow(&window);
        QCOMPARE(window.pos(), expected);
    }

    void fontPixelSizeKeepsTheRestOfTheFont()
    {
        QLabel label;
        QFont font = label.font();
        font.setBold(true);
        font.setItalic(true);
        label.setFont(font);
        SetFontPixelSize(&label, 12);
        QCOMPARE(label.font().pixelSize(), 12);
        QVERIFY(label.font().bold());
        QVERIFY(label.font().italic());
    }

    void smallFontReachesEveryWidgetOfTheTree()
    {
        QWidget top;
        QWidget outsider;
        const int outsiderSize = outsider.font().pixelSize();
        auto *layout = new QVBoxLayout(&top);
        auto *label = new QLabel(QStringLiteral("label"));
        auto *group = new QGroupBox(QStringLiteral("group"));
        auto *inner = new QVBoxLayout(group);
        auto *check = new QCheckBox(QStringLiteral("deep"));
        auto *deeper = new QLabel(QStringLiteral("deeper"), check);
        inner->addWidget(check);
        layout->addWidget(label);
        layout->addWidget(group);
        QFont bold = check->font();
        bold.setBold(true);
        bold.setPixelSize(20);
        check->setFont(bold);

        SetSmallFontRecursive(&top);

        for (QWidget *widget : {&top, static_cast<QWidget *>(label), static_cast<QWidget *>(group),
                                static_cast<QWidget *>(check), static_cast<QWidget *>(deeper)})
            QCOMPARE(widget->font().pixelSize(), 10);
        QVERIFY(check->font().bold());
        QCOMPARE(outsider.font().pixelSize(), outsiderSize);
    }

    void imageByName()
    {
        QVERIFY(ImageFromMimeSource(QStringLiteral("no-such-picture.png")).isNull());
        QVERIFY(ImageFromMimeSource(QString()).isNull());

        // Beside the program: ../share/images as seen from the program directory.
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("share/images")));
        QImage picture(7, 5, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(m_root + QStringLiteral("/share/images/beside.png")));
        QVERIFY(QDir::setCurrent(m_root + QStringLiteral("/real")));
        const QImage found = ImageFromMimeSource(QStringLiteral("beside.png"));
        QCOMPARE(found.size(), QSize(7, 5));
        QVERIFY(ImageFromMimeSource(QStringLiteral("../images/beside.png")).isNull());
    }
};

QTEST_MAIN(TestFunctions)
#include "tst_functions.moc"
