#include "app/appsettings.h"
#include "app/startup.h"
#include "common/datatable.h"
#include "common/messageboxrecorder.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include <vector>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void optionWords_data()
    {
        // line: the command line, words split at '|'; set: the options that
        // must be on, in a fixed order
        addColumns<QString, QString>({"line", "set"});
        addRow("all four in any order",
               "velmora|/dev/lp0|Office|save_new_vlm|use_local_vlm|save_vlm_send|save_vlm",
               "use_local_vlm save_vlm_send save_vlm save_new_vlm");
        addRow("word given as the program path", "save_new_vlm|/dev/usb/lp0|Office", "save_new_vlm");
        addRow("case, values, prefixes, dashes and blanks make other words",
               "velmora|/dev/lp0|Office|Save_vlm|SAVE_VLM|save_vlm=1|save_vl|--save_vlm| save_vlm|save_vlm ",
               "");
        addRow("save_vlm_send does not set save_vlm", "velmora|/dev/lp0|Office|save_vlm_send",
               "save_vlm_send");
        // The toolkit may leave fewer arguments than were counted raw.
        addRow("device name missing", "velmora|/dev/lp0", "");
    }
    void optionWords()
    {
        QFETCH(QString, line);
        const QStringList words = line.split(QLatin1Char('|'));
        std::vector<QByteArray> storage;
        std::vector<char *> argv;
        for (const QString &word : words)
            storage.push_back(word.toLocal8Bit());
        for (QByteArray &bytes : storage)
            argv.push_back(bytes.data());
        argv.push_back(nullptr);
        const StartOptions options =
            ReadStartOptions(AppSettings(int(words.size()), argv.data()), int(words.size()), argv.data());
        const QStringList set{options.useLocalDescription ? "use_local_vlm" : "",
                              options.saveSentDocument ? "save_vlm_send" : "",
                              options.saveDescription ? "save_vlm" : "",
                              options.saveLocalizedDescription ? "save_new_vlm" : ""};
        QTEST(set.join(QLatin1Char(' ')).simplified(), "set");
        QCOMPARE(options.devPath, words.at(1));
        QCOMPARE(options.devName, words.value(2));
        QCOMPARE(options.devName.isNull(), words.size() < 3);
    }

    void settingsUnavailableEndsWithErrorBox()
    {
        StartOptions options;
        options.devPath = QStringLiteral("/dev/null");
        options.devName = QStringLiteral("Office");
        MessageBoxRecorder boxes;
        QCOMPARE(RunSettings(options), 1);
        QCOMPARE(boxes.count(), 1);
        const UserMessage::Request box = boxes.last();
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.caption, QStringLiteral("Error"));
        QCOMPARE(box.text, QStringLiteral("Cannot get printer settings!"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
