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
#include "window/settingsactions.h"
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

// The actions on a recording controller, without a window; every box they
// show is answered and kept.
struct Actions
{
    MessageBoxRecorder boxes;
    RecordingConfigurator device;
    SettingsActions actions;

    explicit Actions(
        std::unique_ptr<SettingsParser> parser = parsedFile(QStringLiteral("window_actions.xml")))
        : device(std::move(parser)), actions(&device, device.loadSettings())
    {}

    ConcreteElement *setting(const QString &id) const
    {
        return qobject_cast<ConcreteElement *>(device.element(id));
    }
    // Gives each "id=value" of changes to its setting, as its control would.
    void change(const QStringList &changes) const
    {
        for (const QString &change : changes)
            setting(change.section('=', 0, 0))->setCurrent(change.section('=', 1));
    }
    [[nodiscard]] bool applyAll() { return actions.apply(QString(""), nullptr); }
};

// The settings window over the same controller, from the check after
// loading on.
struct ShownActions : Actions
{
    SettingsDialog dialog;

    ShownActions()
    {
        dialog.initialize(&device, QStringLiteral("Test printer"));
        dialog.show();
    }

    SettingsViewItem *row(const QString &id) const { return TreeRow(dialog.paramList, id); }
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

// The device taking what it is sent, and refusing it.
void refusalRows()
{
    addColumns<QString>({"refusal"});
    addRow("taken", QString());
    addRow("refused", Refusal);
}

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
        addColumns<QStringList, QStringList>({"changes", "document"});
        addRow("one setting", QStringList{"Darkness=7"}, QStringList{R"(<Darkness CURRENT="7" />)"});
        addRow("settings in a group and a pop-up form", QStringList{"Port=8080", "RelayOn=0", "Darkness=7"},
               QStringList{R"(<Darkness CURRENT="7" />)", R"(<RelayOn CURRENT="0" />)",
                           R"(<Port CURRENT="8080" />)"});
        addRow("a value with markup", QStringList{"Owner=a&b"},
               QStringList{R"(<Owner CURRENT="a&amp;b" />)"});
        addRow("factory values", QStringList(),
               QStringList{R"(<Darkness CURRENT="5" />)", R"(<Host CURRENT="192.168.0.1" />)",
                           R"(<Port CURRENT="631" />)"});
    }
    void applySendsTheChangesAndCommitsThem()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, document);
        Actions actions;
        if (changes.isEmpty())
            actions.actions.restoreFactoryValues();
        actions.change(changes);
        QVERIFY(actions.device.sent.isEmpty());

        QVERIFY(actions.applyAll());
        QCOMPARE(actions.device.sent, QList<Sent>({{QString(""), changeDocument(document)}}));
        QCOMPARE(actions.boxes.count(), 0);
        for (const QString &line : document) {
            ConcreteElement *setting = actions.setting(line.section('<', 1).section(' ', 0, 0));
            QVERIFY2(!HasUnappliedValue(setting), qPrintable(setting->id()));
            QCOMPARE(setting->initial(), setting->current());
        }

        // Committed values are the device's: a second Apply has nothing to send.
        QVERIFY(actions.applyAll());
        QCOMPARE(actions.device.sent.size(), 2);
        QVERIFY(actions.device.sent.last().second.isEmpty());
    }

    void refusedApplyKeepsTheChanges()
    {
        Actions actions;
        actions.device.refusal = Refusal;
        actions.change({"Darkness=7"});
        QVERIFY(!actions.applyAll());

        QCOMPARE(actions.boxes.count(), 1);
        QCOMPARE(actions.boxes.last().icon, QMessageBox::Warning);
        QVERIFY(actions.boxes.last().text.contains(QStringLiteral("did not take the settings")));
        QVERIFY(actions.boxes.last().text.endsWith(Refusal));
        QVERIFY(HasUnappliedValue(actions.setting(QStringLiteral("Darkness"))));
        QCOMPARE(actions.setting(QStringLiteral("Darkness"))->initial(), QStringLiteral("3"));

        // Nothing was lost: the next try sends the same change.
        actions.device.refusal.clear();
        QVERIFY(actions.applyAll());
        QCOMPARE(actions.device.sent.size(), 2);
        QCOMPARE(actions.device.sent.last().second, actions.device.sent.first().second);
        QVERIFY(!HasUnappliedValue(actions.setting(QStringLiteral("Darkness"))));
        QCOMPARE(actions.boxes.count(), 1);
    }

    void applyWithNothingChangedIsNoFailure()
    {
        Actions actions;
        actions.device.refusal = Refusal; // never reached: nothing goes to the device
        actions.change({"Darkness=7", "Darkness=3"});
        QVERIFY(actions.applyAll());
        QCOMPARE(actions.device.sent, QList<Sent>({{QString(""), QString()}}));
        QCOMPARE(actions.boxes.count(), 0);
    }

    // The window's part: the Apply button and the rows follow what the
    // device took.
    void applyButtonFollowsTheDevice_data() { refusalRows(); }
    void applyButtonFollowsTheDevice()
    {
        QFETCH(QString, refusal);
        const bool taken = refusal.isEmpty();
        ShownActions shown;
        shown.device.refusal = refusal;
        shown.setting(QStringLiteral("RelayOn"))->setCurrent(QStringLiteral("0"));
        QVERIFY(shown.row(QStringLiteral("Relay"))->isValueBold());
        QVERIFY(shown.dialog.applyBtn->isEnabled());
        shown.apply();
        QCOMPARE(shown.device.sent.size(), 1);
        QCOMPARE(shown.dialog.applyBtn->isEnabled(), !taken);
        QCOMPARE(shown.row(QStringLiteral("Relay"))->isValueBold(), !taken);
    }

    void printerDefaultReachesTheRowsAndTheShownControl()
    {
        ShownActions shown;
        shown.select(QStringLiteral("Darkness"));
        QTest::mouseClick(shown.dialog.defBtn, Qt::LeftButton);
        QVERIFY(shown.device.sent.isEmpty());
        QVERIFY(shown.dialog.applyBtn->isEnabled());
        auto *edit = shown.setting(QStringLiteral("Darkness"))->control()->findChild<QLineEdit *>();
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("5"));
        QCOMPARE(shown.row(QStringLiteral("Darkness"))->text(1), QStringLiteral("5"));
        QVERIFY(shown.row(QStringLiteral("Darkness"))->isValueBold());
        QCOMPARE(shown.row(QStringLiteral("Host"))->text(1), QStringLiteral("192.168.0.1"));
        // Settings without a factory value keep theirs.
        QVERIFY(!shown.row(QStringLiteral("Owner"))->isValueBold());
        QVERIFY(!shown.row(QStringLiteral("Relay"))->isValueBold());
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

    void popupFormApplySendsOnlyTheForm_data() { refusalRows(); }
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

    void deviceButtonSendsItsPress_data() { refusalRows(); }
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
        Actions actions(parsedSettings(settings));
        actions.actions.checkLoadedValues();
        if (listed.isEmpty()) {
            QCOMPARE(actions.boxes.count(), 0);
            return;
        }
        QCOMPARE(actions.boxes.count(), 1);
        QCOMPARE(actions.boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(
            actions.boxes.last().text,
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
