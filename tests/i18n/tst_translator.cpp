#include "common/datatable.h"
#include "common/descriptionfiles.h"
#include "common/logcapture.h"
#include "i18n/translator.h"
#include "model/nodedesc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString NullMark = QStringLiteral("<null>");
const QString Untouched = QStringLiteral("(untouched)");

QString message(const QString &id, const QString &value)
{
    return QStringLiteral("<message><Id>%1</Id><Value>%2</Value></message>").arg(id, value);
}

// A translator holding root/Translation with the given content.
std::unique_ptr<Translator> translatorWith(const QString &entries, QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("vlm_xx.xml"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return nullptr;
    out.write(QStringLiteral("<root><Translation>%1</Translation></root>").arg(entries).toUtf8());
    out.close();
    QFile in(path);
    return std::make_unique<Translator>(&in);
}

QDomNode translationOf(Translator &translator)
{
    return translator.findPath({QStringLiteral("root"), QStringLiteral("Translation")});
}

// Every message of the node as "Id=Value", in document order.
QStringList messagesOf(const Translator &translator, const QDomNode &translation)
{
    QStringList out;
    for (QDomElement m = translation.firstChildElement(QStringLiteral("message")); !m.isNull();
         m = m.nextSiblingElement(QStringLiteral("message")))
        out << translator.childText(m, QStringLiteral("Id")) + QLatin1Char('=') +
                   translator.childText(m, QStringLiteral("Value"));
    return out;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The fatal exit leaves the child's objects alive on purpose; the leak
// checker of a sanitizer build is told not to report them.
int childEndsAbruptly = 0;

int formatErrors = 0;
void countFormatError()
{
    ++formatErrors;
}

// One pass over a description with a translation file, as the program runs it.
void runPass(SettingsParser &parser, const QString &path)
{
    QFile file(path);
    Translator translator(&file);
    QVERIFY(parser.translate(translator));
    translator.save(path);
}

} // namespace

extern "C" __attribute__((used)) int __lsan_is_turned_off()
{
    return childEndsAbruptly;
}

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void localize_data()
    {
        const QString k = QStringLiteral("IDS_COPIES");
        const QString kd = k + QStringLiteral(" description");
        addColumns<QString, QString, QString, QString, QStringList>(
            {"entries", "key", "title", "desc", "added"});
        addRow("both found", message(k, "Copies") + message(kd, "How many"), k, "Copies", "How many",
               QStringList());
        addRow("title only: the description entry is added, holding the key", message(k, "Copies"), k,
               "Copies", Untouched, QStringList{kd + "=" + k});
        addRow("description only: the title entry is added", message(kd, "How many"), k, Untouched,
               "How many", QStringList{k + "=" + k});
        addRow("neither: description entry first, then title", message("Other", "x"), k, Untouched, Untouched,
               QStringList{kd + "=" + k, k + "=" + k});
        addRow("a later title wins until the description is found",
               message(k, "One") + message(k, "Two") + message(kd, "D"), k, "Two", "D", QStringList());
        addRow("the search stops once both are found",
               message(k, "One") + message(kd, "D") + message(k, "Two"), k, "One", "D", QStringList());
        addRow("a later description wins without a title", message(kd, "D1") + message(kd, "D2"), k,
               Untouched, "D2", QStringList{k + "=" + k});
        addRow("entries without Id, of other names and comments are skipped",
               "<message><Value>no id</Value></message><note><Id>" + k +
                   "</Id><Value>note</Value></note><!-- " + k + " -->text" + message(k, "Copies") +
                   message(kd, "D"),
               k, "Copies", "D", QStringList());
        addRow("the Id is compared exactly", message("ids_copies", "x") + message(k + " ", "y"), k, Untouched,
               Untouched, QStringList{kd + "=" + k, k + "=" + k});
        addRow("markup and entities in a value stay text",
               message(k, "a &lt;b&gt; <i>c</i>") + message(kd, "&amp;<![CDATA[<x>]]>"), k, "a <b> c", "&<x>",
               QStringList());
        addRow("a null key adds only the description entry", QString(), NullMark, Untouched, Untouched,
               QStringList{" description="});
    }

    void localize()
    {
        QFETCH(QString, entries);
        QFETCH(QString, key);
        QTemporaryDir dir;
        auto translator = translatorWith(entries, dir);
        QVERIFY(translator && translator->isValid());
        const QDomNode translation = translationOf(*translator);
        const QStringList before = messagesOf(*translator, translation);

        NodeDesc object(QStringLiteral("Copies"), key == NullMark ? QString() : key, nullptr);
        object.setTitle(Untouched);
        object.setDescription(Untouched);
        QVERIFY(translator->localize(&object, translation));

        QTEST(object.title(), "title");
        QTEST(object.desc(), "desc");
        const QStringList after = messagesOf(*translator, translation);
        QCOMPARE(after.mid(0, before.size()), before);
        QTEST(after.mid(before.size()), "added");
    }

    void missingValue_data()
    {
        const QString k = QStringLiteral("K");
        const QString noValue = QStringLiteral("<message><Id>%1</Id></message>");
        addColumns<QString, bool>({"entries", "error"});
        addRow("title without Value", noValue.arg(k) + message(k + " description", "D"), true);
        addRow("description without Value", message(k, "T") + noValue.arg(k + " description"), true);
        addRow("no Value behind the point where both were found",
               message(k, "T") + message(k + " description", "D") + noValue.arg(k), false);
    }

    void missingValue()
    {
        QFETCH(QString, entries);
        QFETCH(bool, error);
        QTemporaryDir dir;
        auto translator = translatorWith(entries, dir);
        QVERIFY(translator);
        const Translator::FormatErrorHandler previous = Translator::setFormatErrorHandler(countFormatError);
        formatErrors = 0;
        NodeDesc object(QStringLiteral("K"), QStringLiteral("K"), nullptr);
        const bool done = translator->localize(&object, translationOf(*translator));
        Translator::setFormatErrorHandler(previous);
        QCOMPARE(done, !error);
        QCOMPARE(formatErrors, error ? 1 : 0);
    }

    // Without a replacement the process ends at once with status 1.
    void missingValueEndsTheProcess()
    {
        QTemporaryDir dir;
        auto translator = translatorWith(QStringLiteral("<message><Id>K</Id></message>"), dir);
        QVERIFY(translator);
        int pipeFds[2];
        QCOMPARE(pipe(pipeFds), 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            dup2(pipeFds[1], STDERR_FILENO);
            childEndsAbruptly = 1;
            NodeDesc object(QStringLiteral("K"), QStringLiteral("K"), nullptr);
            translator->localize(&object, translationOf(*translator));
            _exit(2);
        }
        close(pipeFds[1]);
        QByteArray output;
        char buffer[256];
        for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            output.append(buffer, n);
        close(pipeFds[0]);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        QCOMPARE(output, QByteArray("Wrong XML format\n"));
    }

    // Categories except the top one, each category's elements before its
    // sub-categories, a group's members after the group, a list's options
    // after the list.
    void passOrder()
    {
        ScratchDir scratch;
        auto parser = std::make_unique<SettingsParser>(QStringLiteral(
            "<root><PrinterSettingsInfo STRING=\"K_TOP\"><Cat STRING=\"K_CAT\">"
            "<Grp TYPE=\"GROUP\" STRING=\"K_GRP\"><Num TYPE=\"INTEGER\" STRING=\"K_NUM\" CURRENT=\"1\" "
            "MIN=\"0\" MAX=\"9\"/><Lst TYPE=\"COMBOBOX\" STRING=\"K_LST\" CURRENT=\"A\"><A STRING=\"K_A\"/>"
            "<B STRING=\"K_B\"/></Lst></Grp>"
            "<Sub STRING=\"K_SUB\"><Chk TYPE=\"CHECKBOX\" STRING=\"K_CHK\" CURRENT=\"On\"><On "
            "STRING=\"K_ON\"/>"
            "</Chk></Sub><Edit TYPE=\"EDITBOX\" STRING=\"K_EDIT\" CURRENT=\"x\"/></Cat><Cat2 "
            "STRING=\"K_CAT2\"/>"
            "</PrinterSettingsInfo></root>"));
        QVERIFY(parser->parse());
        Translator translator(nullptr);
        QVERIFY(parser->translate(translator));
        QStringList titles;
        for (const QString &entry : messagesOf(translator, translationOf(translator))) {
            if (!entry.contains(QLatin1String(" description=")))
                titles << entry.section(QLatin1Char('='), 0, 0);
        }
        QCOMPARE(titles, QStringList({"K_CAT", "K_GRP", "K_NUM", "K_LST", "K_A", "K_B", "K_EDIT", "K_SUB",
                                      "K_CHK", "K_ON", "K_CAT2"}));
    }

    // Many entries under one key: the remembered result must give way to the
    // description entry added for the first object.
    void repeatedKeySeesItsAddedEntry()
    {
        QTemporaryDir dir;
        QString entries;
        for (int i = 0; i < 20; ++i)
            entries += message(QStringLiteral("K"), QStringLiteral("T%1").arg(i));
        auto translator = translatorWith(entries, dir);
        QVERIFY(translator);
        const QDomNode translation = translationOf(*translator);
        NodeDesc first(QStringLiteral("A"), QStringLiteral("K"), nullptr);
        NodeDesc second(QStringLiteral("B"), QStringLiteral("K"), nullptr);
        QVERIFY(translator->localize(&first, translation));
        QVERIFY(translator->localize(&second, translation));
        QCOMPARE(first.title(), QStringLiteral("T19"));
        QCOMPARE(first.desc(), QString(""));
        QCOMPARE(second.title(), QStringLiteral("T19"));
        QCOMPARE(second.desc(), QStringLiteral("K"));
        QCOMPARE(messagesOf(*translator, translation).size(), 21);
    }

    void unreadableFileIsKept_data()
    {
        addColumns<QByteArray, QString>({"content", "reason"});
        addRow("not well-formed", QByteArray("<root>\n<Translation>\n<message><Id>K</Value>"),
               QStringLiteral("line 3, column"));
        addRow("empty", QByteArray(), QStringLiteral("line 1, column"));
        addRow("nested too deeply", QByteArray("<a>").repeated(DomParser::MaxDocumentDepth + 1),
               QStringLiteral("nested deeper than"));
        addRow("a directory in its place", QByteArray(), QString());
    }

    void unreadableFileIsKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        ScratchDir scratch;
        const QString path = scratch.dir.filePath(QStringLiteral("vlm.xml"));
        const bool directory = reason.isEmpty();
        QVERIFY(directory ? QDir().mkdir(path) : writeFile(path, content));
        auto parser = parsedSettings(QStringLiteral("<A TYPE=\"EDITBOX\" STRING=\"K_A\" CURRENT=\"x\"/>"));
        LogCapture log;
        runPass(*parser, path);
        QVERIFY(log.contains(QStringLiteral("'%1' cannot be read (%2").arg(path, reason)));
        QVERIFY(log.contains(QStringLiteral("'%1' is kept as it was").arg(path)));
        QCOMPARE(QFileInfo(path).isDir(), directory);
        if (!directory)
            QCOMPARE(fileBytes(path), content);
    }

    // Only the additions are lost; the log says so.
    void unwritableFolderLosesOnlyAdditions()
    {
        ScratchDir scratch;
        QVERIFY(writeFile(scratch.dir.filePath(QStringLiteral("plain")), "x"));
        const QString path = scratch.dir.filePath(QStringLiteral("plain/vlm.xml"));
        auto parser = parsedSettings(QStringLiteral("<A TYPE=\"EDITBOX\" STRING=\"K_A\" CURRENT=\"x\"/>"));
        LogCapture log;
        QFile file(path);
        Translator translator(&file);
        QVERIFY(parser->translate(translator));
        QVERIFY(!translator.writeTo(path));
        QVERIFY(log.contains(QStringLiteral("Cannot open file: '%1'").arg(path)));
        QVERIFY(log.contains(QStringLiteral("cannot write '%1'").arg(path)));
        QVERIFY(messagesOf(translator, translationOf(translator)).contains(QStringLiteral("K_A=K_A")));
    }

    void missingTranslationNodeIsAdded()
    {
        ScratchDir scratch;
        const QString path = scratch.dir.filePath(QStringLiteral("vlm.xml"));
        QVERIFY(writeFile(path, "<root><Other/></root>"));
        auto parser = parsedSettings(QStringLiteral("<A TYPE=\"EDITBOX\" STRING=\"K_A\" CURRENT=\"x\"/>"));
        LogCapture log;
        runPass(*parser, path);
        QVERIFY(log.contains(QStringLiteral("need to create path!")));
        QFile file(path);
        Translator reread(&file);
        const QDomElement root = reread.document().documentElement();
        QCOMPARE(root.firstChildElement().tagName(), QStringLiteral("Other"));
        // The category has no key of its own: only its description entry.
        QCOMPARE(messagesOf(reread, translationOf(reread)),
                 QStringList({" description=", "K_A description=K_A", "K_A=K_A"}));
    }
};

QTEST_GUILESS_MAIN(TestTranslator)
#include "tst_translator.moc"
