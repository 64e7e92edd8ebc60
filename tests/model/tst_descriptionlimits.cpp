// The hard bounds on one description: a description with exactly as many of
// a kind as its limit allows is read; one more refuses the whole
// description (no tree, no rules) with one log line. Texts past the length
// limit are not read at all.
#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/logcapture.h"

namespace {

QString description(const QString &settings, const QString &rules = QString())
{
    return "<root><PrinterSettingsInfo><C>" + settings + "</C></PrinterSettingsInfo><Dependencies>" + rules +
           "</Dependencies></root>";
}

} // namespace

class TestDescriptionLimits : public QObject
{
    Q_OBJECT
    ScratchDir m_dir;

private slots:
    // The count is what the description holds of that kind, the category C
    // and the built-in gateway rule (a record, its constraint, a condition
    // with two tests) included.
    void oneKind_data()
    {
        addColumns<int, QString, int, QString>({"kind", "text", "count", "what"});
        addRow("settings", int(DescriptionLimits::Settings),
               description("<A TYPE=\"INTEGER\"/><B TYPE=\"BUTTON\"/>"), 3, "settings and categories");
        addRow("categories", int(DescriptionLimits::Settings), description("<D><E/></D>"), 3,
               "settings and categories");
        addRow("group members", int(DescriptionLimits::Settings),
               description("<G TYPE=\"GROUP\"><A TYPE=\"INTEGER\"/><F TYPE=\"POPUP\"><B TYPE=\"SLIDER\"/>"
                           "</F></G>"),
               5, "settings and categories");
        addRow("options", int(DescriptionLimits::Options),
               description("<L TYPE=\"COMBOBOX\"><a/><b/></L><P TYPE=\"PAPERSIZE\"><A4/></P>"), 3, "options");
        addRow("records and constraints", int(DescriptionLimits::Rules),
               description("", "<A><Disable/><Hide/></A><B/>"), 6, "rules");
        addRow("conditions and tests", int(DescriptionLimits::Conditions),
               description("", "<A><Hide><Condition><X/><Y/></Condition><Condition/></Hide></A>"), 7,
               "conditions and tests");
        addRow("values and attribute changes", int(DescriptionLimits::Changes),
               description("", "<A><Constraint><Value><x/><y/></Value><Attributes><Attribute NAME=\"n\" "
                               "VALUE=\"v\"/><RefAttribute NAME=\"B#max\" VALUE=\"1\"/></Attributes>"
                               "</Constraint></A>"),
               4, "values and attribute changes");
    }
    void oneKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, what);
        const auto limited = DescriptionLimits::Kind(kind);

        SettingsParser parser(text);
        parser.limits().setLimit(limited, count);
        QVERIFY(parser.parse());
        QVERIFY(parser.root() && !parser.dependencies().empty());

        LogCapture log;
        parser.limits().setLimit(limited, count - 1);
        QVERIFY(!parser.parse());
        QVERIFY(!parser.root() && parser.dependencies().empty());
        const QString line = QString("SettingsParser: the description holds more than %1 %2 and is refused")
                                 .arg(count - 1)
                                 .arg(what);
        QCOMPARE(log.count(line), 1);

        // The counts start again with every parse.
        parser.limits().setLimit(limited, count);
        QVERIFY(parser.parse() && parser.root());
    }

    void overlongTexts()
    {
        LogCapture log;
        const QString refused = "DomParser: the document is longer than 67108864 characters and is not read";
        // A well-formed description one character past the limit.
        QString text = description("<A TYPE=\"INTEGER\"/>");
        text += QString(DomParser::MaxTextLength + 1 - text.size(), QLatin1Char(' '));
        SettingsParser parser;
        QVERIFY(!parser.setContent(text));
        text.clear();
        QVERIFY(!parser.parse() && !parser.root());
        QCOMPARE(log.count(refused), 1);

        // A file is refused by its size, before anything is read.
        QFile file(m_dir.dir.filePath("long.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(DomParser::MaxTextLength + 1));
        file.close();
        SettingsParser fromFile(&file);
        QVERIFY(!fromFile.isValid());
        QCOMPARE(log.count(refused), 2);
    }
};

QTEST_GUILESS_MAIN(TestDescriptionLimits)
#include "tst_descriptionlimits.moc"
