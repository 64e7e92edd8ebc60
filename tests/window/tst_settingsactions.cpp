#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/messageboxrecorder.h"
#include "common/programfaults.h"
#include "common/treerows.h"
#include "controller/iconfigurator.h"
#include "model/concreteelement.h"
#include "model/formelement.h"
#include "model/nodedesc.h"
#include "widgets/popupform.h"
#include "window/settingsdialog.h"
#include "window/settingsviewitem.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <utility>

namespace {

using Sent = std::pair<QString, QString>; // the id asked for, the document it gave

// The controller as the window sees it: the parsed description answers each
// apply with the change document it gives for the id, which is recorded,
// and the device takes it unless a refusal is scripted.
class RecordingConfigurator : public IConfigurator
{
public:
    explicit RecordingConfigurator(std::unique_ptr<SettingsParser> parser) : m_parser(std::move(parser)) {}

    NodeDesc *loadSettings() override { return m_parser->root(); }
    bool applySettings(const QString &id) override
    {
        const QString document = m_parser->getChanges(id);
        sent.append({id, document});
        m_failure = document.isEmpty() ? QString() : refusal;
        return !document.isEmpty() && refusal.isEmpty();
    }
    QString lastFailure() const override { return m_failure; }
    bool phoneBookStart() override { return started(QStringLiteral("phone")); }
    bool emailBookStart() override { return started(QStringLiteral("email")); }
    bool addressBookStart() override { return started(QStringLiteral("address")); }

    Element *element(const QString &id) const { return m_parser->findElement(id); }

    QString refusal; // why the device does not take what it is sent; empty: it does
    QList<Sent> sent;
    QStringList books;

private:
    bool started(const QString &book)
    {
        books << book;
        return true;
    }
    std::unique_ptr<SettingsParser> m_parser;
    QString m_failure;
};

// The change document holding the given setting lines.
QString changeDocument(const QStringList &settings)
{
    QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n <PrinterSettingsInfo>\n");
    for (const QString &setting : settings)
        text += QStringLiteral("  ") + setting + QLatin1Char('\n');
    return text + QStringLiteral(" </PrinterSettingsInfo>\n</root>");
}

// The settings window on a recording controller; every box it shows is
// answered and kept, from the check after loading on.
struct ShownActions
{
    MessageBoxRecorder boxes;
    RecordingConfigurator device;
    SettingsDialog dialog;

    explicit ShownActions(
        std::unique_ptr<SettingsParser> parser = parsedFile(QStringLiteral("window_actions.xml")))
        : device(std::move(parser))
    {
        dialog.initialize(&device, QStringLiteral("Test printer"));
        dialog.show();
    }

    SettingsViewItem *row(const QString &id) const { return TreeRow(dialog.paramList, id); }
    ConcreteElement *setting(const QString &id) const
    {
        return qobject_cast<ConcreteElement *>(device.element(id));
    }
    void select(const QString &id) { dialog.paramList->setCurrentItem(row(id)); }
    // Presses the push button that the selected setting shows in the panel.
    void pressPanelButton()
    {
        auto *button = dialog.panel->findChild<QPushButton *>();
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void apply() { QTest::mouseClick(dialog.applyBtn, Qt::LeftButton); }
};

// Replaces the text of a setting's input as a user would.
void type(ConcreteElement *setting, const QString &text)
{
    auto *edit = setting->control()->findChild<QLineEdit *>();
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

const QString Refusal = QStringLiteral("The printer refused the settings (status 1).");

} // namespace

class TestSettingsActions : public QObject
{
    Q_OBJECT
private slots:
    void init() { FailOnProgramFaults(); }

    void initTestCase()
    {
        // The folder pictures are found beside the program, as in a run.
        QVERIFY(QDir::setCurrent(QStringLiteral(VELMORA_STAGE_DIR "/bin")));
    }

    void applySendsTheChangesAndCommitsThem_data()
    {
        addColumns<QStringList, QStringList, QStringList>({"changes", "document", "boldRows"});
        addRow("one setting", QStringList{"Darkness=7"}, QStringList{R"(<Darkness CURRENT="7" />)"},
               QStringList{"Darkness"});
        addRow("settings in a group and a pop-up form", QStringList{"Port=8080", "RelayOn=0", "Darkness=7"},
               QStringList{R"(<Darkness CURRENT="7" />)", R"(<RelayOn CURRENT="0" />)",
                           R"(<Port CURRENT="8080" />)"},
               QStringList{"Darkness", "Relay"});
        addRow("a value with markup", QStringList{"Owner=a&b"}, QStringList{R"(<Owner CURRENT="a&amp;b" />)"},
               QStringList{"Owner"});
    }
    void applySendsTheChangesAndCommitsThem()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, document);
        QFETCH(QStringList, boldRows);
        ShownActions shown;
        for (const QString &change : changes)
            shown.setting(change.section('=', 0, 0))->setCurrent(change.section('=', 1));
        for (const QString &id : boldRows)
            QVERIFY2(shown.row(id)->isValueBold(), qPrintable(id));
        QVERIFY(shown.dialog.applyBtn->isEnabled());

        shown.apply();
        QCOMPARE(shown.device.sent, QList<Sent>({{QString(""), changeDocument(document)}}));
        QCOMPARE(shown.boxes.count(), 0);
        QVERIFY(!shown.dialog.applyBtn->isEnabled());
        for (const QString &id : boldRows)
            QVERIFY2(!shown.row(id)->isValueBold(), qPrintable(id));
        for (const QString &change : changes) {
            ConcreteElement *setting = shown.setting(change.section('=', 0, 0));
            QCOMPARE(setting->initial(), change.section('=', 1));
            QCOMPARE(setting->objectName(), change.section('=', 1));
        }

        // Committed values are the device's: a second Apply has nothing to send.
        shown.dialog.applyBtn_clicked();
        QCOMPARE(shown.device.sent.size(), 2);
        QVERIFY(shown.device.sent.last().second.isEmpty());
    }

    void refusedApplyKeepsTheChanges()
    {
        ShownActions shown;
        shown.device.refusal = Refusal;
        shown.setting(QStringLiteral("Darkness"))->setCurrent(QStringLiteral("7"));
        shown.apply();

        QCOMPARE(shown.boxes.count(), 1);
        QCOMPARE(shown.boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(shown.boxes.last().caption, QStringLiteral("Error"));
        QVERIFY(shown.boxes.last().text.contains(QStringLiteral("did not take the settings")));
        QVERIFY(shown.boxes.last().text.endsWith(Refusal));
        QVERIFY(shown.row(QStringLiteral("Darkness"))->isValueBold());
        QVERIFY(shown.dialog.applyBtn->isEnabled());
        QCOMPARE(shown.setting(QStringLiteral("Darkness"))->initial(), QStringLiteral("3"));

        // Nothing was lost: the next try sends the same change.
        shown.device.refusal.clear();
        shown.apply();
        QCOMPARE(shown.device.sent.size(), 2);
        QCOMPARE(shown.device.sent.last().second, shown.device.sent.first().second);
        QVERIFY(!shown.row(QStringLiteral("Darkness"))->isValueBold());
        QVERIFY(!shown.dialog.applyBtn->isEnabled());
        QCOMPARE(shown.boxes.count(), 1);
    }

    void applyWithNothingChangedIsNoFailure()
    {
        ShownActions shown;
        shown.device.refusal = Refusal; // never reached: nothing goes to the device
        shown.select(QStringLiteral("Darkness"));
        type(shown.setting(QStringLiteral("Darkness")), QStringLiteral("7"));
        type(shown.setting(QStringLiteral("Darkness")), QStringLiteral("3"));
        QVERIFY(shown.dialog.applyBtn->isEnabled());
        shown.apply();
        QCOMPARE(shown.device.sent, QList<Sent>({{QString(""), QString()}}));
        QCOMPARE(shown.boxes.count(), 0);
        QVERIFY(!shown.dialog.applyBtn->isEnabled());
    }

    void printerDefaultChangesOnlySettingsWithAFactoryValue()
    {
        ShownActions shown;
        QTest::mouseClick(shown.dialog.defBtn, Qt::LeftButton);
        QVERIFY(shown.device.sent.isEmpty());
        QVERIFY(shown.dialog.applyBtn->isEnabled());
        QCOMPARE(shown.setting(QStringLiteral("Owner"))->current(), QStringLiteral("Office"));
        QCOMPARE(shown.setting(QStringLiteral("RelayOn"))->current(), QStringLiteral("1"));
        QCOMPARE(shown.row(QStringLiteral("Darkness"))->text(1), QStringLiteral("5"));
        QVERIFY(shown.row(QStringLiteral("Darkness"))->isValueBold());
        QCOMPARE(shown.row(QStringLiteral("Host"))->text(1), QStringLiteral("192.168.0.1"));
        QVERIFY(!shown.row(QStringLiteral("Owner"))->isValueBold());

        shown.apply();
        QCOMPARE(shown.device.sent,
                 QList<Sent>({{QString(""), changeDocument({R"(<Darkness CURRENT="5" />)",
                                                            R"(<Host CURRENT="192.168.0.1" />)",
                                                            R"(<Port CURRENT="631" />)"})}}));
    }

    void printerDefaultReachesTheShownControl()
    {
        ShownActions shown;
        shown.select(QStringLiteral("Darkness"));
        QTest::mouseClick(shown.dialog.defBtn, Qt::LeftButton);
        auto *edit = shown.setting(QStringLiteral("Darkness"))->control()->findChild<QLineEdit *>();
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("5"));
    }

    void invalidSettingIsSelectedInsteadOfSent_data()
    {
        addColumns<QString, QString>({"setting", "selectedRow"});
        addRow("setting with a row", "Host", "Host");
        addRow("member of a group", "RelayHost", "Relay");
        addRow("member of a pop-up form", "Proxy", "Network");
    }
    void invalidSettingIsSelectedInsteadOfSent()
    {
        QFETCH(QString, setting);
        QFETCH(QString, selectedRow);
        ShownActions shown;
        shown.select(QStringLiteral("Owner"));
        shown.setting(QStringLiteral("Darkness"))->setCurrent(QStringLiteral("7"));
        shown.setting(setting)->setCurrent(QStringLiteral("10.0.0"));
        shown.apply();

        QVERIFY(shown.device.sent.isEmpty());
        QCOMPARE(shown.dialog.paramList->currentItem(), shown.row(selectedRow));
        QVERIFY(shown.dialog.panel->findChild<QWidget *>()); // its control is shown
        // The setting has said what is wrong with it.
        QCOMPARE(shown.boxes.count(), 1);
        QVERIFY(shown.boxes.last().text.contains(QStringLiteral("'10.0.0'")));
        QVERIFY(!shown.dialog.applyBtn->isEnabled());
        QCOMPARE(shown.setting(QStringLiteral("Darkness"))->initial(), QStringLiteral("3"));
    }

    void popupFormApplySendsOnlyTheForm_data()
    {
        addColumns<QString>({"refusal"});
        addRow("taken", QString());
        addRow("refused", Refusal);
    }
    void popupFormApplySendsOnlyTheForm()
    {
        QFETCH(QString, refusal);
        const bool taken = refusal.isEmpty();
        ShownActions shown;
        shown.device.refusal = refusal;
        shown.setting(QStringLiteral("Darkness"))->setCurrent(QStringLiteral("7"));
        auto *network = qobject_cast<FormElement *>(shown.device.element(QStringLiteral("Network")));
        QVERIFY(network);
        ConcreteElement *port = shown.setting(QStringLiteral("Port"));

        bool okEnabled = false;
        QString portInitial;
        QTimer::singleShot(0, this, [&] {
            PopupForm *form = network->form();
            type(port, QStringLiteral("8080"));
            QTest::mouseClick(form->btnOK, Qt::LeftButton);
            okEnabled = form->btnOK->isEnabled();
            portInitial = port->initial();
            form->reject();
        });
        network->showForm();

        QCOMPARE(shown.device.sent,
                 QList<Sent>({{QStringLiteral("Network"), changeDocument({R"(<Port CURRENT="8080" />)"})}}));
        QCOMPARE(okEnabled, !taken);
        QCOMPARE(portInitial, taken ? QStringLiteral("8080") : QStringLiteral("80"));
        QCOMPARE(shown.boxes.count(), taken ? 0 : 1);
        // Closing the form puts back what the device does not have.
        QCOMPARE(port->current(), portInitial);
        // Nothing outside the form was committed.
        QCOMPARE(shown.setting(QStringLiteral("Darkness"))->objectName(), QStringLiteral("3"));
        QVERIFY(shown.row(QStringLiteral("Darkness"))->isValueBold());
        QVERIFY(shown.dialog.applyBtn->isEnabled());
    }

    void deviceButtonSendsItsPress_data()
    {
        addColumns<QString>({"refusal"});
        addRow("taken", QString());
        addRow("refused", Refusal);
    }
    void deviceButtonSendsItsPress()
    {
        QFETCH(QString, refusal);
        ShownActions shown;
        shown.device.refusal = refusal;
        shown.setting(QStringLiteral("Darkness"))->setCurrent(QStringLiteral("7"));
        shown.select(QStringLiteral("Clean"));
        shown.pressPanelButton();
        QCOMPARE(shown.device.sent, QList<Sent>({{QStringLiteral("Clean"),
                                                  changeDocument({R"(<Clean CURRENT="PRESSED" />)"})}}));
        QCOMPARE(shown.boxes.count(), refusal.isEmpty() ? 0 : 1);
        QVERIFY(shown.row(QStringLiteral("Darkness"))->isValueBold());
    }

    void loadCheckListsTheValuesNotKept_data()
    {
        addColumns<QString, QString>({"settings", "listed"});
        addRow("every value kept", R"(<A TYPE="INTEGER" CURRENT="3" MIN="1" MAX="9" STEP="1"/>)", QString());
        addRow("an edit box with characters it does not take", R"(<Name TYPE="EDITBOX" CURRENT="a;b"/>)",
               "Name\n");
        addRow("a dial number and a pop-up member",
               R"(<Dial TYPE="DIALEDITBOX" CURRENT="12a"/><Kept TYPE="EDITBOX" CURRENT="ok"/>)"
               R"(<Form TYPE="POPUP"><Inner TYPE="EDITBOX" CURRENT="x|y"/></Form>)",
               "Dial\nInner\n");
    }
    void loadCheckListsTheValuesNotKept()
    {
        QFETCH(QString, settings);
        QFETCH(QString, listed);
        ShownActions shown(parsedSettings(settings));
        if (listed.isEmpty()) {
            QCOMPARE(shown.boxes.count(), 0);
            return;
        }
        QCOMPARE(shown.boxes.count(), 1);
        QCOMPARE(shown.boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(shown.boxes.last().caption, QStringLiteral("Error"));
        QCOMPARE(
            shown.boxes.last().text,
            QStringLiteral("The following settings cannot be validated and will have empty values:\n\n") +
                listed);
    }

    void bookButtonsStartTheirTools_data()
    {
        addColumns<QString, QString>({"setting", "book"});
        addRow("phone book", "Phones", "phone");
        addRow("e-mail book", "Mails", "email");
        addRow("address book", "Addresses", "address");
    }
    void bookButtonsStartTheirTools()
    {
        QFETCH(QString, setting);
        QFETCH(QString, book);
        ShownActions shown;
        shown.select(setting);
        shown.pressPanelButton();
        QCOMPARE(shown.device.books, QStringList{book});
        QVERIFY(shown.device.sent.isEmpty());
    }
};

QTEST_MAIN(TestSettingsActions)
#include "tst_settingsactions.moc"
