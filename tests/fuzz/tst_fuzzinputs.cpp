// Replays inputs through the same harness the fuzz targets use: those that
// once made a target fail, and a few at the edges of what a target feeds in
// (a refused depth or length, a translation entry without its Value, which
// must not end the process here). Each lies in data/<target>/; its extension
// says what the input must come to: ".accepted" a description that gives a
// tree (or, for the device, one fetched), ".refused" none. Under the
// sanitizer build of CI any memory or undefined-behaviour fault fails the
// run too.
#include "fuzz/harness.h"

#include <QDir>
#include <QTest>

#include <functional>

namespace {

using Entry = std::function<bool(const QByteArray &)>;

Entry entryOf(const QString &target)
{
    if (target == QLatin1String("fuzz_description"))
        return FuzzDescription;
    if (target == QLatin1String("fuzz_dependencies"))
        return FuzzDependencies;
    if (target == QLatin1String("fuzz_translation"))
        return FuzzTranslation;
    if (target == QLatin1String("fuzz_device"))
        return FuzzDevice;
    return nullptr;
}

} // namespace

class TestFuzzInputs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetUpFuzzing(); }

    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("accepted");
        const QDir data(QStringLiteral(VELMORA_TEST_DATA));
        for (const QString &target : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QFileInfo &input : QDir(data.filePath(target)).entryInfoList(QDir::Files)) {
                QTest::addRow("%s/%s", qPrintable(target), qPrintable(input.fileName()))
                    << target << input.filePath() << (input.suffix() == QLatin1String("accepted"));
            }
        }
    }
    void replay()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        const Entry entry = entryOf(target);
        QVERIFY2(entry, qPrintable("no fuzz target " + target));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(entry(file.readAll()), accepted);
    }
};

QTEST_MAIN(TestFuzzInputs)
#include "tst_fuzzinputs.moc"
