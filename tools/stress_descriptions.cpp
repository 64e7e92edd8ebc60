// Feeds the description parser and every setting it builds with randomly
// damaged copies of a description: attribute values swapped for hostile texts
// (format directives, huge and negative numbers, broken addresses, reference
// paths) and types swapped for other keywords. Each copy is parsed, every
// setting shows and checks its control, and the change documents are built.
// Run it from a sanitizer build to turn a crash or a report into a failure:
//
//   stress_descriptions <description.xml> [iterations] [seed]
//
// The trace and message boxes are silenced; the exit status is 0 when every
// iteration ran to the end.

#include "base/usermessage.h"
#include "fuzz/harness.h"
#include "model/aboutinfo.h"
#include "model/settingsparser.h"

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

const char *const HostileValues[] = {"",
                                     "%n%s%x%s",
                                     "-1",
                                     "99999999999999999999",
                                     "abc",
                                     "1.5",
                                     "-2147483648",
                                     "2147483647",
                                     "255.255.255.255",
                                     "...",
                                     "1.2.3",
                                     "0.0.0.0",
                                     "1e308",
                                     "nan",
                                     "-0.5",
                                     "0",
                                     "TRUE",
                                     "#",
                                     "a#b#c",
                                     "current#maxtopmargin",
                                     "x#max",
                                     "<&\"",
                                     "\xc3\xa9",
                                     "9",
                                     "10",
                                     "1..1.1",
                                     " 5 "};
const char *const Attributes[] = {"CURRENT",   "FACTORY",     "MIN",         "MAX",    "STEP", "DIGITS",
                                  "TEXTLABEL", "COLORMARKER", "BUTTONLABEL", "STRING", "IS",   "NAME",
                                  "VALUE",     "REF",         "SELFCHECKED", "DEFAULT"};
const char *const Types[] = {
    "COMBOBOX",  "INTEGER",    "CHECKBOX",  "STATICTEXT",  "IPADDRESS",   "FLOAT",     "BUTTON",
    "GROUP",     "POPUP",      "SLIDER",    "RADIOBUTTON", "ABOUT",       "PHONEBOOK", "EDITBOX",
    "EMAILBOOK", "SUBNETMASK", "PAPERSIZE", "DIALEDITBOX", "MAINTENANCE", "",          "BOGUS"};

template <typename T, size_t N> const T &pick(QRandomGenerator &random, const T (&table)[N])
{
    return table[random.bounded(static_cast<int>(N))];
}

QList<QDomElement> allElements(const QDomDocument &document)
{
    QList<QDomElement> found;
    QList<QDomElement> pending{document.documentElement()};
    while (!pending.isEmpty()) {
        const QDomElement element = pending.takeLast();
        found.append(element);
        for (QDomElement child = element.firstChildElement(); !child.isNull();
             child = child.nextSiblingElement())
            pending.append(child);
    }
    return found;
}

QString damaged(const QString &text, QRandomGenerator &random)
{
    QDomDocument document;
    if (!document.setContent(text))
        return text;
    const QList<QDomElement> elements = allElements(document);
    for (int n = 1 + random.bounded(12); n > 0; --n) {
        QDomElement element = elements.at(random.bounded(static_cast<int>(elements.size())));
        if (random.bounded(4) == 0)
            element.setAttribute(QStringLiteral("TYPE"), QString::fromLatin1(pick(random, Types)));
        else
            element.setAttribute(QString::fromLatin1(pick(random, Attributes)),
                                 QString::fromUtf8(pick(random, HostileValues)));
    }
    return document.toString();
}

void exercise(const QString &text)
{
    SettingsParser parser;
    parser.setAboutInfo(AboutInfo());
    parser.setContent(text);
    parser.parse();
    ExerciseDescription(parser);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <description.xml> [iterations] [seed]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    UserMessage::setAnswerer([](const UserMessage::Request &) { return QMessageBox::Ok; });

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    const QString original = QString::fromUtf8(file.readAll());
    const int iterations = argc > 2 ? std::atoi(argv[2]) : 500;
    QRandomGenerator random(argc > 3 ? static_cast<quint32>(std::atoi(argv[3])) : 1u);
    for (int i = 0; i < iterations; ++i)
        exercise(damaged(original, random));
    std::fprintf(stderr, "%d damaged descriptions survived\n", iterations);
    return 0;
}
