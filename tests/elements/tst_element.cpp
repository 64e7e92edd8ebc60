#include "description/nodedesc.h"
#include "description/papersizeparameter.h"
#include "elements/elementtype.h"
#include "valuefixtures.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

class TestElement : public QObject
{
    Q_OBJECT

private slots:
    void settingType_data()
    {
        addColumns<QByteArray, int, int, QString>({"keyword", "type", "keywordType", "name"});
        // An absent keyword is an unknown control, but reads as an empty one.
        addRow("absent", QByteArray(), 0, 1, "stUnknown");
        addRow("empty", QByteArray(""), 1, 1, "stUnknown");
        addRow("lower case is unknown", QByteArray("combobox"), 0, 0, "stUnknown");
        addRow("trailing blank is unknown", QByteArray("POPUP "), 0, 0, "stUnknown");
        addRow("subnet mask out of sequence", QByteArray("SUBNETMASK"), 17, 17, "stSubnetMask");
        addRow("maintenance", QByteArray("MAINTENANCE"), 20, 20, "stInkJetMaintenance");
        addRow("last maintenance kind", QByteArray("CARTRIDGE_ALIGN_HP_INK_MFP_XML"), 28, 28,
               "stInkCartridgeAlignMFP_XML");
        addRow("address book", QByteArray("USERBASEDADDRESSBOOK"), 29, 29, "stAddressBook");
    }
    void settingType()
    {
        QFETCH(QByteArray, keyword);
        Element element(keyword, nullptr, nullptr);
        QTEST(element.type(), "type");
        QTEST(QString::fromLatin1(element.typeName()), "name");
        QTEST(ElementTypeFromKeyword(keyword.isNull() ? QString() : QString::fromLatin1(keyword)),
              "keywordType");
    }

    void textsStartEmptyButNotNull()
    {
        Element member("BUTTON", nullptr, nullptr);
        NodeDesc category("Network", QString(), nullptr);
        Parameter option;
        for (const QString &text : {member.id(), member.string(), member.title(), member.desc(),
                                    category.title(), category.desc(), option.id()}) {
            QVERIFY(!text.isNull());
            QVERIFY(text.isEmpty());
        }
        QVERIFY(member.temp().isNull());
        QVERIFY(category.string().isNull());
        // Paper sizes default to "0", but a null written by the builder stays null.
        PaperSizeParameter size;
        QCOMPARE(size.property("maxtopmargin").toString(), QString("0"));
        size.setLinesPortrait(QString());
        QVERIFY(size.property("linesportrait").toString().isNull());
    }

    void ruleKinds_data()
    {
        addColumns<int, QString, bool, bool, QString>(
            {"kind", "mode", "enabledBefore", "enabledAfter", "visibleReports"});
        addRow("disable, condition holds", int(Constraint::Disable), "on", true, false, "");
        addRow("disable, condition fails", int(Constraint::Disable), "off", false, true, "");
        addRow("enable, condition holds", int(Constraint::Enable), "on", false, true, "");
        addRow("enable, condition fails", int(Constraint::Enable), "off", true, false, "");
        addRow("hide, condition holds", int(Constraint::Hide), "on", true, true, "false");
        addRow("hide, condition fails", int(Constraint::Hide), "off", true, true, "true");
        addRow("gateway kind does nothing here", int(Constraint::GatewayValidity), "on", true, true, "");
        addRow("unknown kind does nothing", int(Constraint::Other), "on", true, true, "");
    }
    void ruleKinds()
    {
        QFETCH(int, kind);
        QFETCH(QString, mode);
        QFETCH(bool, enabledBefore);
        QFETCH(QString, visibleReports);
        TestValueElement modeSetting("Mode", mode);
        // Once on a shown control, once on a setting that has none.
        for (const bool withControl : {true, false}) {
            TestValueElement setting("Level");
            Panel panel;
            auto *edit = new QLineEdit(&panel);
            edit->setEnabled(enabledBefore);
            panel.show();
            if (withControl)
                setting.setControl(edit);
            Dependency rules("Level", &setting);
            rules.constraints.push_back(ruleOn(kind, &modeSetting, "on"));
            setting.setDependency(&rules);

            QSignalSpy visible(&setting, &Element::visibleChanged);
            QVERIFY(setting.checkConstraints(&modeSetting, false));
            QCOMPARE(reported(visible).join(','), visibleReports);
            if (withControl) {
                QTEST(edit->isEnabled(), "enabledAfter");
                QCOMPARE(edit->isVisible(), visibleReports != "false");
            }
        }
    }

    void checkFiltersBySourceAndSelfCheck()
    {
        TestValueElement mode("Mode", "on");
        TestValueElement media("Media", "plain");
        TestValueElement setting("Level");
        QWidget panel;
        QLineEdit edit(&panel);
        setting.setControl(&edit);
        Dependency rules("Level", &setting);
        rules.constraints.push_back(ruleOn(Constraint::Hide, &mode, "on"));
        rules.constraints.push_back(ruleOn(Constraint::Disable, &media, "plain", false));
        setting.setDependency(&rules);
        QSignalSpy visible(&setting, &Element::visibleChanged);

        // A source no rule names changes nothing.
        TestValueElement stranger("Other", "on");
        QVERIFY(setting.checkConstraints(&stranger, false));
        QCOMPARE(visible.size(), 0);
        // A self-check skips the rule that is not self-checked.
        QVERIFY(setting.checkConstraints(nullptr, true));
        QCOMPARE(visible.size(), 1);
        QVERIFY(edit.isEnabled());
        // A check started by a source takes only the rules naming it.
        QVERIFY(setting.checkConstraints(&media, false));
        QCOMPARE(visible.size(), 1);
        QVERIFY(!edit.isEnabled());
    }

    void baseControlIsUnknownLabel()
    {
        Element element("MAINTENANCE", nullptr, nullptr);
        Panel panel;
        QPointer<QWidget> created = element.createControl(&panel);
        QCOMPARE(qobject_cast<QLabel *>(created)->text(), QString("Unknown control type"));
        element.deleteControl();
        QVERIFY(created.isNull());
        QCOMPARE(element.control(), nullptr);

        // A control deleted together with its panel is forgotten.
        {
            QWidget other;
            element.createControl(&other);
        }
        QCOMPARE(element.control(), nullptr);
        element.hideControl();
        element.deleteControl();
    }
};

QTEST_MAIN(TestElement)
#include "tst_element.moc"
