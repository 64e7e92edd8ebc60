#include "common/logcapture.h"
#include "device/changegenerator.h"
#include "elements/element.h"

#include <QFile>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// A setting of a given control keyword; value settings publish their value
// as the "current" property, which is all the generator reads.
class FakeSetting : public Element
{
    Q_OBJECT
    Q_PROPERTY(QString current MEMBER m_current)
public:
    FakeSetting(const QString &id, const QByteArray &keyword, bool concrete, const QString &current)
        : Element(keyword, nullptr, nullptr), m_concrete(concrete), m_current(current)
    {
        setId(id);
    }
    bool isConcrete() const override { return m_concrete; }

private:
    bool m_concrete;
    QString m_current;
};

struct Entry
{
    QString id;
    QByteArray keyword;
    bool concrete;
    QString current;
};
using Entries = QList<Entry>;

const QStringList settingsPath{QStringLiteral("root"), QStringLiteral("PrinterSettingsInfo")};

// The build the description parser performs: empty the document, then append
// each setting below root/PrinterSettingsInfo, which must be made only once.
QString build(ChangeGenerator &generator, const Entries &entries)
{
    std::vector<std::unique_ptr<FakeSetting>> settings;
    generator.reset();
    for (const Entry &entry : entries) {
        settings.push_back(
            std::make_unique<FakeSetting>(entry.id, entry.keyword, entry.concrete, entry.current));
        generator.ensurePath(settingsPath).appendChild(generator.createDescription(settings.back().get()));
    }
    return generator.getChanges();
}

QString golden(const QString &name)
{
    QFile file(QStringLiteral(VELMORA_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing golden file %1>").arg(name);
    return QString::fromUtf8(file.readAll());
}

} // namespace

Q_DECLARE_METATYPE(Entries)

class TestChangeGenerator : public QObject
{
    Q_OBJECT
private slots:
    void documents_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("file");

        QTest::newRow("changed values")
            << Entries{{"Copies", "INTEGER", true, "3"}, {"Density", "SLIDER", true, "-2"}}
            << "changed_value.xml";
        QTest::newRow("button press")
            << Entries{{"RestoreFactory", "BUTTON", false, {}}} << "button_press.xml";
        QTest::newRow("quote, ampersand and less-than escaped")
            << Entries{{"HostName", "EDITBOX", true, "My \"Office\" & <Lab>"},
                       {"Owner", "EDITBOX", true, "O'Brien's &amp; co"}}
            << "escaping.xml";
        QTest::newRow("non-Latin-1 and percent, in ids and values")
            << Entries{{"Qualität", "COMBOBOX", true, "Größe 100%"},
                       {"Плотность", "SLIDER", true, "%s%d%n%%"},
                       {"FaxHeader", "EDITBOX", true, "東京オフィス €5"},
                       {"Level%s%n", "INTEGER", true, "50%"}}
            << "non_latin1_percent.xml";
        // Only the plain button and the four maintenance kinds sent through
        // the change document are pressed; a null value is written empty.
        QTest::newRow("every kind of setting")
            << Entries{{"Copies", "INTEGER", true, "3"},
                       {"Orientation", "RADIOBUTTON", true, {}},
                       {"PaperGroup", "GROUP", false, {}},
                       {"NetworkPopup", "POPUP", false, {}},
                       {"AboutBox", "ABOUT", false, {}},
                       {"PhoneBook", "PHONEBOOK", false, {}},
                       {"Restore", "BUTTON", false, {}},
                       {"TestPageXml", "BUTTON_TESTPAGE_HP_INK_XML", false, {}},
                       {"CleanHeadsXml", "CARTRIDGE_CLEAN_HP_INK_XML", false, {}},
                       {"AlignSfpXml", "CARTRIDGE_ALIGN_HP_INK_SFP_XML", false, {}},
                       {"AlignMfpXml", "CARTRIDGE_ALIGN_HP_INK_MFP_XML", false, {}},
                       {"TestPage", "BUTTON_TESTPAGE_HP_INK", false, {}},
                       {"CleanHeads", "CARTRIDGE_CLEAN_HP_INK", false, {}},
                       {"AlignMfp", "CARTRIDGE_ALIGN_HP_INK_MFP", false, {}}}
            << "mixed_kinds.xml";
    }
    void documents()
    {
        QFETCH(Entries, entries);
        QFETCH(QString, file);
        ChangeGenerator generator;
        QCOMPARE(build(generator, entries), golden(file));
    }

    void emptySetGivesNullTextAndTraceLines()
    {
        ChangeGenerator generator;
        LogCapture log;
        QVERIFY(generator.getChanges().isNull());
        QVERIFY(!build(generator, {{"Restore", "BUTTON", false, {}}}).isNull());
        QVERIFY(build(generator, {}).isNull());
        QCOMPARE(log.lines(), (QStringList{"ChangeGenerator::getChanges() started",
                                           "ChangeGenerator::createDescription: ie->typeName()=<stButton>",
                                           "ChangeGenerator::getChanges() started",
                                           "ChangeGenerator::getChanges() started"}));
    }

    void twoBuildsInARow()
    {
        ChangeGenerator generator;
        QVERIFY(build(generator, {{"HostName", "EDITBOX", true, "first"}, {"Restore", "BUTTON", false, {}}})
                    .contains(QStringLiteral("HostName")));
        QCOMPARE(build(generator, {{"Copies", "INTEGER", true, "3"}, {"Density", "SLIDER", true, "-2"}}),
                 golden(QStringLiteral("changed_value.xml")));
    }

    void valuesSurviveAReadBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("markup") << "<b>&amp;</b> ]]> &#x41; \"'";
        QTest::newRow("non-Latin-1 beyond the basic plane") << "Ωmega Жук 東京 😀";
        QTest::newRow("line feed, tab and outer blanks") << "  two\nlines\tand tab  ";
        QTest::newRow("empty") << "";
    }
    void valuesSurviveAReadBack()
    {
        QFETCH(QString, value);
        ChangeGenerator generator;
        const QString text = build(generator, {{"Value", "EDITBOX", true, value}});
        QCOMPARE(text.split(QLatin1Char('\n')).size(), 6);
        DomParser reread(text);
        QVERIFY(reread.isValid());
        const QDomNode node =
            reread.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo/Value")));
        QCOMPARE(reread.attribute(node, QStringLiteral("CURRENT")), value);
    }
};

QTEST_GUILESS_MAIN(TestChangeGenerator)
#include "tst_changegenerator.moc"
