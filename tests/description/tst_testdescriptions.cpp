// Guards the description files other suites read: each must be well-formed
// (or not) as its name promises, and the realistic sample must keep using
// every control keyword and every kind of rule with consistent ids.
#include "description/domparser.h"

#include <QFile>
#include <QSet>
#include <QTest>

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(VELMORA_TEST_DATA "/") + name;
}

const QStringList controlKeywords{
    "COMBOBOX",
    "INTEGER",
    "CHECKBOX",
    "STATICTEXT",
    "IPADDRESS",
    "FLOAT",
    "BUTTON",
    "GROUP",
    "POPUP",
    "SLIDER",
    "RADIOBUTTON",
    "ABOUT",
    "PHONEBOOK",
    "EDITBOX",
    "EMAILBOOK",
    "SUBNETMASK",
    "PAPERSIZE",
    "DIALEDITBOX",
    "BUTTON_TESTPAGE_HP_INK",
    "BUTTON_TESTPAGE_HP_INK_XML",
    "CARTRIDGE_CLEAN_HP_INK",
    "CARTRIDGE_CLEAN_HP_INK_XML",
    "CARTRIDGE_ALIGN_HP_INK_SFP",
    "CARTRIDGE_ALIGN_HP_INK_SFP_XML",
    "CARTRIDGE_ALIGN_HP_INK_MFP",
    "CARTRIDGE_ALIGN_HP_INK_MFP_XML",
    "USERBASEDADDRESSBOOK",
};

int countType(const QDomNode &node, const QString &type)
{
    int n = 0;
    for (QDomElement child = node.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.attribute(QStringLiteral("TYPE")) == type && child.hasAttribute(QStringLiteral("TYPE")))
            ++n;
        n += countType(child, type);
    }
    return n;
}

// Settings by id below the settings section, WirelessSetting blocks and
// address-book contents left out as the program leaves them out.
void collectSettings(const QDomElement &node, QHash<QString, QDomElement> &settings, QStringList &duplicates)
{
    for (QDomElement child = node.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.tagName() == QLatin1String("WirelessSetting"))
            continue;
        const QString type = child.attribute(QStringLiteral("TYPE"));
        if (controlKeywords.contains(type)) {
            if (settings.contains(child.tagName()))
                duplicates.append(child.tagName());
            settings.insert(child.tagName(), child);
            if (type == QLatin1String("GROUP") || type == QLatin1String("POPUP"))
                collectSettings(child, settings, duplicates);
        } else if (type.isEmpty() || type == QLatin1String("MAINTENANCE")) {
            collectSettings(child, settings, duplicates);
        }
    }
}

} // namespace

class TestTestDescriptions : public QObject
{
    Q_OBJECT
private slots:
    void wellFormedAsNamed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("wellFormed");
        QTest::addColumn<bool>("hasSettings");

        const QStringList plain{"all_control_keywords.xml",
                                "constraint_kinds.xml",
                                "duplicate_ids.xml",
                                "edit_current_mismatch.xml",
                                "extra_dependencies/extra_dependencies.xml",
                                "gateway_rule_builtin.xml",
                                "gateway_rule_existing.xml",
                                "group_popup_members.xml",
                                "is_selfchecked_spellings.xml",
                                "minimal_empty.xml",
                                "sample_mfp.xml",
                                "settings_in_top_category.xml",
                                "special_characters.xml",
                                "unknown_type_in_category.xml",
                                "wireless_setting_ignored.xml"};
        for (const QString &file : plain)
            QTest::newRow(qPrintable(file)) << file << true << true;
        QTest::newRow("extra_dependencies/dependencies.xml")
            << "extra_dependencies/dependencies.xml" << true << false;
        QTest::newRow("missing_printer_settings.xml") << "missing_printer_settings.xml" << true << false;
        QTest::newRow("not_well_formed.xml") << "not_well_formed.xml" << false << false;
    }
    void wellFormedAsNamed()
    {
        QFETCH(QString, file);
        QFETCH(bool, wellFormed);
        QFETCH(bool, hasSettings);

        QFile input(dataPath(file));
        QVERIFY2(input.exists(), qPrintable(input.fileName()));
        DomParser parser(&input);
        QCOMPARE(parser.isValid(), wellFormed);
        QCOMPARE(!parser.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo"))).isNull(),
                 hasSettings);
    }

    void keywordsOnceInTheKeywordFile_data()
    {
        QTest::addColumn<QString>("keyword");
        for (const QString &keyword : controlKeywords)
            QTest::newRow(qPrintable(keyword)) << keyword;
    }
    void keywordsOnceInTheKeywordFile()
    {
        QFETCH(QString, keyword);
        QFile input(dataPath(QStringLiteral("all_control_keywords.xml")));
        DomParser parser(&input);
        QCOMPARE(countType(parser.findPath({QStringLiteral("root")}), keyword), 1);
    }

    void sampleUsesEveryKeyword_data() { keywordsOnceInTheKeywordFile_data(); }
    void sampleUsesEveryKeyword()
    {
        QFETCH(QString, keyword);
        QFile input(dataPath(QStringLiteral("sample_mfp.xml")));
        DomParser parser(&input);
        const QDomNode settings =
            parser.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo")));
        QVERIFY(!parser.findByAttribute(settings, QStringLiteral("TYPE"), keyword).isNull());
    }

    void sampleRulesNameExistingSettings()
    {
        QFile input(dataPath(QStringLiteral("sample_mfp.xml")));
        DomParser parser(&input);
        QVERIFY(parser.isValid());
        QHash<QString, QDomElement> settings;
        QStringList duplicates;
        collectSettings(
            parser.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo"))).toElement(),
            settings, duplicates);
        QVERIFY2(duplicates.isEmpty(), qPrintable(duplicates.join(',')));

        QSet<QString> kinds;
        int references = 0;
        int refAttributes = 0;
        const QDomElement deps =
            parser.findPath(DomParser::splitPath(QStringLiteral("root/Dependencies"))).toElement();
        for (QDomElement dep = deps.firstChildElement(); !dep.isNull(); dep = dep.nextSiblingElement()) {
            QVERIFY2(settings.contains(dep.tagName()), qPrintable(dep.tagName()));
            for (QDomElement rule = dep.firstChildElement(); !rule.isNull();
                 rule = rule.nextSiblingElement()) {
                kinds.insert(rule.tagName());
                for (QDomElement cond = rule.firstChildElement(QStringLiteral("Condition")); !cond.isNull();
                     cond = cond.nextSiblingElement(QStringLiteral("Condition"))) {
                    QVERIFY(!cond.firstChildElement().isNull());
                    for (QDomElement node = cond.firstChildElement(); !node.isNull();
                         node = node.nextSiblingElement())
                        QVERIFY2(settings.contains(node.tagName()), qPrintable(node.tagName()));
                }
                const QDomElement attrs = rule.firstChildElement(QStringLiteral("Attributes"));
                for (QDomElement a = attrs.firstChildElement(); !a.isNull(); a = a.nextSiblingElement()) {
                    QVERIFY(a.hasAttribute(QStringLiteral("NAME")) &&
                            a.hasAttribute(QStringLiteral("VALUE")));
                    if (a.tagName() == QLatin1String("RefAttribute")) {
                        ++refAttributes;
                        QVERIFY(settings.contains(a.attribute(QStringLiteral("NAME")).section('#', 0, 0)));
                    }
                    if (a.attribute(QStringLiteral("REF")).toUpper() == QLatin1String("TRUE")) {
                        ++references;
                        const QStringList ref =
                            a.attribute(QStringLiteral("VALUE")).split('#', Qt::SkipEmptyParts);
                        QCOMPARE(ref.size(), 3);
                        QCOMPARE(settings.value(ref.first()).attribute(QStringLiteral("TYPE")),
                                 QStringLiteral("PAPERSIZE"));
                        QVERIFY(settings.value(ref.first()).firstChildElement().hasAttribute(ref.at(2)));
                    }
                }
            }
        }
        QCOMPARE(kinds, (QSet<QString>{"Disable", "Enable", "Hide", "Constraint"}));
        QVERIFY(references >= 1);
        QVERIFY(refAttributes >= 1);
        // The gateway check is left to the program's built-in rule.
        QVERIFY(settings.contains(QStringLiteral("IPAddress")));
        QCOMPARE(settings.value(QStringLiteral("SubnetMask")).attribute(QStringLiteral("TYPE")),
                 QStringLiteral("IPADDRESS"));
        QVERIFY(settings.contains(QStringLiteral("Gateway")));
        QVERIFY(parser.document().elementsByTagName(QStringLiteral("GatewayValidity")).isEmpty());
    }

    void sampleListCurrentValuesAreOptions()
    {
        QFile input(dataPath(QStringLiteral("sample_mfp.xml")));
        DomParser parser(&input);
        QHash<QString, QDomElement> settings;
        QStringList duplicates;
        collectSettings(
            parser.findPath(DomParser::splitPath(QStringLiteral("root/PrinterSettingsInfo"))).toElement(),
            settings, duplicates);
        const QStringList listTypes{"COMBOBOX", "CHECKBOX", "RADIOBUTTON", "PAPERSIZE"};
        int lists = 0;
        for (const QDomElement &setting : std::as_const(settings)) {
            if (!listTypes.contains(setting.attribute(QStringLiteral("TYPE"))))
                continue;
            ++lists;
            QStringList options;
            for (QDomElement o = setting.firstChildElement(); !o.isNull(); o = o.nextSiblingElement())
                options.append(o.tagName());
            for (const QString &key : {QStringLiteral("CURRENT"), QStringLiteral("FACTORY")})
                QVERIFY2(options.contains(setting.attribute(key)), qPrintable(setting.tagName() + ' ' + key));
        }
        QVERIFY(lists >= 8);
    }

    void extraDependencyFileHasThreeEntries()
    {
        QFile input(dataPath(QStringLiteral("extra_dependencies/dependencies.xml")));
        DomParser parser(&input);
        const QDomElement deps =
            parser.findPath(DomParser::splitPath(QStringLiteral("root/Dependencies"))).toElement();
        QStringList ids;
        for (QDomElement dep = deps.firstChildElement(); !dep.isNull(); dep = dep.nextSiblingElement())
            ids.append(dep.tagName());
        QCOMPARE(ids, (QStringList{"Binding", "Duplex", "PaperSize"}));
    }
};

QTEST_GUILESS_MAIN(TestTestDescriptions)
#include "tst_testdescriptions.moc"
