// The change document the device receives: its exact text, what each kind
// of setting contributes, and that every build starts from nothing.
#include "common/testelements.h"
#include "model/changegenerator.h"

#include <QFile>
#include <QTest>

#include <memory>
#include <tuple>
#include <vector>

namespace {

// Id, control keyword, whether it is a value setting, its value.
using Entry = std::tuple<QString, QByteArray, bool, QString>;
using Entries = QList<Entry>;

// The build the description parser performs: empty the document, then append
// each setting below root/PrinterSettingsInfo, which must be made only once.
QString build(ChangeGenerator &generator, const Entries &entries)
{
    std::vector<std::unique_ptr<Element>> settings;
    generator.reset();
    for (const auto &[id, keyword, concrete, current] : entries) {
        settings.emplace_back(concrete ? new TestValueElement(id, current, keyword)
                                       : new Element(keyword, nullptr, nullptr));
        settings.back()->setId(id);
        generator.ensurePath({"root", "PrinterSettingsInfo"})
            .appendChild(generator.createDescription(settings.back().get()));
    }
    return generator.getChanges();
}

QString golden(const QString &name)
{
    QFile file(QStringLiteral(VELMORA_TEST_DATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "<missing " + name + ">";
}

} // namespace

Q_DECLARE_METATYPE(Entries)

class TestChangeGenerator : public QObject
{
    Q_OBJECT
    ChangeGenerator m_generator; // shared, so each build also shows the reset

private slots:
    void documents_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("file");
        QTest::newRow("button press")
            << Entries{{"RestoreFactory", "BUTTON", false, {}}} << "button_press.xml";
        QTest::newRow("escaping; non-Latin-1 and percent in ids and values")
            << Entries{{"HostName", "EDITBOX", true, "My \"Office\" & <Lab>"},
                       {"Owner", "EDITBOX", true, "O'Brien's &amp; co"},
                       {"Qualität", "COMBOBOX", true, "Größe 100%"},
                       {"Плотность", "SLIDER", true, "%s%d%n%%"},
                       {"FaxHeader", "EDITBOX", true, "東京オフィス €5"},
                       {"Level%s%n", "INTEGER", true, "50%"}}
            << "escaping.xml";
        // Only the plain button and the four maintenance kinds sent through
        // the change document are pressed; a null value is written empty.
        QTest::newRow("every kind of setting")
            << Entries{{"Copies", "INTEGER", true, "3"},
                       {"Orientation", "RADIOBUTTON", true, {}},
                       {"PaperGroup", "GROUP", false, {}},
                       {"PhoneBook", "PHONEBOOK", false, {}},
                       {"Restore", "BUTTON", false, {}},
                       {"TestPageXml", "BUTTON_TESTPAGE_HP_INK_XML", false, {}},
                       {"CleanHeadsXml", "CARTRIDGE_CLEAN_HP_INK_XML", false, {}},
                       {"AlignSfpXml", "CARTRIDGE_ALIGN_HP_INK_SFP_XML", false, {}},
                       {"AlignMfpXml", "CARTRIDGE_ALIGN_HP_INK_MFP_XML", false, {}},
                       {"TestPage", "BUTTON_TESTPAGE_HP_INK", false, {}},
                       {"CleanHeads", "CARTRIDGE_CLEAN_HP_INK", false, {}}}
            << "mixed_kinds.xml";
        // Follows the larger documents: nothing of them is left in this one.
        QTest::newRow("rebuilt after others")
            << Entries{{"Copies", "INTEGER", true, "3"}, {"Density", "SLIDER", true, "-2"}}
            << "changed_value.xml";
        QTest::newRow("nothing to send") << Entries{} << QString();
    }
    void documents()
    {
        QFETCH(Entries, entries);
        QFETCH(QString, file);
        const QString document = build(m_generator, entries);
        if (file.isNull())
            QVERIFY(document.isNull());
        else
            QCOMPARE(document, golden(file));
    }

    void valuesSurviveAReadBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("markup") << "<b>&amp;</b> ]]> &#x41; \"'";
        QTest::newRow("non-Latin-1 beyond the basic plane") << "Ωmega Жук 東京 😀";
        QTest::newRow("line feed, tab and outer blanks") << "  two\nlines\tand tab  ";
    }
    void valuesSurviveAReadBack()
    {
        QFETCH(QString, value);
        const QString text = build(m_generator, {{"Value", "EDITBOX", true, value}});
        QCOMPARE(text.split('\n').size(), 6);
        DomParser reread(text);
        const QDomNode node = reread.findPath({"root", "PrinterSettingsInfo", "Value"});
        QCOMPARE(reread.attribute(node, "CURRENT"), value);
    }
};

QTEST_GUILESS_MAIN(TestChangeGenerator)
#include "tst_changegenerator.moc"
