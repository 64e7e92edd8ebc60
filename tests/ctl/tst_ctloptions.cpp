#include "common/datatable.h"

#include "ctl/ctloptions.h"

#include <QTest>

// The velmoractl command line: what runs, and what is refused as usage.
class TestCtlOptions : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data()
    {
        // flags: d = --dry-run or --check, f = --diff, j = --json, t = --trace
        addColumns<QStringList, QString, QStringList, QString, QString>(
            {"arguments", "command", "commandArguments", "localFile", "flags"});
        addRow("list", QStringList{"/dev/x", "list"}, "list", QStringList{}, "", "");
        addRow("options anywhere",
               QStringList{"--json", "/dev/x", "get", "--local", "f.xml", "A", "B", "--trace"}, "get",
               QStringList{"A", "B"}, "f.xml", "jt");
        addRow("set dry run", QStringList{"/dev/x", "set", "A=1", "B=x=y", "--dry-run"}, "set",
               QStringList{"A=1", "B=x=y"}, "", "d");
        addRow("value after --", QStringList{"/dev/x", "set", "--", "A=--json"}, "set",
               QStringList{"A=--json"}, "", "");
        addRow("press", QStringList{"/dev/x", "press", "Button", "--dry-run"}, "press", QStringList{"Button"},
               "", "d");
        addRow("export", QStringList{"/dev/x", "export", "-"}, "export", QStringList{"-"}, "", "");
        addRow("import", QStringList{"/dev/x", "import", "saved.xml", "--dry-run"}, "import",
               QStringList{"saved.xml"}, "", "d");
        addRow("import check with diff",
               QStringList{"/dev/x", "import", "fleet.json", "--check", "--diff", "--json"}, "import",
               QStringList{"fleet.json"}, "", "dfj");
    }

    void accepted()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, command);
        QFETCH(QStringList, commandArguments);
        QFETCH(QString, localFile);
        QFETCH(QString, flags);

        const CtlOptions options = ParseCtlArguments(arguments);
        QCOMPARE(options.error, QString());
        QCOMPARE(options.devPath, QStringLiteral("/dev/x"));
        QCOMPARE(options.command, command);
        QCOMPARE(options.arguments, commandArguments);
        QCOMPARE(options.localFile, localFile);
        QCOMPARE(options.dryRun, flags.contains('d'));
        QCOMPARE(options.diff, flags.contains('f'));
        QCOMPARE(options.json, flags.contains('j'));
        QCOMPARE(options.trace, flags.contains('t'));
    }

    void refused_data()
    {
        addColumns<QStringList, QString>({"arguments", "error"});
        addRow("nothing", QStringList{}, "a device path and a command are needed");
        addRow("no command", QStringList{"/dev/x"}, "a device path and a command are needed");
        addRow("unknown command", QStringList{"/dev/x", "frobnicate"}, "unknown command 'frobnicate'");
        addRow("unknown option", QStringList{"/dev/x", "list", "--colour"}, "unknown option '--colour'");
        addRow("local without file", QStringList{"/dev/x", "list", "--local"}, "--local needs a file");
        addRow("list with arguments", QStringList{"/dev/x", "list", "A"},
               "wrong number of arguments for 'list'");
        addRow("get without ids", QStringList{"/dev/x", "get"}, "wrong number of arguments for 'get'");
        addRow("two buttons", QStringList{"/dev/x", "press", "A", "B"},
               "wrong number of arguments for 'press'");
        addRow("local file sends nothing", QStringList{"/dev/x", "set", "A=1", "--local", "f.xml"},
               "with --local nothing is sent: 'set' needs --dry-run");
        addRow("export dry run", QStringList{"/dev/x", "export", "f", "--dry-run"},
               "'export' has no --dry-run");
        addRow("diff outside import", QStringList{"/dev/x", "set", "A=1", "--diff"},
               "only import has --diff");
    }

    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QCOMPARE(ParseCtlArguments(arguments).error, error);
    }
};

QTEST_GUILESS_MAIN(TestCtlOptions)
#include "tst_ctloptions.moc"
